#include "ui/win32/main_menu.hpp"

#include "ui/form_controller.hpp"
#include "ui/ui_texts.hpp"
#include "ui/win32/resource.h"
#include "ui/win32/win32_text.hpp"

namespace fragtide::ui::win32 {

MainMenu createMainMenu() {
    MainMenu menu;
    menu.bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, IDM_NEWSEASON, menuCaption(toWide(texts::kMenuNewSeason)).c_str());
    AppendMenuW(file, MF_STRING, IDM_OPENSEASON, menuCaption(toWide(texts::kMenuOpenSeason)).c_str());
    // Greyed until a season is open.
    AppendMenuW(file, MF_STRING | MF_GRAYED, IDM_ADDTOSEASON, menuCaption(toWide(texts::kMenuAddToSeason)).c_str());
    AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(file, MF_STRING, IDM_GAMESEL, menuCaption(toWide(texts::kMenuGameSelect)).c_str());
    // Greyed until an analysis has results to export.
    AppendMenuW(file, MF_STRING | MF_GRAYED, IDM_EXPORT, menuCaption(toWide(texts::kMenuExport)).c_str());
    AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(file, MF_STRING, IDM_EXIT, menuCaption(toWide(texts::kMenuExit)).c_str());
    HMENU view = CreatePopupMenu();
    menu.names = CreatePopupMenu();
    const auto entries = FormController::nameDisplayEntries();
    for (std::size_t i = 0; i < entries.size(); ++i)
        AppendMenuW(menu.names, MF_STRING, IDM_NAMES_FIRST + i, toWide(entries[i]).c_str());
    AppendMenuW(view, MF_POPUP, reinterpret_cast<UINT_PTR>(menu.names), menuCaption(toWide(texts::kMenuNames)).c_str());
    AppendMenuW(view, MF_STRING, IDM_WHOKILLEDWHOM, menuCaption(toWide(texts::kMenuWhoKilledWhom)).c_str());
    AppendMenuW(view, MF_STRING | MF_GRAYED, IDM_MATCHES, menuCaption(toWide(texts::kMenuMatches)).c_str());
    HMENU help = CreatePopupMenu();
    AppendMenuW(help, MF_STRING, IDM_HELPTOPICS, menuCaption(toWide(texts::kMenuHelpTopics)).c_str());
    AppendMenuW(help, MF_STRING, IDM_GAMESFOLDER, menuCaption(toWide(texts::kMenuGamesFolder)).c_str());
    AppendMenuW(help, MF_STRING, IDM_ABOUT, menuCaption(toWide(texts::kMenuAbout)).c_str());
    AppendMenuW(menu.bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), menuCaption(toWide(texts::kMenuFile)).c_str());
    AppendMenuW(menu.bar, MF_POPUP, reinterpret_cast<UINT_PTR>(view), menuCaption(toWide(texts::kMenuView)).c_str());
    AppendMenuW(menu.bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), menuCaption(toWide(texts::kMenuHelp)).c_str());

    return menu;
}

}  // namespace fragtide::ui::win32
