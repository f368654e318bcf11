#include "ui/win32/command_line_text.hpp"

namespace fragtide::ui::win32 {

namespace {

bool isBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

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

}  // namespace fragtide::ui::win32
