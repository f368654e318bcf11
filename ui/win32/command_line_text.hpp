#pragma once

#include <string>
#include <string_view>

// The Windows command line after the program's name, taken from the raw text Windows passes
// (GetCommandLineW): no C runtime splitting, so a path with spaces, quoted or not, stays one path
// for the form controller to read.
// Pure text work, toolkit-free, so it is tested on any platform.
namespace fragtide::ui::win32 {

// What follows the program's own name: a quoted program name ends at its closing quote, an
// unquoted one at the first space or tab (the rules Windows itself applies); the blanks after it
// and at the end are dropped, quotes in the rest are kept.
std::wstring_view argumentsAfterProgramName(std::wstring_view commandLine);

}  // namespace fragtide::ui::win32
