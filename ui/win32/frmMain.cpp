#include "ui/win32/frmMain.hpp"

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

#include <algorithm>
#include <cmath>
#include <cwchar>
#include <exception>
#include <system_error>

#include "ui/help_command.hpp"
#include "ui/message_text.hpp"
#include "ui/ui_texts.hpp"
#include "ui/win32/dialogs.hpp"
#include "ui/win32/file_dialogs.hpp"
#include "ui/win32/fonts.hpp"
#include "ui/win32/main_menu.hpp"
#include "ui/win32/matches_window.hpp"
#include "ui/win32/run_pump.hpp"
#include "ui/win32/file_dialog_text.hpp"
#include "ui/win32/resource.h"
#include "ui/win32/twips_layout.hpp"
#include "ui/win32/who_killed_whom.hpp"
#include "ui/win32/win32_text.hpp"

namespace fragtide::ui::win32 {


namespace {

constexpr int kProgressSteps = 10000;    // the bar's own range; the design's range maps onto it
constexpr std::uint64_t kDrawIntervalMs = 30;

std::wstring programFolder() {
    std::wstring path(32768, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    path.resize(length);
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

std::wstring windowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

}  // namespace

int frmMain::controlId(MainControl control) { return IDC_MAIN_FIRST + static_cast<int>(control); }

frmMain::frmMain(HINSTANCE instance, engine::StatsStore& store, settings::SettingsBackend& backend,
                 const std::wstring& commandLine)
    : m_instance(instance),
      m_form(std::make_unique<FormController>(store, backend, *this, *this, toUtf8(commandLine),
                                              std::filesystem::path(programFolder()))),
      m_seasons(seasonFiles()),
      m_black(CreateSolidBrush(RGB(0, 0, 0))) {
    m_form->setSeasonAccess(*m_seasons);
}

frmMain::~frmMain() {
    m_whoKilledWhom.reset();  // before the fonts they borrow go
    m_matches.reset();
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

    const MainMenu menu = createMainMenu();
    m_namesMenu = menu.names;
    m_window = CreateWindowExW(WS_EX_CONTROLPARENT, FRAGTIDE_MAIN_CLASS, toWide(texts::kDesignCaption).c_str(),
                               WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, nullptr, menu.bar, m_instance, this);
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
    const std::string noPlayers = texts::playerCountCaption(0);
    const ControlRow rows[] = {
        {MainControl::cmdBrowse, WC_BUTTONW, child | WS_TABSTOP | BS_PUSHBUTTON, 0, texts::kBrowse},
        {MainControl::txtFile, WC_EDITW, child | WS_TABSTOP | ES_AUTOHSCROLL | ES_READONLY, WS_EX_CLIENTEDGE, ""},
        {MainControl::Label1, WC_STATICW, child | SS_LEFT, 0, texts::kSelectLogFile},
        {MainControl::lst, WC_LISTBOXW, child | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_NOINTEGRALHEIGHT, WS_EX_CLIENTEDGE, ""},
        {MainControl::cmdAnalyze, WC_BUTTONW, child | WS_TABSTOP | BS_PUSHBUTTON, 0, texts::kAnalyzeLog},
        {MainControl::PB, PROGRESS_CLASSW, child, 0, ""},
        {MainControl::lbl0, WC_STATICW, child | SS_CENTER, 0, texts::kTitle},
        {MainControl::lbl1, WC_STATICW, child | SS_RIGHT | SS_ENDELLIPSIS, 0, texts::kVersionCredit},
        {MainControl::cmdOptions0, WC_BUTTONW, child | WS_TABSTOP | WS_DISABLED | BS_PUSHBUTTON, 0, texts::kGeneralInfoButton},
        {MainControl::cmdOptions1, WC_BUTTONW, child | WS_TABSTOP | WS_DISABLED | BS_PUSHBUTTON, 0, texts::kPlayerInfoButton},
        {MainControl::cmdOptions2, WC_BUTTONW, child | WS_TABSTOP | WS_DISABLED | BS_PUSHBUTTON, 0, texts::kIndividualInfoButton},
        {MainControl::lstPlayers, WC_LISTBOXW, child | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, WS_EX_CLIENTEDGE, ""},
        {MainControl::lbl2, WC_STATICW, child | SS_LEFT, 0, noPlayers},
    };
    for (const ControlRow& row : rows) {
        CreateWindowExW(row.exStyle, row.windowClass, toWide(row.text).c_str(), row.style, 0, 0, 0, 0, m_window,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId(row.which))), m_instance, nullptr);
    }
    // Rivals Info, the fourth report button, under Individual Info.
    CreateWindowExW(0, WC_BUTTONW, toWide(texts::kRivalsInfoButton).c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_DISABLED | BS_PUSHBUTTON,
                    0, 0, 0, 0, m_window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_CMDRIVALS)), m_instance, nullptr);
    // A season's Ranking under it, shown while a season is open.
    CreateWindowExW(0, WC_BUTTONW, toWide(texts::kRankingButton).c_str(), WS_CHILD | WS_TABSTOP | WS_DISABLED | BS_PUSHBUTTON,
                    0, 0, 0, 0, m_window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_CMDRANKING)), m_instance, nullptr);
    // The detection hint below the report list, hidden until an analysis calls for it; last in
    // the tab order, as in the Qt window.
    CreateWindowExW(0, WC_STATICW, L"", WS_CHILD | SS_LEFT, 0, 0, 0, 0, m_window,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_LBLHINT)), m_instance, nullptr);
    CreateWindowExW(0, WC_BUTTONW, L"", WS_CHILD | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 0, 0, m_window,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_CMDHINT)), m_instance, nullptr);
    SendMessageW(control(IDC_PB), PBM_SETRANGE32, 0, kProgressSteps);
    // Focus marks always show, not only after the first key: the report list is read with the
    // keys, and green on black gives no other sign of the focus.
    SendMessageW(m_window, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
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
    setReportButtonBold(ReportButton::Ranking, m_bold[static_cast<std::size_t>(ReportButton::Ranking)]);
    SendMessageW(control(IDC_LBL0), WM_SETFONT, reinterpret_cast<WPARAM>(m_titleFont), TRUE);
    SendMessageW(control(IDC_LST), WM_SETFONT, reinterpret_cast<WPARAM>(m_reportFont), TRUE);
    for (const ReportButton button : kReportButtons)
        setReportButtonBold(button, m_bold[static_cast<std::size_t>(button)]);
    // The fonts were made anew: the open who-killed-whom window must not keep the deleted one.
    if (m_whoKilledWhom)
        m_whoKilledWhom->setFont(m_uiFont);
    if (m_matches)
        m_matches->setFont(m_uiFont);
}

