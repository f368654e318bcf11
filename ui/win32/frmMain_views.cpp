// The main window's other windows and season menus: Who Killed Whom, Matches, the season file
// dialogs, and the items a season enables.
#include "ui/win32/file_dialogs.hpp"
#include "ui/win32/frmMain.hpp"
#include "ui/win32/matches_window.hpp"
#include "ui/win32/resource.h"
#include "ui/win32/who_killed_whom.hpp"

namespace fragtide::ui::win32 {

void frmMain::showWhoKilledWhom(const reports::RivalsMatrix& matrix, engine::NameDisplay display) {
    if (!m_whoKilledWhom)
        m_whoKilledWhom = std::make_unique<WhoKilledWhom>(m_instance, m_window, m_uiFont);
    m_whoKilledWhom->show(matrix, display);
}

void frmMain::updateWhoKilledWhom(const reports::RivalsMatrix& matrix, engine::NameDisplay display) {
    if (m_whoKilledWhom)
        m_whoKilledWhom->update(matrix, display);
}

std::optional<std::filesystem::path> frmMain::chooseSeasonFile(const SeasonFileRequest& request) {
    return seasonFile(m_window, request);
}

void frmMain::setSeasonOpen(bool open) {
    const HMENU menu = GetMenu(m_window);
    for (const UINT item : {IDM_ADDTOSEASON, IDM_MATCHES})
        EnableMenuItem(menu, item, MF_BYCOMMAND | (open ? MF_ENABLED : MF_GRAYED));
    ShowWindow(control(IDC_CMDRANKING), open ? SW_SHOW : SW_HIDE);
    if (open != m_rankingShown) {
        m_rankingShown = open;
        layOut();
    }
}

void frmMain::showMatches(const MatchesTable& table) {
    if (!m_matches)
        m_matches = std::make_unique<MatchesWindow>(m_instance, m_window, m_uiFont);
    m_matches->show(table);
}

void frmMain::updateMatches(const MatchesTable& table) {
    if (m_matches)
        m_matches->update(table);
}

}  // namespace fragtide::ui::win32
