#pragma once

#include <windows.h>

#include <string>

// The fonts of the main window and its dialogs, made for one DPI. The caller deletes them.
namespace fragtide::ui::win32 {

// `face` at `points` for `dpi`; GDI's font mapper picks the closest installed face when this one
// is missing.
HFONT makeFont(const wchar_t* face, double points, int dpi, bool bold, bool italic);

// The title's font: Impact, italic; without it a heavy stand-in, bold, so that the title still
// looks like one.
HFONT makeTitleFont(int dpi);

// The width in pixels of `text` drawn in `font` on `window`'s screen.
int textWidth(HWND window, HFONT font, const std::wstring& text);

}  // namespace fragtide::ui::win32
