#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

// Line charts as inline SVG, for values that move over a row of steps (a rating over matches):
// no scripts, no network, like the bar charts of svg_chart.hpp.
namespace fragtide::exports {

struct LineSeries {
    std::string label;  // display text (UTF-8), not yet escaped
    std::vector<std::pair<std::size_t, double>> points;  // (step, value), steps rising
};

struct LineChart {
    std::string id;                    // unique in the page: ties the title and description to the chart
    std::string title;                 // display text
    std::string description;           // display text: what the lines show, for readers who cannot see them
    std::string valueTitle;            // what the values are, over their axis ("Rating")
    std::string stepTitle;             // what the steps are, under theirs ("Match")
    std::vector<std::string> steps;    // the label of each step along the bottom (display text)
    std::vector<LineSeries> series;    // at most ten, in the legend's order
};

// The chart as an <svg> element of class "chart line": role="img" with a <title> and a <desc>,
// a value axis with round gridlines and its title above it, the steps' title under the axis, a few step labels spread along the bottom, one line per
// series with a dot at each point, and a legend at the right in the series' order. 960 units wide
// for 12 px text, so it stays legible at its own size in a 1280 px page. Series i has the class
// l<i>; the page's CSS gives their colours and, for print, dash patterns that tell them apart in
// grey. Coordinates are whole units, never in the locale's form. Thread-safe.
std::string svgLineChart(const LineChart& chart);

}  // namespace fragtide::exports
