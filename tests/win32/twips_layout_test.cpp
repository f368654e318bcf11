#include "ui/win32/twips_layout.hpp"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace fragtide::ui::win32 {
namespace {

PixelRect at(const std::array<PixelRect, kMainControlCount>& rects, MainControl control) {
    return rects[static_cast<std::size_t>(control)];
}

TEST(TwipsToPixels, ConvertsAtTheMonitorsDpi) {
    EXPECT_EQ(twipsToPixels(15, 96), 1);
    EXPECT_EQ(twipsToPixels(11100, 96), 740);
    EXPECT_EQ(twipsToPixels(11100, 144), 1110);
    EXPECT_EQ(twipsToPixels(6375, 192), 850);
    EXPECT_EQ(twipsToPixels(7, 96), 0);   // below half a pixel
    EXPECT_EQ(twipsToPixels(8, 96), 1);   // half a pixel and more
    EXPECT_EQ(twipsToPixels(0, 96), 0);
}

TEST(MainLayout, PlacesTheDesignAt96DpiAndScalesIt) {
    const auto design = mainLayout(740, 425, 96);
    EXPECT_EQ(at(design, MainControl::lst), (PixelRect{8, 48, 577, 340}));
    EXPECT_EQ(at(design, MainControl::cmdOptions0), (PixelRect{600, 64, 129, 27}));
    EXPECT_EQ(at(design, MainControl::PB), (PixelRect{8, 400, 721, 17}));
    const auto doubled = mainLayout(1480, 850, 192);
    EXPECT_EQ(at(doubled, MainControl::lst), (PixelRect{16, 96, 1154, 680}));
}

TEST(MainLayout, GivesExtraRoomToTheListsAndKeepsTheColumnsApart) {
    const auto design = mainLayout(740, 425, 96);
    const auto big = mainLayout(1040, 625, 96);  // 300 wider, 200 taller
    const auto grown = [&](MainControl c) { return at(big, c); };
    const auto was = [&](MainControl c) { return at(design, c); };

    EXPECT_EQ(grown(MainControl::lst).width, was(MainControl::lst).width + 300);
    EXPECT_EQ(grown(MainControl::lst).height, was(MainControl::lst).height + 200);
    EXPECT_EQ(grown(MainControl::lstPlayers).height, was(MainControl::lstPlayers).height + 200);
    EXPECT_EQ(grown(MainControl::lstPlayers).left, was(MainControl::lstPlayers).left + 300);
    EXPECT_EQ(grown(MainControl::cmdOptions2).left, was(MainControl::cmdOptions2).left + 300);
    EXPECT_EQ(grown(MainControl::PB).top, was(MainControl::PB).top + 200);
    EXPECT_EQ(grown(MainControl::PB).width, was(MainControl::PB).width + 300);
    // The file box takes the width, so a long path shows; its buttons move along.
    EXPECT_EQ(grown(MainControl::txtFile).width, was(MainControl::txtFile).width + 300);
    EXPECT_EQ(grown(MainControl::cmdBrowse).left, was(MainControl::cmdBrowse).left + 300);
    EXPECT_EQ(grown(MainControl::cmdAnalyze).left, was(MainControl::cmdAnalyze).left + 300);
    EXPECT_EQ(grown(MainControl::cmdBrowse).top, was(MainControl::cmdBrowse).top);

    // Whatever the size, the report list ends left of the right column and above the bar.
    for (const auto& rects : {design, big}) {
        const PixelRect lst = at(rects, MainControl::lst);
        EXPECT_LT(lst.left + lst.width, at(rects, MainControl::lstPlayers).left);
        EXPECT_LT(lst.top + lst.height, at(rects, MainControl::PB).top);
    }
}

TEST(MainLayout, KeepsTheDesignWhenTheClientAreaIsSmaller) {
    EXPECT_EQ(mainLayout(100, 50, 96), mainLayout(740, 425, 96));
}

TEST(MainLayout, PutsRivalsUnderIndividualInfoAndTheHintUnderTheReportList) {
    const auto design = mainLayout(740, 425, 96);
    for (const bool hintShown : {false, true}) {
        SCOPED_TRACE(hintShown);
        auto rects = design;
        const ExtraRects extras = placeExtras(rects, 96, hintShown);
        const int step = at(design, MainControl::cmdOptions1).top - at(design, MainControl::cmdOptions0).top;
        PixelRect rivals = at(design, MainControl::cmdOptions2);
        rivals.top += step;
        EXPECT_EQ(extras.rivals, rivals);
        EXPECT_EQ(at(rects, MainControl::lstPlayers).top, at(design, MainControl::lstPlayers).top + step);
        EXPECT_EQ(at(rects, MainControl::lstPlayers).height, at(design, MainControl::lstPlayers).height - step);

        // 405 twips high, 120 below the list, the button 2415 wide at the list's right edge.
        const PixelRect lst = at(rects, MainControl::lst);
        EXPECT_EQ(lst.height, at(design, MainControl::lst).height - (hintShown ? 27 + 8 : 0));
        EXPECT_EQ(extras.hintLabel, (PixelRect{lst.left, lst.top + lst.height + 8, lst.width - 161 - 8, 27}));
        EXPECT_EQ(extras.hintButton, (PixelRect{lst.left + lst.width - 161, lst.top + lst.height + 8, 161, 27}));
    }
}

TEST(MainLayout, PutsASeasonsRankingUnderRivalsAndThePlayersBelowIt) {
    const auto design = mainLayout(740, 425, 96);
    const int step = at(design, MainControl::cmdOptions1).top - at(design, MainControl::cmdOptions0).top;
    for (const bool shown : {false, true}) {
        SCOPED_TRACE(shown);
        auto rects = design;
        const ExtraRects extras = placeExtras(rects, 96, false, 0, shown);
        PixelRect ranking = extras.rivals;
        ranking.top += step;
        EXPECT_EQ(extras.ranking, ranking);
        const int moved = shown ? 2 * step : step;
        EXPECT_EQ(at(rects, MainControl::lbl2).top, at(design, MainControl::lbl2).top + moved);
        EXPECT_EQ(at(rects, MainControl::lstPlayers).top, at(design, MainControl::lstPlayers).top + moved);
        EXPECT_EQ(at(rects, MainControl::lstPlayers).height, at(design, MainControl::lstPlayers).height - moved);
    }
}

TEST(MainLayout, SizesTheHintButtonToItsText) {
    const auto design = mainLayout(740, 425, 96);
    const int listWidth = at(design, MainControl::lst).width;
    const std::vector<std::pair<int, int>> cases = {
        {0, 161},                          // no text measured: the design's width
        {100, 161},                        // a short text: still the design's width
        {230, 230},                        // "Analyze as Half-Life : Server Log" and its margins
        {2000, listWidth * 2 / 3},         // the hint keeps room for its words
    };
    for (const auto& [needed, width] : cases) {
        SCOPED_TRACE(needed);
        auto rects = design;
        const ExtraRects extras = placeExtras(rects, 96, true, needed);
        EXPECT_EQ(extras.hintButton.width, width);
        EXPECT_EQ(extras.hintButton.left + width, at(rects, MainControl::lst).left + listWidth);
        EXPECT_EQ(extras.hintLabel.width, listWidth - width - 8);
    }
}

}  // namespace
}  // namespace fragtide::ui::win32
