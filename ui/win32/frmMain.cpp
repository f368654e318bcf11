#include "ui/win32/frmMain.hpp"

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

#include <algorithm>
#include <cmath>
#include <cwchar>
#include <exception>
#include <system_error>

#include "ui/message_text.hpp"
#include "ui/ui_texts.hpp"
#include "ui/win32/dialogs.hpp"
#include "ui/win32/file_dialog_text.hpp"
#include "ui/win32/resource.h"
#include "ui/win32/twips_layout.hpp"
#include "ui/win32/who_killed_whom.hpp"
#include "ui/win32/win32_text.hpp"

namespace fragtide::ui::win32 {

using engine::MessageAnswer;
using engine::MessageStyle;

namespace {

constexpr COLORREF kGreen = RGB(0, 128, 0);
constexpr int kProgressSteps = 10000;    // the bar's own range; the design's range maps onto it
constexpr std::uint64_t kDrawIntervalMs = 30;
constexpr UINT kShowWaitingMessages = WM_APP + 1;

int controlId(MainControl control) { return IDC_MAIN_FIRST + static_cast<int>(control); }

std::wstring programFolder() {
    std::wstring path(32768, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    path.resize(length);
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

HFONT makeFont(const wchar_t* face, double points, int dpi, bool bold, bool italic) {
    const int height = -static_cast<int>(std::lround(points * dpi / 72.0));
    // GDI's font mapper picks the closest installed face when this one is missing.
    return CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, italic, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, VARIABLE_PITCH | FF_SWISS, face);
}

int CALLBACK noteFace(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool faceInstalled(const wchar_t* face) {
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    wcsncpy(wanted.lfFaceName, face, LF_FACESIZE - 1);
    bool found = false;
    const HDC screen = GetDC(nullptr);
    EnumFontFamiliesExW(screen, &wanted, noteFace, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return found;
}

// Impact, italic; without it a heavy stand-in, bold, so that the title still looks like one.
HFONT makeTitleFont(int dpi) {
    for (const wchar_t* face : {L"Impact", L"Haettenschweiler", L"Arial Black"}) {
        if (faceInstalled(face))
            return makeFont(face, 20.25, dpi, false, true);
    }
    return makeFont(L"Arial", 20.25, dpi, true, true);
}

std::wstring windowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

// Keys and clicks aimed at the window; the frame's caption, close, minimise and maximise
// buttons stay usable, so the window can be moved or closed during a run.
bool isInputToDrop(const MSG& msg) {
    if ((msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) ||
        (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST))
        return true;
    if (msg.message >= WM_NCLBUTTONDOWN && msg.message <= WM_NCXBUTTONDBLCLK) {
        switch (msg.wParam) {
        case HTCAPTION: case HTCLOSE: case HTMINBUTTON: case HTMAXBUTTON: return false;
        default: return true;
        }
    }
    return false;
}

}  // namespace

frmMain::frmMain(HINSTANCE instance, engine::StatsStore& store, settings::SettingsBackend& backend,
                 const std::wstring& commandLine)
    : m_instance(instance),
      m_form(std::make_unique<FormController>(store, backend, *this, *this, toUtf8(commandLine),
                                              std::filesystem::path(programFolder()))),
      m_black(CreateSolidBrush(RGB(0, 0, 0))) {}

frmMain::~frmMain() {
    m_whoKilledWhom.reset();  // before the fonts it borrows go
    if (m_window)
        DestroyWindow(m_window);
    deleteFonts();
    DeleteObject(m_black);
}

bool frmMain::create() {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &frmMain::windowProc;
    windowClass.hInstance = m_instance;
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hIcon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = FRAGTIDE_MAIN_CLASS;
    if (!RegisterClassExW(&windowClass))
        return false;

    HMENU menuBar = CreateMenu();
    HMENU file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, IDM_GAMESEL, menuCaption(toWide(texts::kMenuGameSelect)).c_str());
    // Greyed until an analysis has results to export.
    AppendMenuW(file, MF_STRING | MF_GRAYED, IDM_EXPORT, menuCaption(toWide(texts::kMenuExport)).c_str());
    AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(file, MF_STRING, IDM_EXIT, menuCaption(toWide(texts::kMenuExit)).c_str());
    HMENU view = CreatePopupMenu();
    m_namesMenu = CreatePopupMenu();
    const auto entries = FormController::nameDisplayEntries();
    for (std::size_t i = 0; i < entries.size(); ++i)
        AppendMenuW(m_namesMenu, MF_STRING, IDM_NAMES_FIRST + i, toWide(entries[i]).c_str());
    AppendMenuW(view, MF_POPUP, reinterpret_cast<UINT_PTR>(m_namesMenu), menuCaption(toWide(texts::kMenuNames)).c_str());
    AppendMenuW(view, MF_STRING, IDM_WHOKILLEDWHOM, menuCaption(toWide(texts::kMenuWhoKilledWhom)).c_str());
    HMENU help = CreatePopupMenu();
    AppendMenuW(help, MF_STRING, IDM_HELPTOPICS, menuCaption(toWide(texts::kMenuHelpTopics)).c_str());
    AppendMenuW(help, MF_STRING, IDM_ABOUT, menuCaption(toWide(texts::kMenuAbout)).c_str());
    AppendMenuW(menuBar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), menuCaption(toWide(texts::kMenuFile)).c_str());
    AppendMenuW(menuBar, MF_POPUP, reinterpret_cast<UINT_PTR>(view), menuCaption(toWide(texts::kMenuView)).c_str());
    AppendMenuW(menuBar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), menuCaption(toWide(texts::kMenuHelp)).c_str());

