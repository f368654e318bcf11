// fragtide.exe: the window on Windows. Optional argument: a log file, analysed before the window
// opens, taken from the command line exactly as Windows passes it.
#include <windows.h>
#include <commctrl.h>

#include <exception>
#include <memory>

#include "engine/stats_store.hpp"
#include "settings/game_setting.hpp"
#include "settings/settings_backend.hpp"
#include "ui/win32/command_line_text.hpp"
#include "ui/win32/frmMain.hpp"
#include "ui/win32/win32_text.hpp"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    try {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS | ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&controls);

        fragtide::engine::StatsStore store;
        const std::unique_ptr<fragtide::settings::SettingsBackend> backend = fragtide::settings::makeDefaultBackend();
        // The whole rest of the line is one path, as the program has always read it, so an
        // unquoted path with spaces still names one file.
        fragtide::ui::win32::frmMain window(
            instance, store, *backend,
            std::wstring(fragtide::ui::win32::argumentsAfterProgramName(GetCommandLineW())));
        if (!window.create())
            return 1;
        window.Form_Load();
        window.showFirstTime(showCommand);
        return window.run();
    } catch (const std::exception& error) {
        MessageBoxW(nullptr, fragtide::ui::win32::toWide(error.what()).c_str(), L"Fragtide", MB_OK | MB_ICONERROR);
    } catch (...) {
        MessageBoxW(nullptr, L"Unexpected failure.", L"Fragtide", MB_OK | MB_ICONERROR);
    }
    return 1;
}
