#pragma once

#include <optional>
#include <string>
#include <string_view>

// The log named on the Windows command line, taken from the raw text Windows passes
// (GetCommandLineW): no C runtime splitting, so a path with spaces, quoted or not, stays one path.
// Pure text work, toolkit-free, so it is tested on any platform.
namespace fragtide::ui::win32 {

// What follows the program's own name: a quoted program name ends at its closing quote, an
// unquoted one at the first space or tab (the rules Windows itself applies); the blanks after it
// and at the end are dropped, quotes in the rest are kept.
std::wstring_view argumentsAfterProgramName(std::wstring_view commandLine);

struct CommandLineLog {
    std::wstring path;       // what the analysis opens: without one pair of surrounding quotes
    std::wstring shownName;  // the file's name for txtFile, never empty; the caller lower-cases it
};

// The log named by `arguments`, or nothing when they name no file ("" or "\"\""). "\" and "/"
// both separate folders; a trailing separator is skipped, so txtFile is never left empty (an
// empty txtFile makes the run skip the file without a word).
std::optional<CommandLineLog> parseLogArgument(std::wstring_view arguments);

}  // namespace fragtide::ui::win32