    m_window = CreateWindowExW(WS_EX_CONTROLPARENT, FRAGTIDE_MAIN_CLASS, toWide(texts::kDesignCaption).c_str(),
                               WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, nullptr, menuBar, m_instance, this);
    if (!m_window)
        return false;
    createFonts();
    createControls();
    applyFonts();
    DragAcceptFiles(m_window, TRUE);

    // The design's client area at this monitor's DPI.
    RECT frame{0, 0, twipsToPixels(kClientWidthTwips, dpi()), twipsToPixels(kClientHeightTwips, dpi())};
    AdjustWindowRectExForDpi(&frame, WS_OVERLAPPEDWINDOW, TRUE, WS_EX_CONTROLPARENT, static_cast<UINT>(dpi()));
    SetWindowPos(m_window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    layOut();
    return true;
}

void frmMain::createControls() {
    struct ControlRow {
        MainControl which;
        const wchar_t* windowClass;
        DWORD style;
        DWORD exStyle;
        std::string_view text;
    };
    constexpr DWORD child = WS_CHILD | WS_VISIBLE;
    // Created in the design's tab order: Windows tabs through children in creation order.
    const ControlRow rows[] = {
        {MainControl::cmdBrowse, WC_BUTTONW, child | WS_TABSTOP | BS_PUSHBUTTON, 0, texts::kBrowse},
        {MainControl::txtFile, WC_EDITW, child | WS_TABSTOP | ES_AUTOHSCROLL | ES_READONLY, WS_EX_CLIENTEDGE, ""},
        {MainControl::Label1, WC_STATICW, child | SS_LEFT, 0, texts::kSelectLogFile},
        {MainControl::lst, WC_LISTBOXW, child | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_NOINTEGRALHEIGHT, WS_EX_CLIENTEDGE, ""},
        {MainControl::cmdAnalyze, WC_BUTTONW, child | WS_TABSTOP | BS_PUSHBUTTON, 0, texts::kAnalyzeLog},
        {MainControl::PB, PROGRESS_CLASSW, child, 0, ""},
        {MainControl::lbl0, WC_STATICW, child | SS_CENTER, 0, texts::kTitle},
        {MainControl::lbl1, WC_STATICW, child | SS_RIGHT | SS_ENDELLIPSIS, 0, texts::kVersionCredit},
        {MainControl::cmdOptions0, WC_BUTTONW, child | WS_TABSTOP | WS_DISABLED | BS_PUSHBUTTON, 0, texts::kGeneralInfo},
        {MainControl::cmdOptions1, WC_BUTTONW, child | WS_TABSTOP | WS_DISABLED | BS_PUSHBUTTON, 0, texts::kPlayerInfo},
        {MainControl::cmdOptions2, WC_BUTTONW, child | WS_TABSTOP | WS_DISABLED | BS_PUSHBUTTON, 0, texts::kIndividualInfo},
        {MainControl::lstPlayers, WC_LISTBOXW, child | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, WS_EX_CLIENTEDGE, ""},
        {MainControl::lbl2, WC_STATICW, child | SS_LEFT, 0, texts::kNoPlayers},
    };
    for (const ControlRow& row : rows) {
        CreateWindowExW(row.exStyle, row.windowClass, toWide(row.text).c_str(), row.style, 0, 0, 0, 0, m_window,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId(row.which))), m_instance, nullptr);
    }
    // Rivals Info, the fourth report button, under Individual Info.
    CreateWindowExW(0, WC_BUTTONW, toWide(texts::kRivalsInfo).c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_DISABLED | BS_PUSHBUTTON,
                    0, 0, 0, 0, m_window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_CMDRIVALS)), m_instance, nullptr);
    // The detection hint below the report list, hidden until an analysis calls for it; last in
    // the tab order, as in the Qt window.
    CreateWindowExW(0, WC_STATICW, L"", WS_CHILD | SS_LEFT, 0, 0, 0, 0, m_window,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_LBLHINT)), m_instance, nullptr);
    CreateWindowExW(0, WC_BUTTONW, L"", WS_CHILD | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 0, 0, m_window,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_CMDHINT)), m_instance, nullptr);
    SendMessageW(control(IDC_PB), PBM_SETRANGE32, 0, kProgressSteps);
}

