#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/readers/line_template.hpp"

// The plain model of LineTemplate: the template read as a lazy regular expression (std::regex,
// ECMAScript), whose backtracking gives the shortest-first cuts by definition. Slow, and deep
// recursion on long lines: for tests and fuzzing on short lines only.
namespace fragtide::engine::reference {

struct ReferenceTemplateMatch {
    std::string fields[kTemplateFields];
};

// The match of `line` by the template `text`, or nothing; nothing also when `text` does not
// compile as a LineTemplate.
std::optional<ReferenceTemplateMatch> matchTemplate(std::string_view text, bool prefix, std::string_view line);

}  // namespace fragtide::engine::reference
