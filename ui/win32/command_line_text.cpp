#include "ui/win32/command_line_text.hpp"

namespace fragtide::ui::win32 {

namespace {

bool isBlank(wchar_t c) { return c == L' ' || c == L'\t'; }
bool isSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

}  // namespace

std::wstring_view argumentsAfterProgramName(std::wstring_view commandLine) {
    std::size_t i = 0;
    if (!commandLine.empty() && commandLine.front() == L'"') {
        // No escapes inside the program name: it ends at the next quote, or with the line.
        const std::size_t close = commandLine.find(L'"', 1);
        i = close == std::wstring_view::npos ? commandLine.size() : close + 1;
    } else {
        while (i < commandLine.size() && !isBlank(commandLine[i]))
            ++i;
    }
    while (i < commandLine.size() && isBlank(commandLine[i]))
        ++i;
    std::size_t end = commandLine.size();
    while (end > i && isBlank(commandLine[end - 1]))
        --end;
    return commandLine.substr(i, end - i);
}

std::optional<CommandLineLog> parseLogArgument(std::wstring_view arguments) {
    std::wstring_view path = arguments;
    if (path.size() >= 2 && path.front() == L'"' && path.back() == L'"')
        path = path.substr(1, path.size() - 2);
    if (path.empty())
        return std::nullopt;

    std::size_t end = path.size();
    while (end > 0 && isSeparator(path[end - 1]))
        --end;
    std::size_t begin = end;
    while (begin > 0 && !isSeparator(path[begin - 1]))
        --begin;
    std::wstring_view name = path.substr(begin, end - begin);
    if (name.empty())
        name = path;  // nothing but separators
    return CommandLineLog{std::wstring(path), std::wstring(name)};
}

}  // namespace fragtide::ui::win32