int frmMain::dpi() const {
    const UINT value = m_window ? GetDpiForWindow(m_window) : 0;
    return value ? static_cast<int>(value) : USER_DEFAULT_SCREEN_DPI;
}

void frmMain::createFonts() {
    deleteFonts();
    const int at = dpi();
    m_uiFont = makeFont(L"MS Sans Serif", 8.25, at, false, false);
    m_buttonBoldFont = makeFont(L"MS Sans Serif", 8.25, at, true, false);
    m_titleFont = makeTitleFont(at);
    m_reportFont = makeFont(L"Arial", 9.75, at, true, false);
}

void frmMain::deleteFonts() {
    for (HFONT* font : {&m_uiFont, &m_buttonBoldFont, &m_titleFont, &m_reportFont}) {
        if (*font)
            DeleteObject(*font);
        *font = nullptr;
    }
}

void frmMain::applyFonts() {
    for (int i = 0; i < kMainControlCount; ++i)
        SendMessageW(control(IDC_MAIN_FIRST + i), WM_SETFONT, reinterpret_cast<WPARAM>(m_uiFont), TRUE);
    for (const int id : {IDC_LBLHINT, IDC_CMDHINT})
        SendMessageW(control(id), WM_SETFONT, reinterpret_cast<WPARAM>(m_uiFont), TRUE);
    SendMessageW(control(IDC_LBL0), WM_SETFONT, reinterpret_cast<WPARAM>(m_titleFont), TRUE);
    SendMessageW(control(IDC_LST), WM_SETFONT, reinterpret_cast<WPARAM>(m_reportFont), TRUE);
    for (int i = 0; i < 3; ++i)
        setReportButtonBold(i, m_bold[static_cast<std::size_t>(i)]);
    SendMessageW(control(IDC_CMDRIVALS), WM_SETFONT,
                 reinterpret_cast<WPARAM>(m_rivalsBold ? m_buttonBoldFont : m_uiFont), TRUE);
    // The fonts were made anew: the open who-killed-whom window must not keep the deleted one.
    if (m_whoKilledWhom)
        m_whoKilledWhom->setFont(m_uiFont);
}