void frmMain::layOut() {
    RECT client{};
    GetClientRect(m_window, &client);
    auto rects = mainLayout(client.right, client.bottom, dpi());
    // The hint's button as wide as its text ("Analyze as Half-Life : Server Log") and margins.
    const int hintButtonWidth =
        textWidth(m_window, m_uiFont, windowText(control(IDC_CMDHINT))) + 2 * twipsToPixels(180, dpi());
    const ExtraRects extras = placeExtras(rects, dpi(), m_hintShown, hintButtonWidth, m_rankingShown);
    const auto place = [this](int id, const PixelRect& r) {
        SetWindowPos(control(id), nullptr, r.left, r.top, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
    };
    place(IDC_CMDRIVALS, extras.rivals);
    place(IDC_CMDRANKING, extras.ranking);
    place(IDC_LBLHINT, extras.hintLabel);
    place(IDC_CMDHINT, extras.hintButton);
    HDWP batch = BeginDeferWindowPos(kMainControlCount);
    for (int i = 0; i < kMainControlCount; ++i) {
        const PixelRect& r = rects[static_cast<std::size_t>(i)];
        if (batch)
            batch = DeferWindowPos(batch, control(IDC_MAIN_FIRST + i), nullptr, r.left, r.top, r.width, r.height,
                                   SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (batch)
        EndDeferWindowPos(batch);
    // Controls that moved leave their old place unpainted, and static ones do not repaint
    // themselves on a move: the whole client area is drawn again.
    RedrawWindow(m_window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void frmMain::widenReportScroll(const std::wstring& line) {
    // The scroll range follows the longest line, so the bar appears only when a line is cut.
    const int width = textWidth(control(IDC_LST), m_reportFont, line) + twipsToPixels(120, dpi());
    if (width <= m_lstWidest)
        return;
    m_lstWidest = width;
    SendMessageW(control(IDC_LST), LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(width), 0);
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
    // Posted, so that the window is painted before a held box opens over it.
    PostMessageW(m_window, kWindowShown, 0, 0);
}

// ---------------------------------------------------------------------------------------------
// Start-up and handlers

void frmMain::Form_Load() { m_form->Form_Load(); }

// ---------------------------------------------------------------------------------------------
// Messages and the run's progress

MessageAnswer frmMain::showMessage(const std::wstring& prompt, MessageStyle style, const std::wstring& title) {
    UINT type = MB_OK | MB_ICONINFORMATION;
    if (style == MessageStyle::YesNoQuestion)
        type = MB_YESNO | MB_ICONQUESTION;
    else if (style == MessageStyle::OkCritical)
        type = MB_OK | MB_ICONERROR;
    const int answer =
        MessageBoxW(IsWindowVisible(m_window) ? m_window : nullptr, prompt.c_str(), title.c_str(), type);
    switch (answer) {
    case IDYES: return MessageAnswer::Yes;
    case IDNO: return MessageAnswer::No;
    default: return MessageAnswer::Ok;
    }
}

MessageAnswer frmMain::messageBox(std::string_view prompt, MessageStyle style, std::string_view title) {
    return showMessage(toWide(withCapitalStart(prompt)), style, toWide(title));
}

void frmMain::showWindowNow() {
    if (!IsWindowVisible(m_window))
        showFirstTime(SW_SHOWNORMAL);
}

void frmMain::pumpDuringRun() { pumpMessagesDuringRun(); }

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

void frmMain::lstClear() {
    SendMessageW(control(IDC_LST), LB_RESETCONTENT, 0, 0);
    m_lstWidest = 0;
    SendMessageW(control(IDC_LST), LB_SETHORIZONTALEXTENT, 0, 0);
}

void frmMain::lstAddItem(std::string_view text) {
    const std::wstring line = toWide(text);
    SendMessageW(control(IDC_LST), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    widenReportScroll(line);
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

// The column's first three buttons have consecutive ids; Rivals Info and Ranking came later.
int frmMain::reportButtonId(ReportButton button) {
    if (button == ReportButton::Ranking)
        return IDC_CMDRANKING;
    return button == ReportButton::RivalsInfo ? IDC_CMDRIVALS : IDC_CMDOPTIONS0 + static_cast<int>(button);
}

std::optional<ReportButton> frmMain::reportButtonOf(int id) {
    if (id == IDC_CMDRANKING)
        return ReportButton::Ranking;
    for (const ReportButton button : kReportButtons) {
        if (reportButtonId(button) == id)
            return button;
    }
    return std::nullopt;
}

void frmMain::setReportButtonEnabled(ReportButton button, bool enabled) {
    EnableWindow(control(reportButtonId(button)), enabled);
}

void frmMain::setReportButtonBold(ReportButton button, bool bold) {
    m_bold[static_cast<std::size_t>(button)] = bold;
    SendMessageW(control(reportButtonId(button)), WM_SETFONT,
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

std::vector<std::filesystem::path> frmMain::chooseLogFiles(const OpenFileRequest& request) {
    return openLogFiles(m_window, request);
}

std::optional<ChosenExportFile> frmMain::chooseExportFile(const ExportFileRequest& request) {
    return saveExportFile(m_window, request);
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
    return startDetachedCommandLine(commandLine);
}

bool frmMain::showHelpDocument(const std::filesystem::path& path) {
    // The default browser: Windows has had no viewer of its own for such a document since Vista.
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(m_window, L"open", path.wstring().c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;
}

bool frmMain::openFolder(const std::filesystem::path& folder) {
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(m_window, L"open", folder.wstring().c_str(), nullptr, nullptr, SW_SHOWNORMAL));
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

}  // namespace fragtide::ui::win32
