#include "ui/win32/who_killed_whom.hpp"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "reports/report_texts.hpp"
#include "ui/ui_texts.hpp"
#include "ui/win32/fonts.hpp"
#include "ui/win32/resource.h"
#include "ui/win32/who_killed_whom_layout.hpp"
#include "ui/win32/win32_text.hpp"

namespace fragtide::ui::win32 {

namespace {

constexpr COLORREF kWindow = RGB(255, 255, 255);
constexpr COLORREF kDeepest = RGB(96, 176, 96);  // deep enough to tell apart, light enough for black text

std::wstring shown(const std::string& name, engine::NameDisplay display) {
    return toWide(engine::displayText(name, display));
}

std::wstring number(reports::PeopleCount value) {
    return value ? std::to_wstring(value) : std::wstring();
}

// Windows' text on the clipboard ends its lines in CR LF; pasted elsewhere a bare LF may run the
// rows together.
std::wstring clipboardText(const std::string& utf8) {
    std::wstring text;
    for (const wchar_t c : toWide(utf8)) {
        if (c == L'\n')
            text += L'\r';
        text += c;
    }
    return text;
}

// The shade of a cell holding `frags` when the largest cell holds `largest`: the window colour
// for none, a deeper green the more frags.
COLORREF cellShade(reports::PeopleCount frags, reports::PeopleCount largest) {
    if (frags <= 0 || largest <= 0)
        return kWindow;
    // A quarter of the way at once, so that a single frag beside a large one still shows.
    const double depth = 0.25 + 0.75 * static_cast<double>(std::min(frags, largest)) / static_cast<double>(largest);
    const auto mix = [depth](int from, int to) { return static_cast<BYTE>(from + (to - from) * depth + 0.5); };
    return RGB(mix(GetRValue(kWindow), GetRValue(kDeepest)), mix(GetGValue(kWindow), GetGValue(kDeepest)),
               mix(GetBValue(kWindow), GetBValue(kDeepest)));
}

}  // namespace

WhoKilledWhom::WhoKilledWhom(HINSTANCE instance, HWND owner, HFONT font)
    : m_instance(instance), m_owner(owner), m_font(font) {}

WhoKilledWhom::~WhoKilledWhom() {
    if (m_window)
        DestroyWindow(m_window);
}

void WhoKilledWhom::show(reports::RivalsMatrix matrix, engine::NameDisplay display) {
    if (!m_window && !create())
        return;
    setMatrix(std::move(matrix), display);
    ShowWindow(m_window, SW_SHOWNORMAL);
    SetForegroundWindow(m_window);
}

void WhoKilledWhom::update(reports::RivalsMatrix matrix, engine::NameDisplay display) {
    if (m_window)
        setMatrix(std::move(matrix), display);
}

void WhoKilledWhom::setFont(HFONT font) {
    m_font = font;
    for (const HWND control : {m_names, m_list, m_copy, m_close})
        if (control)
            SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    if (m_window)
        fill();  // the widths follow the font
}

int WhoKilledWhom::scaled(int pixelsAt96) const {
    const UINT dpi = GetDpiForWindow(m_window ? m_window : m_owner);
    return MulDiv(pixelsAt96, dpi ? static_cast<int>(dpi) : 96, 96);
}

bool WhoKilledWhom::create() {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = m_instance;
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = FRAGTIDE_WKW_CLASS;
    RegisterClassExW(&windowClass);  // fails harmlessly when registered already
    // The Qt window's size, in pixels at 96 dpi.
    const int width = scaled(560);
    const int height = scaled(360);
    if (!CreateWindowExW(WS_EX_CONTROLPARENT, FRAGTIDE_WKW_CLASS, toWide(texts::kWhoKilledWhomTitle).c_str(),
                         WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, width, height, m_owner, nullptr,
                         m_instance, this))
        return false;
    placeOverOwner(width, height);
    const auto child = [this](const wchar_t* windowClassName, const std::wstring& text, DWORD style, DWORD exStyle,
                              int id) {
        const HWND made = CreateWindowExW(exStyle, windowClassName, text.c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0,
                                          0, 0, m_window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                          m_instance, nullptr);
        SendMessageW(made, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
        return made;
    };
    // The counts come after the names in the tab order, though made first: the names need them.
    m_list = child(WC_LISTVIEWW, L"", WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, WS_EX_CLIENTEDGE,
                   IDC_WKW_LIST);
    ListView_SetExtendedListViewStyle(m_list, LVS_EX_GRIDLINES | LVS_EX_DOUBLEBUFFER);
    if (!createNames())
        return false;
    SetWindowPos(m_namesPane, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    m_copy = child(WC_BUTTONW, toWide(texts::kCopy), WS_TABSTOP | BS_PUSHBUTTON, 0, IDC_WKW_COPY);
    m_close = child(WC_BUTTONW, toWide(texts::kClose), WS_TABSTOP | BS_PUSHBUTTON, 0, IDC_WKW_CLOSE);
    layOut();
    return true;
}

LRESULT CALLBACK WhoKilledWhom::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<WhoKilledWhom*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->m_window = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<WhoKilledWhom*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self)
        return DefWindowProcW(window, message, wParam, lParam);
    return self->handle(message, wParam, lParam);
}

LRESULT WhoKilledWhom::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        layOut();
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_WKW_COPY)
            copyToClipboard();
        else if (LOWORD(wParam) == IDC_WKW_CLOSE || LOWORD(wParam) == IDCANCEL)
            DestroyWindow(m_window);
        return 0;
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (m_list && m_names && notify(*reinterpret_cast<const NMHDR*>(lParam), lParam, result))
            return result;
        break;
    }
    case WM_DESTROY:
        SetWindowLongPtrW(m_window, GWLP_USERDATA, 0);
        // The tips are owned windows and go with this one.
        m_window = m_list = m_copy = m_close = m_namesPane = m_names = m_namesTips = m_countTips = nullptr;
        m_countTipCount = 0;
        return 0;
    default:
        break;
    }
    return DefWindowProcW(m_window, message, wParam, lParam);
}

