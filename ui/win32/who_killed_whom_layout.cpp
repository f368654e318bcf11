#include "ui/win32/who_killed_whom_layout.hpp"

#include <algorithm>

namespace fragtide::ui::win32 {

WhoKilledWhomRects whoKilledWhomLayout(int clientWidth, int clientHeight, int namesWidth,
                                       const WhoKilledWhomMetrics& metrics) {
    const int margin = metrics.margin;
    const int buttonsTop = std::max(margin, clientHeight - margin - metrics.buttonHeight);
    const int listsWidth = std::max(0, clientWidth - 2 * margin);
    const int listsHeight = std::max(0, buttonsTop - 2 * margin);
    const int names = std::clamp(namesWidth, 0, listsWidth * 2 / 5);
    WhoKilledWhomRects rects;
    rects.names = {margin, margin, names, listsHeight};
    rects.counts = {margin + names, margin, listsWidth - names, listsHeight};
    const int closeLeft = std::max(margin, clientWidth - margin - metrics.buttonWidth);
    rects.close = {closeLeft, buttonsTop, metrics.buttonWidth, metrics.buttonHeight};
    rects.copy = {std::max(margin, closeLeft - margin - metrics.buttonWidth), buttonsTop, metrics.buttonWidth,
                  metrics.buttonHeight};
    return rects;
}

}  // namespace fragtide::ui::win32
