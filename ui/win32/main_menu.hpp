#pragma once

#include <windows.h>

// The main window's menu bar: File (New Season, Open Season, Add Logs to Season, Game Select,
// Export Report, Exit), View (the names menu, Who Killed Whom, Matches) and Help, with the command
// ids of resource.h.
namespace fragtide::ui::win32 {

struct MainMenu {
    HMENU bar = nullptr;    // owned by the window it is given to
    HMENU names = nullptr;  // the names menu, one entry per FormController::nameDisplayEntries
};

// A new menu bar, Export greyed until an analysis has results, Add Logs to Season and Matches
// until a season is open.
MainMenu createMainMenu();

}  // namespace fragtide::ui::win32
