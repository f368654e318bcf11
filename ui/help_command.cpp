#include "ui/help_command.hpp"

#ifdef _WIN32
#include <windows.h>
#endif

namespace fragtide::ui {

bool startDetachedCommandLine(const std::string& commandLine) {
#ifdef _WIN32
    // CreateProcess with no application name parses the command line itself, exactly as the
    // viewer's command is given: the viewer, one space, the path unquoted.
    const int length = MultiByteToWideChar(CP_UTF8, 0, commandLine.data(), static_cast<int>(commandLine.size()),
                                           nullptr, 0);
    std::wstring command(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, commandLine.data(), static_cast<int>(commandLine.size()), command.data(), length);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWMAXIMIZED;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
#else
    (void)commandLine;
    return false;
#endif
}

}  // namespace fragtide::ui
