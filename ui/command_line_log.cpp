#include "ui/command_line_log.hpp"

#include "engine/display_text.hpp"
#include "ui/form_controller.hpp"

namespace fragtide::ui {
namespace {

bool isSeparator(char c) { return c == '/' || c == '\\'; }

}  // namespace

std::optional<CommandLineLog> parseCommandLine(std::string_view text) {
    std::string_view path = text;
    if (path.size() >= 2 && path.front() == '"' && path.back() == '"')
        path = path.substr(1, path.size() - 2);
    if (path.empty())
        return std::nullopt;

    // The name is the last part that is not empty, so "C:\Logs\" shows "logs" rather than
    // nothing: an empty txtFile would make the run skip the file without a word.
    std::size_t end = path.size();
    while (end > 0 && isSeparator(path[end - 1]))
        --end;
    std::size_t begin = end;
    while (begin > 0 && !isSeparator(path[begin - 1]))
        --begin;
    std::string_view name = path.substr(begin, end - begin);
    if (name.empty())
        name = path;  // nothing but separators
    return CommandLineLog{textPath(path), engine::toLowerDisplay(name)};
}

}  // namespace fragtide::ui
