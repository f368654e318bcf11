#include "ui/help_command.hpp"

#include "ui/qt_text.hpp"

#ifdef _WIN32
#include <windows.h>
#endif

namespace fragtide::ui {

bool startDetachedCommandLine(const std::string& commandLine) {
#ifdef _WIN32
    // CreateProcess with no application name parses the command line itself, exactly as the
    // viewer's command has always been given; QProcess would add quotes of its own.
    std::wstring command = toQString(commandLine).toStdWString();
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
