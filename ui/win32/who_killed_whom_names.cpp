// The who-killed-whom window's frozen names: the killers' names in a list of their own beside the
// counts, kept on the counts' rows, and the tips over both lists' headings.
#include "ui/win32/who_killed_whom.hpp"

#include <algorithm>

#include "ui/ui_texts.hpp"
#include "ui/win32/resource.h"
#include "ui/win32/win32_text.hpp"

namespace fragtide::ui::win32 {

namespace {

// The pane only holds the names list: what the list tells its parent goes on to the window.
LRESULT CALLBACK paneProc(HWND pane, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY || message == WM_COMMAND)
        return SendMessageW(GetParent(pane), message, wParam, lParam);
    return DefWindowProcW(pane, message, wParam, lParam);
}

HWND makeTips(HINSTANCE instance, HWND owner, int maxWidth) {
    const HWND tips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                                      instance, nullptr);
    // Wraps an extremely long name rather than run it off the screen.
    SendMessageW(tips, TTM_SETMAXTIPWIDTH, 0, maxWidth);
    return tips;
}

TTTOOLINFOW tool(HWND header, int item) {
    TTTOOLINFOW info{};
    info.cbSize = sizeof info;
    info.uFlags = TTF_SUBCLASS;
    info.hwnd = header;
    info.uId = static_cast<UINT_PTR>(item);
    Header_GetItemRect(header, item, &info.rect);
    return info;
}

void addTip(HWND tips, HWND header, int item, std::wstring text) {
    TTTOOLINFOW info = tool(header, item);
    info.lpszText = text.data();  // the tip keeps its own copy
    SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

}  // namespace

bool WhoKilledWhom::createNames() {
    WNDCLASSEXW paneClass{};
    paneClass.cbSize = sizeof paneClass;
    paneClass.lpfnWndProc = paneProc;
    paneClass.hInstance = m_instance;
    paneClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    paneClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    paneClass.lpszClassName = FRAGTIDE_WKW_NAMES_CLASS;
    RegisterClassExW(&paneClass);  // fails harmlessly when registered already
    m_namesPane = CreateWindowExW(WS_EX_CONTROLPARENT, FRAGTIDE_WKW_NAMES_CLASS, L"",
                                  WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 0, m_window,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_WKW_NAMES_PANE)), m_instance,
                                  nullptr);
    if (!m_namesPane)
        return false;
    m_names = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                              WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, 0,
                              0, 0, 0, m_namesPane, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_WKW_NAMES)),
                              m_instance, nullptr);
    if (!m_names)
        return false;
    SendMessageW(m_names, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
    // The same grid as the counts, which also keeps the rows of both the same height.
    ListView_SetExtendedListViewStyle(m_names, LVS_EX_GRIDLINES | LVS_EX_DOUBLEBUFFER | LVS_EX_LABELTIP);
    std::wstring corner = toWide(texts::kWhoKilledWhomCorner);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH;
    column.fmt = LVCFMT_LEFT;
    column.pszText = corner.data();
    SendMessageW(m_names, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    m_namesTips = makeTips(m_instance, m_window, scaled(400));
    addTip(m_namesTips, ListView_GetHeader(m_names), 0, toWide(texts::kWhoKilledWhomCornerTip));
    m_countTips = makeTips(m_instance, m_window, scaled(400));
    // Whatever scrolls one list (its bar, the wheel, keys, a row brought into view) scrolls the other.
    SetWindowSubclass(m_names, listProc, 0, reinterpret_cast<DWORD_PTR>(this));
    SetWindowSubclass(m_list, listProc, 0, reinterpret_cast<DWORD_PTR>(this));
    return true;
}

LRESULT CALLBACK WhoKilledWhom::listProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR self) {
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(list, listProc, id);
        return DefSubclassProc(list, message, wParam, lParam);
    }
    const LRESULT result = DefSubclassProc(list, message, wParam, lParam);
    reinterpret_cast<WhoKilledWhom*>(self)->followTop(list);
    return result;
}

// Scrolls the other list to the row at the top of `leader`. Both lists show the same rows at the
// same height, so each can reach any top the other has.
void WhoKilledWhom::followTop(HWND leader) {
    if (m_following || !m_list || !m_names)
        return;
    // Set before asking: the questions go through the lists' own subclass, which calls back here.
    m_following = true;
    const HWND follower = leader == m_list ? m_names : m_list;
    const int top = ListView_GetTopIndex(leader);
    const int followerTop = ListView_GetTopIndex(follower);
    RECT wanted{}, now{};
    if (top != followerTop && ListView_GetItemRect(follower, top, &wanted, LVIR_BOUNDS) &&
        ListView_GetItemRect(follower, followerTop, &now, LVIR_BOUNDS))
        ListView_Scroll(follower, 0, wanted.top - now.top);
    m_following = false;
}

