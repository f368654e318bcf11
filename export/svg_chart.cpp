#include "export/svg_chart.hpp"

#include <algorithm>
#include <cmath>

#include "common/thousands.hpp"
#include "export/html_text.hpp"

namespace fragtide::exports {
namespace {

// Narrow enough to sit unscaled in half of a 1280 px page, so 12 px labels stay 12 px there.
constexpr int kWidth = 460;
constexpr int kLabelWidth = 150;
constexpr int kNumberWidth = 44;    // room after the longest bar for its number: "9,999"
constexpr int kCharWidth = 8;       // a digit at the charts' 12 px, with room to spare
constexpr int kBarHeight = 14;
constexpr int kRowGap = 8;
constexpr int kLegendHeight = 24;
constexpr std::size_t kLabelCharacters = 20;

// At most `count` characters of UTF-8 `text`: when longer, its first count - 1 and "…".
std::string cutLabel(const std::string& text, std::size_t count) {
    std::size_t characters = 0;
    std::size_t cut = text.size();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80)
            continue;  // inside a character
        if (characters == count - 1)
            cut = i;
        if (++characters > count)
            return text.substr(0, cut) + "\xE2\x80\xA6";
    }
    return text;
}

std::string num(long long value) { return std::to_string(value); }

// A label, with the whole text as its tooltip when it had to be cut.
std::string label(const std::string& text) {
    const std::string shown = cutLabel(text, kLabelCharacters);
    if (shown == text)
        return htmlText(text);
    return "<title>" + htmlText(text) + "</title>" + htmlText(shown);
}

}  // namespace

std::string svgBarChart(const BarChart& chart) {
    const std::size_t seriesCount = std::max<std::size_t>(chart.series.size(), 1);
    std::int64_t most = 0;
    for (const ChartBar& bar : chart.bars) {
        for (const std::int64_t v : bar.values)
            most = std::max(most, v);
    }
    // The longest bar ends where its number still fits, however many digits it has.
    const int numberWidth = std::max(kNumberWidth, 8 + kCharWidth * static_cast<int>(withThousands(most).size()));
    const int barArea = kWidth - kLabelWidth - numberWidth;
    const int rowHeight = static_cast<int>(seriesCount) * kBarHeight + kRowGap;
    const int legend = seriesCount > 1 ? kLegendHeight : 0;
    const int height = legend + static_cast<int>(chart.bars.size()) * rowHeight + kRowGap;

    std::string out = "<svg class=\"chart\" role=\"img\" viewBox=\"0 0 " + num(kWidth) + " " + num(height) +
                      "\" width=\"" + num(kWidth) + "\" height=\"" + num(height) + "\" aria-labelledby=\"" + chart.id + "-title " + chart.id +
                      "-desc\" xmlns=\"http://www.w3.org/2000/svg\">\n";
    out += "<title id=\"" + chart.id + "-title\">" + htmlText(chart.title) + "</title>\n";
    out += "<desc id=\"" + chart.id + "-desc\">" + htmlText(chart.description) + "</desc>\n";
    if (seriesCount > 1) {
        int x = kLabelWidth;
        for (std::size_t s = 0; s < chart.series.size(); ++s) {
            out += "<rect class=\"s" + num(static_cast<long long>(s)) + "\" x=\"" + num(x) +
                   "\" y=\"5\" width=\"12\" height=\"12\"/><text x=\"" + num(x + 18) + "\" y=\"15\">" +
                   htmlText(chart.series[s]) + "</text>\n";
            x += 100;
        }
    }
    int y = legend + kRowGap / 2;
    for (const ChartBar& bar : chart.bars) {
        const int middle = y + static_cast<int>(seriesCount) * kBarHeight / 2;
        out += "<g><text class=\"label\" x=\"" + num(kLabelWidth - 8) + "\" y=\"" + num(middle + 4) +
               "\" text-anchor=\"end\">" + label(bar.label) + "</text>";
        for (std::size_t s = 0; s < bar.values.size(); ++s) {
            const std::int64_t value = bar.values[s];
            // long double keeps 64-bit counts exact enough for a pixel; a count above 0 shows.
            long long length = most > 0 ? std::llround(static_cast<long double>(value) * barArea / most) : 0;
            if (value > 0)
                length = std::max(length, 1LL);
            const int top = y + static_cast<int>(s) * kBarHeight;
            out += "<rect class=\"s" + num(static_cast<long long>(s)) + "\" x=\"" + num(kLabelWidth) + "\" y=\"" +
                   num(top + 1) + "\" width=\"" + num(length) + "\" height=\"" + num(kBarHeight - 2) +
                   "\"/><text class=\"value\" x=\"" + num(kLabelWidth + length + 5) + "\" y=\"" +
                   num(top + kBarHeight - 3) + "\">" + withThousands(value) + "</text>";
        }
        out += "</g>\n";
        y += rowHeight;
    }
    out += "</svg>\n";
    return out;
}

}  // namespace fragtide::exports
