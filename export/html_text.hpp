#pragma once

#include <string>
#include <string_view>

// Text made safe for an HTML page, in content and in quoted attribute values alike.
namespace fragtide::exports {

// `utf8` (display text, valid UTF-8) with &, <, >, " and ' as character references, C0 controls
// and DEL as their visible control pictures (U+2400...), and C1 controls as U+FFFD, so that no
// name from a log can end an element, an attribute, or hide in the page.
std::string htmlText(std::string_view utf8);

// Raw log bytes decoded for display (engine/display_text.hpp), then made safe as above.
std::string htmlFromLog(std::string_view bytes);

}  // namespace fragtide::exports
