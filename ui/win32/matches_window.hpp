#pragma once

#include <windows.h>

#include "ui/form_ops.hpp"

// View, Matches on Windows: a non-modal window over the main one with the season's matches in a
// report-view ListView, one row per match in season order, and Close. It keeps its own copy of
// the table. Created on the first show, destroyed when the user closes it; the object outlives it.
// Single-threaded: use it on the thread that runs the main window.
namespace fragtide::ui::win32 {

class MatchesWindow {
public:
    // `owner` must outlive this object; `font` is borrowed and must stay alive while it is open.
    MatchesWindow(HINSTANCE instance, HWND owner, HFONT font);
    ~MatchesWindow();
    MatchesWindow(const MatchesWindow&) = delete;
    MatchesWindow& operator=(const MatchesWindow&) = delete;

    // Opens the window (or brings it to the front) showing `table`.
    void show(const MatchesTable& table);
    // Shows `table` when the window is open; nothing otherwise.
    void update(const MatchesTable& table);
    // The font for the window's controls, from now on (the main window made its fonts anew).
    void setFont(HFONT font);
    HWND window() const { return m_window; }

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    bool create();
    void fill(const MatchesTable& table);
    void layOut();
    int scaled(int pixelsAt96) const;

    HINSTANCE m_instance;
    HWND m_owner;
    HFONT m_font;
    HWND m_window = nullptr;
    HWND m_list = nullptr;
    HWND m_close = nullptr;
};

}  // namespace fragtide::ui::win32
