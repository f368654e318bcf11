#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Horizontal bar charts as inline SVG, for a page without scripts or network.
namespace fragtide::exports {

struct ChartBar {
    std::string label;                 // display text (UTF-8), not yet escaped
    std::vector<std::int64_t> values;  // one per series
};

struct BarChart {
    std::string id;                    // unique in the page: ties the title and description to the chart
    std::string title;                 // display text
    std::string description;           // display text: what the bars show, for readers who cannot see them
    std::vector<std::string> series;   // names of the series, shown in a legend when there are two or more
    std::vector<ChartBar> bars;        // in the order shown
};

// The chart as an <svg> element: role="img" with a <title> and a <desc> as its text alternative,
// one row per bar, the bars of a row side by side, each with its number at its end, thousands
// grouped as on the rest of the page. 460 units wide, drawn for 12 px text; the page's CSS sets
// the size and the colours (classes s0, s1, ...), so its colour scheme and print rules apply.
// Bar lengths are in whole units and never use the locale. Labels longer than 20 characters are
// cut with "…" and carry the whole label as their <title> (the tables beside give them whole too).
// Thread-safe.
std::string svgBarChart(const BarChart& chart);

}  // namespace fragtide::exports
