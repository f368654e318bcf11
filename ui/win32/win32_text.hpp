#pragma once

#include <string>
#include <string_view>

// The one place where the Win32 window turns text between the core's UTF-8 and Windows' UTF-16.
// Log names reach here already decoded to display text (engine/display_text.hpp), never raw.
namespace fragtide::ui::win32 {

std::wstring toWide(std::string_view utf8);
std::string toUtf8(std::wstring_view wide);

// A menu caption with only its first access key: Win32 would underline every "&" letter, and
// only the first ever worked.
std::wstring menuCaption(std::wstring_view caption);

}  // namespace fragtide::ui::win32