// Centred over the main window, as its other windows open, and kept on that window's monitor.
void WhoKilledWhom::placeOverOwner(int width, int height) {
    RECT owner{};
    GetWindowRect(m_owner, &owner);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(m_owner, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& area = monitor.rcWork;
    const auto within = [](long wanted, long low, long high) {
        return static_cast<int>(std::max(low, std::min(wanted, high)));
    };
    const int left = within(owner.left + (owner.right - owner.left - width) / 2, area.left, area.right - width);
    const int top = within(owner.top + (owner.bottom - owner.top - height) / 2, area.top, area.bottom - height);
    SetWindowPos(m_window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void WhoKilledWhom::layOut() {
    if (!m_list)
        return;
    RECT client{};
    GetClientRect(m_window, &client);
    const WhoKilledWhomRects rects = whoKilledWhomLayout(static_cast<int>(client.right), static_cast<int>(client.bottom),
                                                         m_namesWanted, {scaled(8), scaled(75), scaled(23)});
    const auto place = [](HWND control, const PixelRect& rect) {
        MoveWindow(control, rect.left, rect.top, rect.width, rect.height, TRUE);
    };
    // The counts first: the names take their height from the counts' rows.
    place(m_list, rects.counts);
    place(m_namesPane, rects.names);
    placeNames();
    place(m_copy, rects.copy);
    place(m_close, rects.close);
}

void WhoKilledWhom::setMatrix(reports::RivalsMatrix matrix, engine::NameDisplay display) {
    m_view.setMatrix(std::move(matrix));
    m_display = display;
    fill();
}

// Counts list column 0 is the killer's name, zero wide (the names list shows it; the list's first
// column cannot be right-aligned, and it lets a typed name find its row), 1..n the victims, n + 1
// the row total; the last item is the total row, and stays last whatever the order.
void WhoKilledWhom::fill() {
    const reports::RivalsMatrix& matrix = m_view.matrix();
    const int rows = matrix.rowCount();
    const int columns = matrix.columnCount();
    const std::wstring total = toWide(reports::texts::kMatrixTotal);
    m_following = true;  // rows come and go in both lists while they are filled
    SendMessageW(m_list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(m_names, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(m_names);
    ListView_DeleteAllItems(m_list);
    while (ListView_DeleteColumn(m_list, 0)) {
    }
    const auto addColumn = [this](int index, std::wstring text, int format, int width) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH;
        column.fmt = format;
        column.cx = width;
        column.pszText = text.data();
        SendMessageW(m_list, LVM_INSERTCOLUMNW, index, reinterpret_cast<LPARAM>(&column));
    };
    // Each victim's column as wide as the name up to a limit, never narrower than the largest
    // count; the killers' names as wide as the longest, within a bound that keeps counts in view.
    const auto widthOf = [this](const std::wstring& text) { return textWidth(m_list, m_font, text); };
    const int padding = scaled(20);  // the cell margins and the sort arrow
    const int widest = widthOf(std::wstring(kWhoKilledWhomColumnChars, L'n')) + padding;
    const int numberWidth = widthOf(std::to_wstring(matrix.total())) + padding;
    const auto columnWidth = [&](const std::wstring& name) {
        return std::max(numberWidth, std::min(widest, widthOf(name) + padding));
    };
    const std::wstring corner = toWide(texts::kWhoKilledWhomCorner);
    int namesWidth = widthOf(corner) + padding;
    for (int r = 0; r < rows; ++r)
        namesWidth = std::max(namesWidth, widthOf(shown(matrix.rowName(r), m_display)) + padding);
    namesWidth = std::min(namesWidth, widthOf(std::wstring(kWhoKilledWhomRowHeadingChars, L'n')) + padding);
    m_namesWanted = namesWidth + GetSystemMetricsForDpi(SM_CXEDGE, GetDpiForWindow(m_window));
    addColumn(0, L"", LVCFMT_LEFT, 0);
    std::vector<std::wstring> headings;
    for (int c = 0; c < columns; ++c) {
        headings.push_back(shown(matrix.columnName(c), m_display));
        addColumn(c + 1, headings.back(), LVCFMT_RIGHT, columnWidth(headings.back()));
    }
    headings.push_back(total);
    addColumn(columns + 1, total, LVCFMT_RIGHT, columnWidth(total));
    setCountTips(headings);

    const auto addRow = [this](int item, std::wstring name) {
        LVITEMW row{};
        row.mask = LVIF_TEXT;
        row.iItem = item;
        row.pszText = name.data();
        SendMessageW(m_names, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&row));
        SendMessageW(m_list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&row));
    };
    const auto put = [this](int item, int subItem, reports::PeopleCount value) {
        std::wstring text = number(value);
        LVITEMW cell{};
        cell.iSubItem = subItem;
        cell.pszText = text.data();
        SendMessageW(m_list, LVM_SETITEMTEXTW, item, reinterpret_cast<LPARAM>(&cell));
    };
    for (int r = 0; r < rows; ++r) {
        addRow(r, shown(matrix.rowName(r), m_display));
        for (int c = 0; c < columns; ++c)
            put(r, c + 1, matrix.cell(r, c));
        put(r, columns + 1, matrix.rowTotal(r));
    }
    addRow(rows, total);
    for (int c = 0; c < columns; ++c)
        put(rows, c + 1, matrix.columnTotal(c));
    put(rows, columns + 1, matrix.total());
    showSortArrow();
    SendMessageW(m_names, WM_SETREDRAW, TRUE, 0);
    SendMessageW(m_list, WM_SETREDRAW, TRUE, 0);
    m_following = false;
    layOut();  // the names' width, and the counts' scroll bars, changed with the columns
    InvalidateRect(m_names, nullptr, TRUE);
    InvalidateRect(m_list, nullptr, TRUE);
}

// List column 0 is the killers' names, then the view's columns one to the right.
void WhoKilledWhom::sortByListColumn(int listColumn) {
    m_view.headingClicked(listColumn - 1);
    fill();
}

// The names' heading carries the arrow when the rows are sorted by name; list column 0 of the
// counts never does.
void WhoKilledWhom::showSortArrow() {
    const auto& indicator = m_view.sortIndicator();
    const auto mark = [&indicator](HWND header, int item, int column) {
        HDITEMW heading{};
        heading.mask = HDI_FORMAT;
        Header_GetItem(header, item, &heading);
        heading.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
        if (indicator && indicator->column == column)
            heading.fmt |= indicator->descending ? HDF_SORTDOWN : HDF_SORTUP;
        Header_SetItem(header, item, &heading);
    };
    mark(ListView_GetHeader(m_names), 0, WhoKilledWhomView::kNamesColumn);
    const HWND header = ListView_GetHeader(m_list);
    for (int i = 1; i < Header_GetItemCount(header); ++i)
        mark(header, i, i - 1);
}

void WhoKilledWhom::copyToClipboard() {
    const std::wstring text = clipboardText(m_view.matrix().copyText());
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    bool copied = false;
    if (OpenClipboard(m_window)) {
        if (EmptyClipboard()) {
            if (const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
                if (void* target = GlobalLock(memory)) {
                    std::memcpy(target, text.c_str(), bytes);
                    GlobalUnlock(memory);
                    copied = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
                }
                if (!copied)
                    GlobalFree(memory);  // the clipboard owns it only once SetClipboardData took it
            }
        }
        CloseClipboard();
    }
    // Another program may hold the clipboard open; say so rather than leave the user pasting old text.
    if (!copied)
        MessageBeep(MB_ICONWARNING);
}

LRESULT WhoKilledWhom::customDraw(NMLVCUSTOMDRAW& draw) const {
    switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
        return CDRF_NOTIFYSUBITEMDRAW;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
        const int row = static_cast<int>(draw.nmcd.dwItemSpec);
        const int column = draw.iSubItem - 1;
        // Only the frag cells are shaded; names and totals keep the window colour. The colour
        // must be set for every sub-item, as the list keeps the last one for the next.
        const reports::RivalsMatrix& matrix = m_view.matrix();
        const bool isCell = row < matrix.rowCount() && column >= 0 && column < matrix.columnCount();
        draw.clrTextBk = isCell ? cellShade(matrix.cell(row, column), matrix.largestCell()) : kWindow;
        draw.clrText = RGB(0, 0, 0);
        return CDRF_NEWFONT;
    }
    default:
        return CDRF_DODEFAULT;
    }
}

}  // namespace fragtide::ui::win32
