#pragma once

#include "ui/win32/twips_layout.hpp"

// Where the who-killed-whom window's pieces go: the killers' names in a pane of their own at the
// left, which never scrolls sideways, the counts beside it taking the rest of the width, and Copy
// and Close under them at the right. Pure arithmetic, toolkit-free, so it is tested on any
// platform.
namespace fragtide::ui::win32 {

struct WhoKilledWhomMetrics {
    int margin = 0;
    int buttonWidth = 0;
    int buttonHeight = 0;
};

struct WhoKilledWhomRects {
    PixelRect names;
    PixelRect counts;
    PixelRect copy;
    PixelRect close;
};

// The pieces for a client area of `clientWidth` x `clientHeight` pixels when the names would like
// `namesWidth` pixels. The names give way to the counts in a narrow window: they take at most two
// fifths of the lists' width, so some counts always show beside them. Both lists get the same
// height; the window shortens the names' by the counts' horizontal scroll bar, so their rows line
// up. No size is negative, however small the window.
WhoKilledWhomRects whoKilledWhomLayout(int clientWidth, int clientHeight, int namesWidth,
                                       const WhoKilledWhomMetrics& metrics);

}  // namespace fragtide::ui::win32
