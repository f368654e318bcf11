#include "export/svg_chart.hpp"

#include <gtest/gtest.h>

#include <regex>
#include <vector>
#include <string>

namespace fragtide::exports {
namespace {

// Where each value's text begins, and how many characters it has.
struct ValueText {
    int x;
    std::size_t characters;
};

std::vector<ValueText> valueTexts(const std::string& svg) {
    static const std::regex kValue(R"re(<text class="value" x="(\d+)" y="\d+">([\d,]+)</text>)re");
    std::vector<ValueText> found;
    for (auto it = std::sregex_iterator(svg.begin(), svg.end(), kValue); it != std::sregex_iterator(); ++it)
        found.push_back({std::stoi((*it)[1]), static_cast<std::size_t>((*it)[2].length())});
    return found;
}

// A count of a gigabyte's log has seven digits or more: the longest bar leaves room for all of
// them, thousands grouped, inside the chart, where it used to cut them off.
TEST(SvgBarChart, KeepsTheNumbersOfLongBarsInsideTheChart) {
    const std::string width = "width=\"460\"";
    for (const std::int64_t most : {7LL, 54321LL, 1868978LL, 123456789012LL}) {
        SCOPED_TRACE(most);
        const BarChart chart{"c", "Kills", "Kills per weapon", {"kills"}, {{"Chaingun", {most}}, {"Blaster", {most / 2}}}};
        const std::string svg = svgBarChart(chart);
        ASSERT_NE(svg.find(width), std::string::npos);
        const auto values = valueTexts(svg);
        ASSERT_EQ(values.size(), 2u);
        for (const ValueText& v : values)
            EXPECT_LE(v.x + 8 * static_cast<int>(v.characters), 460) << svg;
        EXPECT_GT(values[0].x, values[1].x) << "the longer bar ends further right";
    }
}

// A cut label keeps the whole name as its tooltip; a short one is left as it is.
TEST(SvgBarChart, CutsLongLabelsAndKeepsTheWholeNameAsTheirTitle) {
    const std::string longName(60, 'W');
    const BarChart chart{"c", "Frags", "Frags per player", {}, {{longName, {3}}, {"Jo\xC3\xABl & Co", {2}}}};
    const std::string svg = svgBarChart(chart);
    EXPECT_NE(svg.find("<title>" + longName + "</title>" + std::string(19, 'W') + "\xE2\x80\xA6</text>"), std::string::npos)
        << svg;
    EXPECT_NE(svg.find("text-anchor=\"end\">Jo\xC3\xABl &amp; Co</text>"), std::string::npos) << svg;
}

}  // namespace
}  // namespace fragtide::exports
