#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// The log a program's command line names, as the window takes it at start-up.
namespace fragtide::ui {

// The log named on the command line: the text without one pair of surrounding quotes, and the
// name txtFile shows (the last part that is not empty, lower-cased, never empty). Nothing when
// the command line names no file ("" or "\"\"").
struct CommandLineLog {
    std::filesystem::path path;
    std::string shownName;
};
std::optional<CommandLineLog> parseCommandLine(std::string_view text);

}  // namespace fragtide::ui
