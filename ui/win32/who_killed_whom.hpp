#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "engine/display_text.hpp"
#include "reports/rivals_matrix.hpp"
#include "ui/who_killed_whom_view.hpp"

// The who-killed-whom window on Windows: a non-modal window opened over the main one with the
// matrix of frags in two report-view ListViews side by side. The left one holds the killers'
// names under a corner heading that says rows are killers and columns victims; it never scrolls
// sideways, so the names stay in view while the right one, one column per victim and the row
// total, scrolls beside them; a total row comes last in both. The two scroll up and down, and
// select, as one. Cells are shaded by count; a click on a column heading sorts the rows by it
// (the same heading again reverses; the heading shows the arrow); Copy puts the matrix on the
// clipboard as tab-separated text; Close. Columns are as wide as their names up to a limit, and
// each victim's heading shows the full name in a tip; a killer's name cut short shows whole in a
// tip; the names take a bounded width.
//
// It keeps its own copy of the matrix, so the analysis that built it may go away. The window is
// created on the first show and destroyed when the user closes it; the object outlives it and
// shows again on the next show. Names are decoded for display here, once. Single-threaded: use it
// on the thread that runs the main window.
namespace fragtide::ui::win32 {

class WhoKilledWhom {
public:
    // `owner` (the main window) must outlive this object; `font` is borrowed and must stay alive
    // while the window is open.
    WhoKilledWhom(HINSTANCE instance, HWND owner, HFONT font);
    ~WhoKilledWhom();
    WhoKilledWhom(const WhoKilledWhom&) = delete;
    WhoKilledWhom& operator=(const WhoKilledWhom&) = delete;

    // Opens the window (or brings it to the front) showing `matrix` in its order of first
    // appearance.
    void show(reports::RivalsMatrix matrix, engine::NameDisplay display);
    // Shows `matrix` when the window is open and does nothing otherwise: the next show brings
    // the matrix of its own time.
    void update(reports::RivalsMatrix matrix, engine::NameDisplay display);

    // The font for the window's controls, from now on (the main window made its fonts anew).
    void setFont(HFONT font);

    // The window while it is open, else nullptr (for the message loop's dialog keys).
    HWND window() const { return m_window; }

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK listProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                     DWORD_PTR self);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    bool create();
    bool createNames();
    // Answers a notification of either list or its header; false leaves it to the default.
    bool notify(const NMHDR& header, LPARAM lParam, LRESULT& result);
    bool headerNotify(const NMHDR& header, LPARAM lParam, LRESULT& result);
    void followTop(HWND leader);
    void followSelection(HWND leader, const NMLISTVIEW& change);
    void placeNames();
    void setCountTips(const std::vector<std::wstring>& headings);
    void moveTips(HWND tips, HWND header, int count);
    void setMatrix(reports::RivalsMatrix matrix, engine::NameDisplay display);
    void fill();
    void layOut();
    void sortByListColumn(int listColumn);
    void showSortArrow();
    void placeOverOwner(int width, int height);
    void copyToClipboard();
    LRESULT customDraw(NMLVCUSTOMDRAW& draw) const;
    int scaled(int pixelsAt96) const;

    HINSTANCE m_instance;
    HWND m_owner;
    HFONT m_font;
    HWND m_window = nullptr;
    HWND m_list = nullptr;
    HWND m_copy = nullptr;
    HWND m_close = nullptr;
    HWND m_namesPane = nullptr;  // clips the names list's own scroll bar out of view
    HWND m_names = nullptr;
    HWND m_namesTips = nullptr;
    HWND m_countTips = nullptr;
    int m_countTipCount = 0;
    int m_namesWanted = 0;  // the names pane's width for the longest name, within the bound
    int m_namesColumn = 0;  // the names column's width, the only one the user's drag may not change
    bool m_following = false;  // one list is being moved after the other, or both are being filled
    WhoKilledWhomView m_view;
    engine::NameDisplay m_display = engine::NameDisplay::Automatic;
};

}  // namespace fragtide::ui::win32
