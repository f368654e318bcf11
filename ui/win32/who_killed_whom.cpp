#include "ui/win32/who_killed_whom.hpp"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>

#include "reports/report_texts.hpp"
#include "ui/ui_texts.hpp"
#include "ui/win32/resource.h"
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
    for (const HWND control : {m_list, m_copy, m_close})
        if (control)
            SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
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
    const auto child = [this](const wchar_t* windowClassName, const std::wstring& text, DWORD style, DWORD exStyle,
                              int id) {
        const HWND made = CreateWindowExW(exStyle, windowClassName, text.c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0,
                                          0, 0, m_window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                          m_instance, nullptr);
        SendMessageW(made, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
        return made;
    };
    m_list = child(WC_LISTVIEWW, L"", WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, WS_EX_CLIENTEDGE,
                   IDC_WKW_LIST);
    ListView_SetExtendedListViewStyle(m_list, LVS_EX_GRIDLINES | LVS_EX_DOUBLEBUFFER);
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
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->hwndFrom != m_list)
            break;
        if (header->code == LVN_COLUMNCLICK) {
            sortByListColumn(reinterpret_cast<const NMLISTVIEW*>(lParam)->iSubItem);
            return 0;
        }
        if (header->code == NM_CUSTOMDRAW)
            return customDraw(*reinterpret_cast<NMLVCUSTOMDRAW*>(lParam));
        break;
    }
    case WM_DESTROY:
        SetWindowLongPtrW(m_window, GWLP_USERDATA, 0);
        m_window = m_list = m_copy = m_close = nullptr;
        return 0;
    default:
        break;
    }
    return DefWindowProcW(m_window, message, wParam, lParam);
}

void WhoKilledWhom::layOut() {
    if (!m_list)
        return;
    RECT client{};
    GetClientRect(m_window, &client);
    const int margin = scaled(8);
    const int buttonWidth = scaled(75);
    const int buttonHeight = scaled(23);
    const int buttonsTop = std::max(margin, static_cast<int>(client.bottom) - margin - buttonHeight);
    MoveWindow(m_list, margin, margin, std::max(0, static_cast<int>(client.right) - 2 * margin),
               std::max(0, buttonsTop - 2 * margin), TRUE);
    const int closeLeft = std::max(margin, static_cast<int>(client.right) - margin - buttonWidth);
    MoveWindow(m_close, closeLeft, buttonsTop, buttonWidth, buttonHeight, TRUE);
    MoveWindow(m_copy, std::max(margin, closeLeft - margin - buttonWidth), buttonsTop, buttonWidth, buttonHeight,
               TRUE);
}

void WhoKilledWhom::setMatrix(reports::RivalsMatrix matrix, engine::NameDisplay display) {
    m_matrix = std::move(matrix);
    m_display = display;
    fill();
}

// List column 0 is the killer's name, 1..n the victims, n + 1 the row total; the last item is
// the total row, and stays last whatever the order.
void WhoKilledWhom::fill() {
    const int rows = m_matrix.rowCount();
    const int columns = m_matrix.columnCount();
    const std::wstring total = toWide(reports::texts::kMatrixTotal);
    SendMessageW(m_list, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(m_list);
    while (ListView_DeleteColumn(m_list, 0)) {
    }
    const auto addColumn = [this](int index, std::wstring text, int format, int width) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH;
        column.fmt = format;
        column.cx = scaled(width);
        column.pszText = text.data();
        SendMessageW(m_list, LVM_INSERTCOLUMNW, index, reinterpret_cast<LPARAM>(&column));
    };
    addColumn(0, L"", LVCFMT_LEFT, 120);
    for (int c = 0; c < columns; ++c)
        addColumn(c + 1, shown(m_matrix.columnName(c), m_display), LVCFMT_RIGHT, 64);
    addColumn(columns + 1, total, LVCFMT_RIGHT, 56);

    const auto addRow = [this](int item, std::wstring name) {
        LVITEMW row{};
        row.mask = LVIF_TEXT;
        row.iItem = item;
        row.pszText = name.data();
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
        addRow(r, shown(m_matrix.rowName(r), m_display));
        for (int c = 0; c < columns; ++c)
            put(r, c + 1, m_matrix.cell(r, c));
        put(r, columns + 1, m_matrix.rowTotal(r));
    }
    addRow(rows, total);
    for (int c = 0; c < columns; ++c)
        put(rows, c + 1, m_matrix.columnTotal(c));
    put(rows, columns + 1, m_matrix.total());
    SendMessageW(m_list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(m_list, nullptr, TRUE);
}

void WhoKilledWhom::sortByListColumn(int listColumn) {
    const int columns = m_matrix.columnCount();
    if (listColumn < 0 || listColumn > columns + 1)
        return;
    const int matrixColumn = listColumn == 0             ? reports::RivalsMatrix::kNameColumn
                             : listColumn == columns + 1 ? reports::RivalsMatrix::kTotalColumn
                                                         : listColumn - 1;
    m_matrix.sortByHeadingClick(matrixColumn);
    fill();
}

void WhoKilledWhom::copyToClipboard() {
    const std::wstring text = clipboardText(m_matrix.copyText());
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
        const bool isCell = row < m_matrix.rowCount() && column >= 0 && column < m_matrix.columnCount();
        draw.clrTextBk = isCell ? cellShade(m_matrix.cell(row, column), m_matrix.largestCell()) : kWindow;
        draw.clrText = RGB(0, 0, 0);
        return CDRF_NEWFONT;
    }
    default:
        return CDRF_DODEFAULT;
    }
}

}  // namespace fragtide::ui::win32
