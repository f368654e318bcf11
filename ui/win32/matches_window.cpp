#include "ui/win32/matches_window.hpp"

#include <commctrl.h>

#include <string>

#include "ui/ui_texts.hpp"
#include "ui/win32/resource.h"
#include "ui/win32/win32_text.hpp"

namespace fragtide::ui::win32 {

MatchesWindow::MatchesWindow(HINSTANCE instance, HWND owner, HFONT font)
    : m_instance(instance), m_owner(owner), m_font(font) {}

MatchesWindow::~MatchesWindow() {
    if (m_window)
        DestroyWindow(m_window);
}

void MatchesWindow::show(const MatchesTable& table) {
    if (!m_window && !create())
        return;
    fill(table);
    ShowWindow(m_window, SW_SHOWNORMAL);
    SetForegroundWindow(m_window);
}

void MatchesWindow::update(const MatchesTable& table) {
    if (m_window)
        fill(table);
}

void MatchesWindow::setFont(HFONT font) {
    m_font = font;
    for (const HWND control : {m_list, m_close})
        if (control)
            SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

int MatchesWindow::scaled(int pixelsAt96) const {
    const UINT dpi = GetDpiForWindow(m_window ? m_window : m_owner);
    return MulDiv(pixelsAt96, dpi ? static_cast<int>(dpi) : 96, 96);
}

bool MatchesWindow::create() {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = m_instance;
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = FRAGTIDE_MATCHES_CLASS;
    RegisterClassExW(&windowClass);  // fails harmlessly when registered already
    // The Qt window's size, in pixels at 96 dpi.
    if (!CreateWindowExW(WS_EX_CONTROLPARENT, FRAGTIDE_MATCHES_CLASS, L"", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                         CW_USEDEFAULT, scaled(820), scaled(480), m_owner, nullptr, m_instance, this))
        return false;
    m_list = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                             WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, 0,
                             0, 0, 0, m_window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_MATCHES_LIST)),
                             m_instance, nullptr);
    ListView_SetExtendedListViewStyle(m_list, LVS_EX_GRIDLINES | LVS_EX_DOUBLEBUFFER | LVS_EX_FULLROWSELECT);
    m_close = CreateWindowExW(0, WC_BUTTONW, toWide(texts::kClose).c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                              0, 0, 0, 0, m_window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_MATCHES_CLOSE)),
                              m_instance, nullptr);
    for (const HWND control : {m_list, m_close})
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
    layOut();
    return true;
}

void MatchesWindow::fill(const MatchesTable& table) {
    SetWindowTextW(m_window, toWide(table.title).c_str());
    SendMessageW(m_list, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(m_list);
    while (ListView_DeleteColumn(m_list, 0)) {
    }
    for (std::size_t c = 0; c < table.headings.size(); ++c) {
        std::wstring heading = toWide(table.headings[c]);
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH;
        column.fmt = c < table.numeric.size() && table.numeric[c] ? LVCFMT_RIGHT : LVCFMT_LEFT;
        column.cx = scaled(100);
        column.pszText = heading.data();
        SendMessageW(m_list, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
    }
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        for (std::size_t c = 0; c < table.rows[r].size(); ++c) {
            std::wstring text = toWide(table.rows[r][c]);
            LVITEMW cell{};
            cell.mask = LVIF_TEXT;
            cell.iItem = static_cast<int>(r);
            cell.iSubItem = static_cast<int>(c);
            cell.pszText = text.data();
            SendMessageW(m_list, c == 0 ? LVM_INSERTITEMW : LVM_SETITEMTEXTW, r, reinterpret_cast<LPARAM>(&cell));
        }
    }
    for (std::size_t c = 0; c < table.headings.size(); ++c)
        ListView_SetColumnWidth(m_list, static_cast<int>(c), LVSCW_AUTOSIZE_USEHEADER);
    SendMessageW(m_list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(m_list, nullptr, TRUE);
}

void MatchesWindow::layOut() {
    RECT client{};
    GetClientRect(m_window, &client);
    const int margin = scaled(8);
    const int buttonWidth = scaled(89);
    const int buttonHeight = scaled(27);
    MoveWindow(m_list, margin, margin, client.right - 2 * margin, client.bottom - 3 * margin - buttonHeight, TRUE);
    MoveWindow(m_close, client.right - margin - buttonWidth, client.bottom - margin - buttonHeight, buttonWidth,
               buttonHeight, TRUE);
}

LRESULT CALLBACK MatchesWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<MatchesWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->m_window = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MatchesWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self)
        return DefWindowProcW(window, message, wParam, lParam);
    return self->handle(message, wParam, lParam);
}

LRESULT MatchesWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        if (m_list)
            layOut();
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_MATCHES_CLOSE || LOWORD(wParam) == IDCANCEL)
            DestroyWindow(m_window);
        return 0;
    case WM_DESTROY:
        SetWindowLongPtrW(m_window, GWLP_USERDATA, 0);
        m_window = m_list = m_close = nullptr;
        return 0;
    default:
        break;
    }
    return DefWindowProcW(m_window, message, wParam, lParam);
}

}  // namespace fragtide::ui::win32
