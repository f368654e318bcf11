#include "export/svg_chart.hpp"

#include <gtest/gtest.h>

#include <regex>
#include <vector>
#include <string>

namespace fragtide::exports {
namespace {

// Where each value's text begins, and how many digits it has.
struct ValueText {
    int x;
    std::size_t digits;
};

std::vector<ValueText> valueTexts(const std::string& svg) {
    static const std::regex kValue(R"re(<text class="value" x="(\d+)" y="\d+">(\d+)</text>)re");
    std::vector<ValueText> found;
    for (auto it = std::sregex_iterator(svg.begin(), svg.end(), kValue); it != std::sregex_iterator(); ++it)
        found.push_back({std::stoi((*it)[1]), static_cast<std::size_t>((*it)[2].length())});
    return found;
}

// A count of a gigabyte's log has seven digits or more: the longest bar leaves room for all of
// them inside the chart, where it used to cut them off.
TEST(SvgBarChart, KeepsTheNumbersOfLongBarsInsideTheChart) {
    for (const std::int64_t most : {7LL, 54321LL, 1868978LL, 123456789012LL}) {
        SCOPED_TRACE(most);
        const BarChart chart{"c", "Kills", "Kills per weapon", {"kills"}, {{"Chaingun", {most}}, {"Blaster", {most / 2}}}};
        const std::string svg = svgBarChart(chart);
        const auto values = valueTexts(svg);
        ASSERT_EQ(values.size(), 2u);
        for (const ValueText& v : values)
            EXPECT_LE(v.x + 7 * static_cast<int>(v.digits), 540) << svg;
        EXPECT_GT(values[0].x, values[1].x) << "the longer bar ends further right";
    }
}

}  // namespace
}  // namespace fragtide::exports
