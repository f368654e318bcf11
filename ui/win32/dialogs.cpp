#include "ui/win32/dialogs.hpp"

#include <cmath>

#include "ui/ui_texts.hpp"
#include "ui/win32/resource.h"
#include "ui/win32/twips_layout.hpp"
#include "ui/win32/win32_text.hpp"

namespace fragtide::ui::win32 {

namespace {

struct Placement {
    int id;
    int left, top, width, height;  // twips
};

// State of one open dialog, reached from its procedure through DWLP_USER.
struct DialogState {
    bool done = false;
    HFONT boldFont = nullptr;
    const GameSelectChoice* choice = nullptr;
    std::optional<int> chosen;
    const AboutTexts* about = nullptr;
};

int dialogDpi(HWND dialog) {
    const UINT dpi = GetDpiForWindow(dialog);
    return dpi ? static_cast<int>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

// Client area and controls from the design's twips, then centred on the owner's monitor.
void placeFromTwips(HWND dialog, int clientWidth, int clientHeight, const Placement* controls, int count) {
    const int dpi = dialogDpi(dialog);
    for (int i = 0; i < count; ++i) {
        const Placement& p = controls[i];
        SetWindowPos(GetDlgItem(dialog, p.id), nullptr, twipsToPixels(p.left, dpi), twipsToPixels(p.top, dpi),
                     twipsToPixels(p.width, dpi), twipsToPixels(p.height, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE));
    RECT frame{0, 0, twipsToPixels(clientWidth, dpi), twipsToPixels(clientHeight, dpi)};
    AdjustWindowRectExForDpi(&frame, style, FALSE, exStyle, static_cast<UINT>(dpi));
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(GetParent(dialog), MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& area = monitor.rcWork;
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    SetWindowPos(dialog, nullptr, area.left + (area.right - area.left - width) / 2,
                 area.top + (area.bottom - area.top - height) / 2, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void setText(HWND dialog, int id, std::string_view text) { SetDlgItemTextW(dialog, id, toWide(text).c_str()); }

// The line under Game Select's list: what the selected game reads.
void showGameDescription(HWND dialog, const GameSelectChoice& choice) {
    const auto selected = SendDlgItemMessageW(dialog, IDC_GS_GAMES, CB_GETCURSEL, 0, 0);
    const bool known = selected >= 0 && static_cast<std::size_t>(selected) < choice.descriptions.size();
    setText(dialog, IDC_GS_DESC, known ? choice.descriptions[static_cast<std::size_t>(selected)] : std::string());
}

DialogState* stateOf(HWND dialog) { return reinterpret_cast<DialogState*>(GetWindowLongPtrW(dialog, DWLP_USER)); }

INT_PTR CALLBACK gameSelectProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        const DialogState& state = *reinterpret_cast<DialogState*>(lParam);
        SetWindowTextW(dialog, toWide(texts::kGameSelectTitle).c_str());
        setText(dialog, IDC_GS_LBL, texts::kGameSelectLabel);
        setText(dialog, IDC_GS_OK, texts::kOk);
        setText(dialog, IDC_GS_CANCEL, texts::kCancel);
        const HWND games = GetDlgItem(dialog, IDC_GS_GAMES);
        for (const std::string& game : state.choice->games)
            SendMessageW(games, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(toWide(game).c_str()));
        SendMessageW(games, CB_SETCURSEL, static_cast<WPARAM>(state.choice->preselected), 0);
        showGameDescription(dialog, *state.choice);
        // The combo box's height is its edit part; the drop-down list below it shows all six.
        // Four lines under it hold the longest description wrapped.
        const Placement controls[] = {
            {IDC_GS_LBL, 120, 120, 3375, 255},
            {IDC_GS_GAMES, 240, 480, 4935, 315 * 8},
            {IDC_GS_DESC, 240, 900, 4935, 780},
            {IDC_GS_OK, 3720, 1800, 1455, 375},
            {IDC_GS_CANCEL, 240, 1800, 1455, 375},
        };
        placeFromTwips(dialog, 5400, 2370, controls, 5);
        SetFocus(games);
        return FALSE;  // the focus is set
    }
    case WM_COMMAND: {
        DialogState& state = *stateOf(dialog);
        if (LOWORD(wParam) == IDC_GS_GAMES && HIWORD(wParam) == CBN_SELCHANGE) {
            showGameDescription(dialog, *state.choice);
            return TRUE;
        }
        if (HIWORD(wParam) != BN_CLICKED)
            return FALSE;
        if (LOWORD(wParam) == IDC_GS_OK) {
            const auto selected = static_cast<int>(SendDlgItemMessageW(dialog, IDC_GS_GAMES, CB_GETCURSEL, 0, 0));
            if (!FormController::gameSelectOkAllowed(selected))
                return TRUE;
            state.chosen = selected;
            state.done = true;
        } else if (LOWORD(wParam) == IDC_GS_CANCEL) {
            state.done = true;
        }
        return TRUE;
    }
    case WM_CLOSE:
        stateOf(dialog)->done = true;
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK aboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        auto& state = *reinterpret_cast<DialogState*>(lParam);
        const AboutTexts& about = *state.about;
        SetWindowTextW(dialog, toWide(about.title).c_str());
        setText(dialog, IDC_ABOUT_LBL0, about.credit);
        setText(dialog, IDC_ABOUT_LBL2, about.contact);
        setText(dialog, IDC_ABOUT_LBL3, about.description);
        setText(dialog, IDOK, about.ok);
        const int height = -static_cast<int>(std::lround(9.75 * dialogDpi(dialog) / 72.0));
        state.boldFont = CreateFontW(height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                     CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, VARIABLE_PITCH | FF_SWISS, L"Arial");
        SendDlgItemMessageW(dialog, IDC_ABOUT_LBL0, WM_SETFONT, reinterpret_cast<WPARAM>(state.boldFont), TRUE);
        const Placement controls[] = {
            {IDC_ABOUT_LBL0, 120, 120, 5295, 375},
            {IDC_ABOUT_LBL2, 120, 735, 5175, 495},
            {IDC_ABOUT_LBL3, 120, 1470, 5175, 975},
            {IDOK, 1800, 2685, 1575, 375},
        };
        // The gaps are the Qt dialog's 16 pixels; nothing stands between credit and contact.
        placeFromTwips(dialog, 5445, 3300, controls, 4);
        return TRUE;
    }
    case WM_COMMAND:
        // OK, Enter and Escape close it, as any About box.
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)
            stateOf(dialog)->done = true;
        return TRUE;
    case WM_CLOSE:
        stateOf(dialog)->done = true;
        return TRUE;
    default:
        return FALSE;
    }
}

// A modal loop of our own rather than DialogBoxParam's, so that F1 reaches the help from inside
// the dialog whatever control has the focus.
void runModal(HINSTANCE instance, int templateId, HWND owner, DLGPROC procedure, DialogState& state,
              const std::function<void()>& onHelp) {
    HWND dialog = CreateDialogParamW(instance, MAKEINTRESOURCEW(templateId), owner, procedure,
                                     reinterpret_cast<LPARAM>(&state));
    if (!dialog)
        return;
    EnableWindow(owner, FALSE);
    ShowWindow(dialog, SW_SHOW);
    UpdateWindow(dialog);
    MSG msg;
    while (!state.done) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0)
                PostQuitMessage(static_cast<int>(msg.wParam));  // for the main loop
            break;
        }
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_F1) {
            onHelp();
            continue;
        }
        if (IsDialogMessageW(dialog, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    // The owner first, so that Windows gives it the activation back.
    EnableWindow(owner, TRUE);
    DestroyWindow(dialog);
    if (state.boldFont)
        DeleteObject(state.boldFont);
}

}  // namespace

std::optional<int> runGameSelect(HINSTANCE instance, HWND owner, const GameSelectChoice& choice,
                                 const std::function<void()>& onHelp) {
    DialogState state;
    state.choice = &choice;
    runModal(instance, IDD_GAMESELECT, owner, gameSelectProc, state, onHelp);
    return state.chosen;
}

void runAbout(HINSTANCE instance, HWND owner, const AboutTexts& texts, const std::function<void()>& onHelp) {
    DialogState state;
    state.about = &texts;
    runModal(instance, IDD_ABOUT, owner, aboutProc, state, onHelp);
}

}  // namespace fragtide::ui::win32