void frmMain::layOut() {
    RECT client{};
    GetClientRect(m_window, &client);
    auto rects = mainLayout(client.right, client.bottom, dpi());
    // Rivals Info goes one button step under Individual Info; the count and the player list
    // move down by that step.
    const auto at = [&rects](MainControl c) -> PixelRect& { return rects[static_cast<std::size_t>(c)]; };
    const int step = at(MainControl::cmdOptions1).top - at(MainControl::cmdOptions0).top;
    PixelRect rivals = at(MainControl::cmdOptions2);
    rivals.top += step;
    SetWindowPos(control(IDC_CMDRIVALS), nullptr, rivals.left, rivals.top, rivals.width, rivals.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    at(MainControl::lbl2).top += step;
    at(MainControl::lstPlayers).top += step;
    at(MainControl::lstPlayers).height -= step;
    // The hint takes a button's height and a gap from the bottom of the report list.
    PixelRect& lst = rects[static_cast<std::size_t>(MainControl::lst)];
    const int hintHeight = twipsToPixels(405, dpi());
    const int gap = twipsToPixels(120, dpi());
    const int buttonWidth = twipsToPixels(2415, dpi());
    if (m_hintShown)
        lst.height = std::max(hintHeight, lst.height - hintHeight - gap);
    const int hintTop = lst.top + lst.height + gap;
    SetWindowPos(control(IDC_LBLHINT), nullptr, lst.left, hintTop, std::max(0, lst.width - buttonWidth - gap), hintHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(control(IDC_CMDHINT), nullptr, lst.left + lst.width - buttonWidth, hintTop, buttonWidth, hintHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    HDWP batch = BeginDeferWindowPos(kMainControlCount);
    for (int i = 0; i < kMainControlCount; ++i) {
        const PixelRect& r = rects[static_cast<std::size_t>(i)];
        if (batch)
            batch = DeferWindowPos(batch, control(IDC_MAIN_FIRST + i), nullptr, r.left, r.top, r.width, r.height,
                                   SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (batch)
        EndDeferWindowPos(batch);
    // A horizontal scroll range as wide as a long report line needs.
    SendMessageW(control(IDC_LST), LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(twipsToPixels(20000, dpi())), 0);
}

void frmMain::showFirstTime(int showCommand) {
    RECT frame{};
    GetWindowRect(m_window, &frame);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(m_window, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& area = monitor.rcWork;
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    SetWindowPos(m_window, nullptr, area.left + std::max(0L, (area.right - area.left - width) / 2),
                 area.top + std::max(0L, (area.bottom - area.top - height) / 2), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(m_window, showCommand);
    UpdateWindow(m_window);
    SetFocus(control(IDC_MAIN_FIRST + static_cast<int>(MainControl::cmdBrowse)));
    if (!m_waitingMessages.empty())
        PostMessageW(m_window, kShowWaitingMessages, 0, 0);
}

int frmMain::run() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_F1) {
            m_form->showHelpDocument();
            continue;
        }
        if (IsDialogMessageW(m_window, &msg))
            continue;
        if (m_whoKilledWhom && m_whoKilledWhom->window() && IsDialogMessageW(m_whoKilledWhom->window(), &msg))
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
        case IDM_WHOKILLEDWHOM: m_form->mnuWhoKilledWhom_Click(); return 0;
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
            else if (id >= IDC_CMDOPTIONS0 && id < IDC_CMDOPTIONS0 + FormController::kReportButtons)
                m_form->cmdOptions_Click(id - IDC_CMDOPTIONS0, lstPlayersListIndex());
            else if (id == IDC_CMDRIVALS)
                m_form->cmdOptions_Click(FormController::kRivalsButton, lstPlayersListIndex());
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
    case kShowWaitingMessages: {
        const auto waiting = std::move(m_waitingMessages);
        m_waitingMessages.clear();
        for (const WaitingMessage& notice : waiting)
            showMessage(notice.prompt, notice.style, notice.title);
        return 0;
    }
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

// ---------------------------------------------------------------------------------------------
// Start-up and handlers

void frmMain::Form_Load() {
    m_loading = true;
    m_form->Form_Load();
    m_loading = false;
}

// ---------------------------------------------------------------------------------------------
// Messages and the run's progress

void frmMain::tellUser(const std::wstring& prompt, MessageStyle style, const std::wstring& title) {
    // Before the first show a box would open alone in the screen's corner: it waits for the window.
    if (m_loading && !IsWindowVisible(m_window)) {
        m_waitingMessages.push_back({prompt, style, title});
        return;
    }
    showMessage(prompt, style, title);
}

MessageAnswer frmMain::showMessage(const std::wstring& prompt, MessageStyle style, const std::wstring& title) {
    // The design's style values are the Windows ones: 36 Yes/No with the question icon, 64 OK with
    // the information icon, 16 OK with the critical icon.
    const int answer = MessageBoxW(IsWindowVisible(m_window) ? m_window : nullptr, prompt.c_str(), title.c_str(),
                                   static_cast<UINT>(style));
    switch (answer) {
    case IDYES: return MessageAnswer::Yes;
    case IDNO: return MessageAnswer::No;
    default: return MessageAnswer::Ok;
    }
}

MessageAnswer frmMain::messageBox(std::string_view prompt, MessageStyle style, std::string_view title) {
    const std::wstring text = toWide(withCapitalStart(prompt));
    if (style == MessageStyle::YesNoQuestion) {
        // A question needs its answer now: the window shows first, so that the box opens over it.
        if (m_loading && !IsWindowVisible(m_window))
            showFirstTime(SW_SHOWNORMAL);
        return showMessage(text, style, toWide(title));
    }
    tellUser(text, style, toWide(title));
    return MessageAnswer::Ok;
}

void frmMain::pumpDuringRun() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));  // for the main loop, after the run
            return;
        }
        if (isInputToDrop(msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void frmMain::drawProgress() {
    const double span = m_progressMax - m_progressMin;
    double share = span > 0 ? (m_progressValue - m_progressMin) / span : 0;
    share = std::clamp(share, 0.0, 1.0);
    SendMessageW(control(IDC_PB), PBM_SETPOS, static_cast<WPARAM>(std::lround(share * kProgressSteps)), 0);
    m_lastDraw = GetTickCount64();
    if (m_running) {
        UpdateWindow(m_window);
        pumpDuringRun();
    }
}

void frmMain::filesDropped(HDROP drop) {
    std::vector<std::filesystem::path> paths;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring path(static_cast<std::size_t>(DragQueryFileW(drop, i, nullptr, 0)) + 1, L'\0');
        path.resize(DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size())));
        paths.emplace_back(path);
    }
    DragFinish(drop);
    // A drop is not input the run's pump drops; it is ignored here instead, like a click.
    if (!m_running)
        m_form->fileDropped(paths);
}

void frmMain::setProgressMin(double value) {
    m_progressMin = value;
    drawProgress();
}

void frmMain::setProgressMax(double value) {
    m_progressMax = value;
    drawProgress();
}

void frmMain::setProgressValue(double value) {
    // A step back (a new run) shows at once; forward steps at most every kDrawIntervalMs.
    const bool back = value < m_progressValue;
    m_progressValue = value;
    if (back || GetTickCount64() - m_lastDraw >= kDrawIntervalMs)
        drawProgress();
}

// ---------------------------------------------------------------------------------------------
// The other window operations

void frmMain::lstClear() { SendMessageW(control(IDC_LST), LB_RESETCONTENT, 0, 0); }

void frmMain::lstAddItem(std::string_view text) {
    SendMessageW(control(IDC_LST), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(toWide(text).c_str()));
}

void frmMain::lstPlayersClear() { SendMessageW(control(IDC_LSTPLAYERS), LB_RESETCONTENT, 0, 0); }

void frmMain::lstPlayersAddItem(std::string_view text) {
    SendMessageW(control(IDC_LSTPLAYERS), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(toWide(text).c_str()));
}

int frmMain::lstPlayersListCount() const {
    return static_cast<int>(SendMessageW(control(IDC_LSTPLAYERS), LB_GETCOUNT, 0, 0));
}

int frmMain::lstPlayersListIndex() const {
    const auto selected = SendMessageW(control(IDC_LSTPLAYERS), LB_GETCURSEL, 0, 0);
    return selected == LB_ERR ? -1 : static_cast<int>(selected);
}

std::string frmMain::lstPlayersList(int position) const {
    const HWND list = control(IDC_LSTPLAYERS);
    const auto length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(position), 0);
    if (length == LB_ERR)
        return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return toUtf8(text);
}

void frmMain::setPlayerCountCaption(std::string_view text) {
    SetWindowTextW(control(IDC_LBL2), toWide(text).c_str());
}

void frmMain::setReportButtonEnabled(int index, bool enabled) {
    if (index >= 0 && index < 3)
        EnableWindow(control(IDC_CMDOPTIONS0 + index), enabled);
}

void frmMain::setReportButtonBold(int index, bool bold) {
    if (index < 0 || index >= 3)
        return;
    m_bold[static_cast<std::size_t>(index)] = bold;
    SendMessageW(control(IDC_CMDOPTIONS0 + index), WM_SETFONT,
                 reinterpret_cast<WPARAM>(bold ? m_buttonBoldFont : m_uiFont), TRUE);
}

std::filesystem::path frmMain::cdFileName() const {
    return m_cdFileNames.empty() ? std::filesystem::path() : m_cdFileNames.front();
}

std::vector<std::filesystem::path> frmMain::cdFileNames() const { return m_cdFileNames; }
std::string frmMain::txtFileText() const { return toUtf8(windowText(control(IDC_TXTFILE))); }
void frmMain::setCaption(std::string_view text) { SetWindowTextW(m_window, toWide(text).c_str()); }

// ---------------------------------------------------------------------------------------------
// FormOps

void frmMain::setChosenFiles(const std::vector<std::filesystem::path>& paths, std::string_view shownName) {
    m_cdFileNames = paths;
    SetWindowTextW(control(IDC_TXTFILE), toWide(shownName).c_str());
}

namespace {

// "label\0pattern\0" per filter, and the list's own closing NUL.
template <typename Filter>
std::wstring filterList(const std::vector<Filter>& filters) {
    std::wstring list;
    for (const Filter& entry : filters) {
        list += toWide(entry.description);
        list += L'\0';
        list += toWide(entry.patterns);
        list += L'\0';
    }
    list += L'\0';
    return list;
}

}  // namespace

std::vector<std::filesystem::path> frmMain::chooseLogFiles(const OpenFileRequest& request) {
    const std::wstring filter = filterList(request.filters);
    const std::wstring title = toWide(request.title);
    const std::wstring folder = request.initialFolder.wstring();
    const std::wstring suffix = toWide(request.defaultSuffix);

    // Room for a season of names; the dialog fails (FNERR_BUFFERTOOSMALL) rather than cut a list.
    std::wstring file(request.allowMultiple ? 1 << 20 : 32768, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = m_window;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.lpstrTitle = title.c_str();
    dialog.Flags = (request.fileMustExist ? OFN_FILEMUSTEXIST : 0) | (request.pathMustExist ? OFN_PATHMUSTEXIST : 0) |
                   (request.hideReadOnly ? OFN_HIDEREADONLY : 0) |
                   (request.allowMultiple ? OFN_ALLOWMULTISELECT | OFN_EXPLORER : 0);
    dialog.lpstrDefExt = suffix.empty() ? nullptr : suffix.c_str();
    if (!GetOpenFileNameW(&dialog))
        return {};  // cancelled
    return multiSelectPaths(file);
}

std::optional<ChosenExportFile> frmMain::chooseExportFile(const ExportFileRequest& request) {
    const std::wstring filter = filterList(request.filters);
    const std::wstring title = toWide(request.title);
    const std::wstring folder = request.initialFolder.wstring();
    const std::wstring suffix = toWide(request.defaultSuffix);
    std::wstring file(32768, L'\0');
    const std::wstring name = request.defaultName.wstring();
    std::copy_n(name.begin(), std::min(name.size(), file.size() - 1), file.begin());

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = m_window;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.lpstrTitle = title.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOREADONLYRETURN |
                   (request.overwritePrompt ? OFN_OVERWRITEPROMPT : 0);
    // The dialog adds the selected filter's extension to a name typed without one.
    dialog.lpstrDefExt = suffix.empty() ? nullptr : suffix.c_str();
    if (!GetSaveFileNameW(&dialog))
        return std::nullopt;  // cancelled
    file.resize(wcslen(file.c_str()));
    return ChosenExportFile{std::filesystem::path(file), dialog.nFilterIndex > 0 ? static_cast<int>(dialog.nFilterIndex) - 1 : 0};
}

void frmMain::setExportEnabled(bool enabled) {
    EnableMenuItem(GetMenu(m_window), IDM_EXPORT, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

std::optional<int> frmMain::runGameSelect(const GameSelectChoice& choice) {
    return win32::runGameSelect(m_instance, m_window, choice, [this] { m_form->showHelpDocument(); });
}

void frmMain::runAbout(const AboutTexts& texts) {
    win32::runAbout(m_instance, m_window, texts, [this] { m_form->showHelpDocument(); });
}

bool frmMain::startProgram(const std::string& commandLine) {
    // CreateProcess parses the command line itself, exactly as the viewer's command was always
    // given: the viewer, one space, the path unquoted.
    std::wstring command = toWide(commandLine);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWMAXIMIZED;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

bool frmMain::showHelpDocument(const std::filesystem::path& path) {
    // The default browser: Windows has had no viewer of its own for such a document since Vista.
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(m_window, L"open", path.wstring().c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;
}

void frmMain::runStarting() {
    m_running = true;
    m_lastDraw = 0;
}

void frmMain::runFinished() {
    drawProgress();  // the bar shows the final value at once, whatever was last drawn
    m_running = false;
    // Clicks and keys that queued up during the run are dropped, not acted on afterwards.
    MSG msg;
    while (PeekMessageW(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
    }
    while (PeekMessageW(&msg, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
    }
}

void frmMain::endProgramDuringRun() {
    ShowWindow(m_window, SW_HIDE);
    ExitProcess(0);
}

void frmMain::quit() { DestroyWindow(m_window); }

void frmMain::showDetectionHint(const std::optional<DetectionHint>& hint) {
    m_hintShown = hint.has_value();
    if (hint) {
        SetWindowTextW(control(IDC_LBLHINT), toWide(hint->text).c_str());
        SetWindowTextW(control(IDC_CMDHINT), toWide(hint->button).c_str());
    }
    ShowWindow(control(IDC_LBLHINT), m_hintShown ? SW_SHOW : SW_HIDE);
    ShowWindow(control(IDC_CMDHINT), m_hintShown ? SW_SHOW : SW_HIDE);
    layOut();
}

void frmMain::setNameDisplayChecked(int index) {
    const int count = static_cast<int>(FormController::nameDisplayEntries().size());
    if (index >= 0 && index < count)
        CheckMenuRadioItem(m_namesMenu, IDM_NAMES_FIRST, IDM_NAMES_FIRST + count - 1, IDM_NAMES_FIRST + index,
                           MF_BYCOMMAND);
}

void frmMain::setRivalsButton(bool enabled, bool bold) {
    m_rivalsBold = bold;
    EnableWindow(control(IDC_CMDRIVALS), enabled);
    SendMessageW(control(IDC_CMDRIVALS), WM_SETFONT, reinterpret_cast<WPARAM>(bold ? m_buttonBoldFont : m_uiFont),
                 TRUE);
}

void frmMain::showWhoKilledWhom(const reports::RivalsMatrix& matrix, engine::NameDisplay display) {
    if (!m_whoKilledWhom)
        m_whoKilledWhom = std::make_unique<WhoKilledWhom>(m_instance, m_window, m_uiFont);
    m_whoKilledWhom->show(matrix, display);
}

void frmMain::updateWhoKilledWhom(const reports::RivalsMatrix& matrix, engine::NameDisplay display) {
    if (m_whoKilledWhom)
        m_whoKilledWhom->update(matrix, display);
}

}  // namespace fragtide::ui::win32