// A row selected or focused in one list is so in the other, so the user reads it across.
void WhoKilledWhom::followSelection(HWND leader, const NMLISTVIEW& change) {
    constexpr UINT kFollowed = LVIS_SELECTED | LVIS_FOCUSED;
    if (m_following || !(change.uChanged & LVIF_STATE) || !((change.uNewState ^ change.uOldState) & kFollowed))
        return;
    m_following = true;
    const UINT state = change.uNewState & kFollowed;
    ListView_SetItemState(leader == m_list ? m_names : m_list, change.iItem, state,
                          (change.uNewState ^ change.uOldState) & kFollowed);
    m_following = false;
}

// The names list as tall as the counts' rows and frame, so both show as many rows; its own
// scroll bar and right edge lie past the pane, out of view: the counts' bar scrolls both.
void WhoKilledWhom::placeNames() {
    if (!m_names)
        return;
    RECT pane{}, counts{};
    GetClientRect(m_namesPane, &pane);
    GetClientRect(m_list, &counts);
    const UINT dpi = GetDpiForWindow(m_window);
    const int edgeX = GetSystemMetricsForDpi(SM_CXEDGE, dpi);
    const int edgeY = GetSystemMetricsForDpi(SM_CYEDGE, dpi);
    const int scrollBar = GetSystemMetricsForDpi(SM_CXVSCROLL, dpi);
    const int height = std::min(static_cast<int>(pane.bottom), static_cast<int>(counts.bottom) + 2 * edgeY);
    MoveWindow(m_names, 0, 0, static_cast<int>(pane.right) + edgeX + scrollBar, height, TRUE);
    m_namesColumn = std::max(0, static_cast<int>(pane.right) - edgeX);
    ListView_SetColumnWidth(m_names, 0, m_namesColumn);
    moveTips(m_namesTips, ListView_GetHeader(m_names), 1);
    followTop(m_list);
}

// One tip per heading of the counts (list column 0 holds none: it is zero wide), each the full
// heading, whether or not the column cuts it short.
void WhoKilledWhom::setCountTips(const std::vector<std::wstring>& headings) {
    const HWND header = ListView_GetHeader(m_list);
    for (int i = 0; i < m_countTipCount; ++i) {
        TTTOOLINFOW info{};
        info.cbSize = sizeof info;
        info.hwnd = header;
        info.uId = static_cast<UINT_PTR>(i);
        SendMessageW(m_countTips, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
    m_countTipCount = static_cast<int>(headings.size()) + 1;
    for (int i = 1; i < m_countTipCount; ++i)
        addTip(m_countTips, header, i, headings[static_cast<std::size_t>(i - 1)]);
}

// After a column changed width. A sideways scroll moves the header window itself, so the
// headings keep their places within it and their tips with them.
void WhoKilledWhom::moveTips(HWND tips, HWND header, int count) {
    for (int i = 0; i < count; ++i) {
        TTTOOLINFOW info = tool(header, i);
        SendMessageW(tips, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&info));
    }
}

bool WhoKilledWhom::headerNotify(const NMHDR& header, LPARAM lParam, LRESULT& result) {
    const HWND countsHeader = ListView_GetHeader(m_list);
    const HWND namesHeader = ListView_GetHeader(m_names);
    if (header.hwndFrom != countsHeader && header.hwndFrom != namesHeader)
        return false;
    const auto& change = *reinterpret_cast<const NMHEADERW*>(lParam);
    // The names column fills its pane and the counts' column 0 stays hidden: neither follows a drag.
    const bool frozen = header.hwndFrom == namesHeader || change.iItem == 0;
    switch (header.code) {
    case HDN_BEGINTRACKW:
    case HDN_BEGINTRACKA:
        result = frozen;
        return true;
    case HDN_ITEMCHANGINGW:
    case HDN_ITEMCHANGINGA:
        result = frozen && change.pitem && (change.pitem->mask & HDI_WIDTH) &&
                 change.pitem->cxy != (header.hwndFrom == namesHeader ? m_namesColumn : 0);
        return true;
    case HDN_ITEMCHANGEDW:
    case HDN_ITEMCHANGEDA:
        if (header.hwndFrom == countsHeader && !m_following) {
            moveTips(m_countTips, countsHeader, m_countTipCount);
            placeNames();  // the counts may have gained or lost their horizontal scroll bar
        }
        result = 0;
        return true;
    default:
        return false;
    }
}

bool WhoKilledWhom::notify(const NMHDR& header, LPARAM lParam, LRESULT& result) {
    if (header.hwndFrom != m_list && header.hwndFrom != m_names)
        return headerNotify(header, lParam, result);
    switch (header.code) {
    case LVN_COLUMNCLICK:
        // The names list's only column is the killers' names, list column 0 of the counts'.
        sortByListColumn(header.hwndFrom == m_names ? 0 : reinterpret_cast<const NMLISTVIEW*>(lParam)->iSubItem);
        result = 0;
        return true;
    case LVN_ITEMCHANGED:
        followSelection(header.hwndFrom, *reinterpret_cast<const NMLISTVIEW*>(lParam));
        result = 0;
        return true;
    case NM_CUSTOMDRAW:
        if (header.hwndFrom != m_list)
            return false;
        result = customDraw(*reinterpret_cast<NMLVCUSTOMDRAW*>(lParam));
        return true;
    default:
        return false;
    }
}

}  // namespace fragtide::ui::win32
