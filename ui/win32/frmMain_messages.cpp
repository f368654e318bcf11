#include "ui/win32/frmMain.hpp"

#include "ui/win32/resource.h"
#include "ui/win32/twips_layout.hpp"
#include "ui/win32/matches_window.hpp"
#include "ui/win32/who_killed_whom.hpp"

// The main window's message loop and window procedure: every message turned into a controller
// handler or a piece of the window's own upkeep (colours, layout, DPI, cursor, drops).
namespace fragtide::ui::win32 {
namespace {

constexpr COLORREF kGreen = RGB(0, 128, 0);

}  // namespace

int frmMain::run() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_F1) {
            m_form->showHelpDocument();
            continue;
        }
        // Ctrl+O, the open key of every program, is Browse in the main window.
        if (msg.message == WM_KEYDOWN && msg.wParam == 'O' && (GetKeyState(VK_CONTROL) & 0x8000) != 0 &&
            (GetKeyState(VK_MENU) & 0x8000) == 0 && GetAncestor(msg.hwnd, GA_ROOT) == m_window) {
            m_form->cmdBrowse_Click();
            continue;
        }
        if (IsDialogMessageW(m_window, &msg))
            continue;
        if (m_whoKilledWhom && m_whoKilledWhom->window() && IsDialogMessageW(m_whoKilledWhom->window(), &msg))
            continue;
        if (m_matches && m_matches->window() && IsDialogMessageW(m_matches->window(), &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

LRESULT CALLBACK frmMain::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<frmMain*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->m_window = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<frmMain*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self)
        return DefWindowProcW(window, message, wParam, lParam);
    return self->handle(message, wParam, lParam);
}

LRESULT frmMain::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        const int code = HIWORD(wParam);
        if (m_running)
            return 0;
        switch (id) {
        case IDM_GAMESEL: m_form->mnuGameSel_Click(); return 0;
        case IDM_EXPORT: m_form->mnuExport_Click(); return 0;
        case IDM_EXIT: m_form->mnuExit_Click(); return 0;
        case IDM_HELPTOPICS: m_form->mnuHelp2_Click(); return 0;
        case IDM_ABOUT: m_form->mnuAbout_Click(); return 0;
        case IDM_GAMESFOLDER: m_form->mnuGamesFolder_Click(); return 0;
        case IDM_WHOKILLEDWHOM: m_form->mnuWhoKilledWhom_Click(); return 0;
        case IDM_NEWSEASON: m_form->mnuNewSeason_Click(); return 0;
        case IDM_OPENSEASON: m_form->mnuOpenSeason_Click(); return 0;
        case IDM_ADDTOSEASON: m_form->mnuAddToSeason_Click(); return 0;
        case IDM_MATCHES: m_form->mnuMatches_Click(); return 0;
        default: break;
        }
        const int names = static_cast<int>(FormController::nameDisplayEntries().size());
        if (id >= IDM_NAMES_FIRST && id < IDM_NAMES_FIRST + names) {
            m_form->mnuNames_Click(id - IDM_NAMES_FIRST);
            return 0;
        }
        if (code == BN_CLICKED) {
            if (id == controlId(MainControl::cmdBrowse))
                m_form->cmdBrowse_Click();
            else if (id == controlId(MainControl::cmdAnalyze))
                m_form->cmdAnalyze_Click();
            else if (const auto button = reportButtonOf(id))
                m_form->cmdOptions_Click(*button, lstPlayersListIndex());
            else if (id == IDC_CMDHINT)
                m_form->cmdDetectedGame_Click();
        } else if (code == LBN_SELCHANGE && id == IDC_LSTPLAYERS) {
            // Windows reports every click, also on the player already shown: nothing new to show.
            const int selected = lstPlayersListIndex();
            if (selected >= 0 && selected != m_form->individualShown())
                m_form->lstPlayers_Click(selected);
        }
        return 0;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC: {
        const HWND which = reinterpret_cast<HWND>(lParam);
        if (which == control(IDC_TXTFILE) || which == control(IDC_LST)) {
            const HDC dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, kGreen);
            SetBkColor(dc, RGB(0, 0, 0));
            return reinterpret_cast<LRESULT>(m_black);
        }
        break;
    }
    case WM_SIZE:
        layOut();
        return 0;
    case WM_GETMINMAXINFO: {
        if (!m_window)
            break;
        RECT frame{0, 0, twipsToPixels(kClientWidthTwips, dpi()), twipsToPixels(kClientHeightTwips, dpi())};
        AdjustWindowRectExForDpi(&frame, WS_OVERLAPPEDWINDOW, TRUE, WS_EX_CONTROLPARENT, static_cast<UINT>(dpi()));
        auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
        limits->ptMinTrackSize = {frame.right - frame.left, frame.bottom - frame.top};
        return 0;
    }
    case WM_DPICHANGED: {
        // Another monitor: new fonts for its DPI, and the size Windows suggests for it.
        createFonts();
        applyFonts();
        const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(m_window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        layOut();
        return 0;
    }
    case WM_SETCURSOR:
        if (m_running) {
            SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_WAIT)));
            return TRUE;
        }
        break;
    case WM_HELP:
        m_form->showHelpDocument();
        return TRUE;
    case WM_DROPFILES:
        filesDropped(reinterpret_cast<HDROP>(wParam));
        return 0;
    case kWindowShown:
        m_form->windowShown();
        return 0;
    case WM_CLOSE:
        // During a run the controller ends the program (endProgramDuringRun).
        if (!m_form->closeRequested())
            DestroyWindow(m_window);
        return 0;
    case WM_DESTROY:
        m_window = nullptr;
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(m_window, message, wParam, lParam);
}

}  // namespace fragtide::ui::win32
