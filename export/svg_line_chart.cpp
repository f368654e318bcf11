#include "export/svg_line_chart.hpp"

#include <algorithm>
#include <cmath>
#include <vector>

#include "export/html_text.hpp"

namespace fragtide::exports {
namespace {

constexpr int kWidth = 960;
constexpr int kHeight = 380;
constexpr int kLeft = 56;           // room for the value labels
constexpr int kLegendWidth = 200;
constexpr int kTop = 26;           // room for the value axis title
constexpr int kBottom = 50;         // room for the step labels and their title
constexpr int kStepLabelWidth = 96; // "2026-11-30" at 12 px, with a gap
constexpr int kLegendRow = 22;
constexpr std::size_t kLegendCharacters = 24;

std::string num(long long value) { return std::to_string(value); }

// At most `count` characters of UTF-8 `text`: when longer, its first count - 1 and "…".
std::string cut(const std::string& text, std::size_t count) {
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80)
            starts.push_back(i);
    }
    if (starts.size() <= count)
        return text;
    return text.substr(0, starts[count - 1]) + "\xE2\x80\xA6";
}

// A gridline step of 1, 2 or 5 times a power of ten that gives about five lines.
double niceStep(double span) {
    const double rough = std::max(span, 1.0) / 5.0;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (const double m : {1.0, 2.0, 5.0}) {
        if (m * power >= rough)
            return m * power;
    }
    return 10.0 * power;
}

}  // namespace

std::string svgLineChart(const LineChart& chart) {
    double low = 0;
    double high = 0;
    bool any = false;
    for (const LineSeries& s : chart.series) {
        for (const auto& [step, value] : s.points) {
            (void)step;
            low = any ? std::min(low, value) : value;
            high = any ? std::max(high, value) : value;
            any = true;
        }
    }
    const double gridStep = niceStep(high - low);
    low = std::floor(low / gridStep) * gridStep;
    high = std::max(std::ceil(high / gridStep) * gridStep, low + gridStep);

    const int plotRight = kWidth - kLegendWidth;
    const int plotBottom = kHeight - kBottom;
    const std::size_t steps = std::max<std::size_t>(chart.steps.size(), 1);
    const auto xOf = [&](std::size_t step) {
        if (steps == 1)
            return static_cast<long long>((kLeft + plotRight) / 2);
        return std::llround(kLeft + 10 + static_cast<double>(step) * (plotRight - kLeft - 20) / (steps - 1));
    };
    const auto yOf = [&](double value) {
        return std::llround(plotBottom - (value - low) * (plotBottom - kTop) / (high - low));
    };

    std::string out = "<svg class=\"chart line\" role=\"img\" viewBox=\"0 0 " + num(kWidth) + " " + num(kHeight) +
                      "\" width=\"" + num(kWidth) + "\" height=\"" + num(kHeight) + "\" aria-labelledby=\"" +
                      chart.id + "-title " + chart.id + "-desc\" xmlns=\"http://www.w3.org/2000/svg\">\n";
    out += "<title id=\"" + chart.id + "-title\">" + htmlText(chart.title) + "</title>\n";
    out += "<desc id=\"" + chart.id + "-desc\">" + htmlText(chart.description) + "</desc>\n";

    // Gridlines and their values; whole numbers, as ratings are read.
    for (double v = low; v <= high + gridStep / 2; v += gridStep) {
        const long long y = yOf(v);
        out += "<line class=\"grid\" x1=\"" + num(kLeft) + "\" y1=\"" + num(y) + "\" x2=\"" + num(plotRight) +
               "\" y2=\"" + num(y) + "\"/><text class=\"value\" x=\"" + num(kLeft - 6) + "\" y=\"" + num(y + 4) +
               "\" text-anchor=\"end\">" + num(std::llround(v)) + "</text>\n";
    }
    // Step labels, spread so that they never overlap; the last step is always named.
    const auto stepLabel = [&](std::size_t i) {
        return "<text class=\"value\" x=\"" + num(xOf(i)) + "\" y=\"" + num(plotBottom + 20) +
               "\" text-anchor=\"middle\">" + htmlText(chart.steps[i]) + "</text>\n";
    };
    if (!chart.steps.empty()) {
        const std::size_t last = chart.steps.size() - 1;
        const std::size_t room = std::max<std::size_t>((plotRight - kLeft) / kStepLabelWidth, 1);
        const std::size_t every = std::max<std::size_t>((chart.steps.size() + room - 1) / room, 1);
        for (std::size_t i = 0; i <= last; i += every) {
            if (i == last || last - i >= every)
                out += stepLabel(i);
        }
        if (last % every != 0)
            out += stepLabel(last);
    }
    out += "<text class=\"axis-title\" x=\"" + num(kLeft - 6) + "\" y=\"12\" text-anchor=\"end\">" +
           htmlText(chart.valueTitle) + "</text>\n";
    out += "<text class=\"axis-title\" x=\"" + num((kLeft + plotRight) / 2) + "\" y=\"" + num(kHeight - 6) +
           "\" text-anchor=\"middle\">" + htmlText(chart.stepTitle) + "</text>\n";
    out += "<line class=\"axis\" x1=\"" + num(kLeft) + "\" y1=\"" + num(plotBottom) + "\" x2=\"" + num(plotRight) +
           "\" y2=\"" + num(plotBottom) + "\"/>\n";

    for (std::size_t s = 0; s < chart.series.size(); ++s) {
        const LineSeries& series = chart.series[s];
        const std::string cls = "l" + num(static_cast<long long>(s));
        out += "<g class=\"" + cls + "\"><title>" + htmlText(series.label) + "</title>";
        if (series.points.size() > 1) {
            out += "<polyline points=\"";
            for (std::size_t i = 0; i < series.points.size(); ++i)
                out += (i ? " " : "") + num(xOf(series.points[i].first)) + "," + num(yOf(series.points[i].second));
            out += "\"/>";
        }
        for (const auto& [step, value] : series.points)
            out += "<circle cx=\"" + num(xOf(step)) + "\" cy=\"" + num(yOf(value)) + "\" r=\"2.5\"/>";
        out += "</g>\n";
        // The legend, in the series' order, each swatch drawn like its line.
        const long long y = kTop + 6 + static_cast<long long>(s) * kLegendRow;
        const std::string shown = cut(series.label, kLegendCharacters);
        out += "<g class=\"" + cls + "\"><line x1=\"" + num(plotRight + 14) + "\" y1=\"" + num(y) + "\" x2=\"" +
               num(plotRight + 40) + "\" y2=\"" + num(y) + "\"/><circle cx=\"" + num(plotRight + 27) + "\" cy=\"" +
               num(y) + "\" r=\"2.5\"/></g><text x=\"" + num(plotRight + 46) + "\" y=\"" + num(y + 4) + "\">" +
               (shown == series.label ? htmlText(shown)
                                      : "<title>" + htmlText(series.label) + "</title>" + htmlText(shown)) +
               "</text>\n";
    }
    return out + "</svg>\n";
}

}  // namespace fragtide::exports
