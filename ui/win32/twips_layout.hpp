#pragma once

#include <array>

// Where the main window's controls go: the design's twips positions converted at a given DPI,
// with the room beyond the design's client area given to the lists, as the Qt window does (the
// report list grows both ways, the player list grows down, the file box grows wide, the right
// column, the file row's buttons and the progress bar move with the edges). Pure arithmetic, toolkit-free, so it is tested on any platform.
namespace fragtide::ui::win32 {

struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const PixelRect&) const = default;
};

// Twips (1/1440 inch) to pixels at `dpi`, rounded to the nearest pixel.
int twipsToPixels(int twips, int dpi);

// The design's client area, 11100 x 6375 twips.
inline constexpr int kClientWidthTwips = 11100;
inline constexpr int kClientHeightTwips = 6375;

// The main window's controls, in creation order (which is also the tab order).
enum class MainControl {
    cmdBrowse, txtFile, Label1, lst, cmdAnalyze, PB, lbl0, lbl1,
    cmdOptions0, cmdOptions1, cmdOptions2, lstPlayers, lbl2,
};
inline constexpr int kMainControlCount = 13;

// Every control's rectangle for a client area of `clientWidth` x `clientHeight` pixels at `dpi`.
// A client area smaller than the design's gets the design's layout (the window does not let the
// user make it smaller).
std::array<PixelRect, kMainControlCount> mainLayout(int clientWidth, int clientHeight, int dpi);

// The controls added to the design: Rivals Info, and the detection hint's text and button.
struct ExtraRects {
    PixelRect rivals;
    PixelRect ranking;  // a season's Ranking button, one step under Rivals Info
    PixelRect hintLabel;
    PixelRect hintButton;
};

// Makes room in `rects` (from mainLayout) for the added controls and says where they go: Rivals
// Info one button step under Individual Info, with the count and the player list moved down by
// that step; the hint a button's height and a gap below the report list, which gives up that
// room while `hintShown`. The hint's button is `hintButtonWidth` pixels wide (what its text
// needs), at least the design's 2415 twips and at most two thirds of the list's width. While
// `rankingShown`, the count and the player list move down one more step for the Ranking button.
ExtraRects placeExtras(std::array<PixelRect, kMainControlCount>& rects, int dpi, bool hintShown,
                       int hintButtonWidth = 0, bool rankingShown = false);

}  // namespace fragtide::ui::win32
