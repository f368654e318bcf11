#include "ui/win32/twips_layout.hpp"

#include <algorithm>

namespace fragtide::ui::win32 {

namespace {

struct Design {
    int left, top, width, height;
    bool followsRight;  // moves with the right edge
    bool growsWide;     // takes the extra width
    bool followsBottom; // moves with the bottom edge
    bool growsTall;     // takes the extra height
};

// In MainControl order; twips from the design table.
constexpr Design kDesign[kMainControlCount] = {
    // The file row: the box takes the extra width, so a long path shows; its buttons move right.
    {5520, 120, 1335, 405, true, false, false, false},    // cmdBrowse
    {2880, 120, 2175, 285, false, true, false, false},    // txtFile
    {120, 120, 2415, 255, false, false, false, false},    // Label1
    {120, 720, 8655, 5100, false, true, false, true},     // lst
    {7320, 120, 1335, 405, true, false, false, false},    // cmdAnalyze
    {120, 6000, 10815, 255, false, true, true, false},    // PB
    {8880, 0, 2055, 495, true, false, false, false},      // lbl 0
    // lbl 1: the design's right edge, widened to the left and just below the buttons, so that
    // the credit fits on one line with the fonts Windows has today.
    {7320, 540, 3495, 180, true, false, false, false},    // lbl 1
    {9000, 960, 1935, 405, true, false, false, false},    // cmdOptions 0
    {9000, 1440, 1935, 405, true, false, false, false},   // cmdOptions 1
    {9000, 1920, 1935, 405, true, false, false, false},   // cmdOptions 2
    {9000, 2880, 1935, 2985, true, false, false, true},   // lstPlayers
    {9000, 2520, 1935, 255, true, false, false, false},   // lbl 2
};

}  // namespace

int twipsToPixels(int twips, int dpi) {
    // Round half away from zero: 15 twips are exactly one pixel at 96 dpi.
    const long long scaled = static_cast<long long>(twips) * dpi;
    return static_cast<int>(scaled >= 0 ? (scaled + 720) / 1440 : -((-scaled + 720) / 1440));
}

std::array<PixelRect, kMainControlCount> mainLayout(int clientWidth, int clientHeight, int dpi) {
    const int extraWidth = std::max(0, clientWidth - twipsToPixels(kClientWidthTwips, dpi));
    const int extraHeight = std::max(0, clientHeight - twipsToPixels(kClientHeightTwips, dpi));
    std::array<PixelRect, kMainControlCount> rects{};
    for (int i = 0; i < kMainControlCount; ++i) {
        const Design& d = kDesign[i];
        PixelRect& r = rects[static_cast<std::size_t>(i)];
        r.left = twipsToPixels(d.left, dpi) + (d.followsRight ? extraWidth : 0);
        r.top = twipsToPixels(d.top, dpi) + (d.followsBottom ? extraHeight : 0);
        r.width = twipsToPixels(d.width, dpi) + (d.growsWide ? extraWidth : 0);
        r.height = twipsToPixels(d.height, dpi) + (d.growsTall ? extraHeight : 0);
    }
    return rects;
}

ExtraRects placeExtras(std::array<PixelRect, kMainControlCount>& rects, int dpi, bool hintShown,
                       int hintButtonWidth, bool rankingShown) {
    const auto at = [&rects](MainControl c) -> PixelRect& { return rects[static_cast<std::size_t>(c)]; };
    ExtraRects extras;
    const int step = at(MainControl::cmdOptions1).top - at(MainControl::cmdOptions0).top;
    extras.rivals = at(MainControl::cmdOptions2);
    extras.rivals.top += step;
    at(MainControl::lbl2).top += step;
    at(MainControl::lstPlayers).top += step;
    at(MainControl::lstPlayers).height -= step;
    extras.ranking = extras.rivals;
    extras.ranking.top += step;
    if (rankingShown) {
        at(MainControl::lbl2).top += step;
        at(MainControl::lstPlayers).top += step;
        at(MainControl::lstPlayers).height -= step;
    }

    PixelRect& lst = at(MainControl::lst);
    const int hintHeight = twipsToPixels(405, dpi);
    const int gap = twipsToPixels(120, dpi);
    // As wide as its text needs, never narrower than the design's, and never so wide that the
    // hint's words have no room beside it.
    const int buttonWidth = std::max(twipsToPixels(2415, dpi), std::min(hintButtonWidth, lst.width * 2 / 3));
    if (hintShown)
        lst.height = std::max(hintHeight, lst.height - hintHeight - gap);
    const int hintTop = lst.top + lst.height + gap;
    extras.hintLabel = {lst.left, hintTop, std::max(0, lst.width - buttonWidth - gap), hintHeight};
    extras.hintButton = {lst.left + lst.width - buttonWidth, hintTop, buttonWidth, hintHeight};
    return extras;
}

}  // namespace fragtide::ui::win32
