#include "export/csv_export.hpp"

#include <gtest/gtest.h>

#include "tests/export/export_fixture.hpp"

namespace fragtide::exports {
namespace {

TEST(CsvField, QuotesOnlyCommasQuotesAndLineEndsAndDoublesInnerQuotes) {
    struct Case { const char* what; std::string_view in; std::string_view out; };
    const Case cases[] = {
        {"plain", "Thorn", "Thorn"},
        {"empty", "", ""},
        {"spaces and other punctuation stay bare", " a;b 'c' <d> ", " a;b 'c' <d> "},
        {"comma", "a,b", "\"a,b\""},
        {"double quote", "say \"hi\"", "\"say \"\"hi\"\"\""},
        {"cr", "a\rb", "\"a\rb\""},
        {"lf", "a\nb", "\"a\nb\""},
        {"all at once", "\",\r\n", "\"\"\",\r\n\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(csvField(c.in), c.out);
    }
}

TEST(CsvExport, WritesTheSmallLogAsItsGoldenFile) {
    const auto a = testing::analyseSmallLog();
    ASSERT_TRUE(a.result.failures.empty());
    const std::string csv = csvExport(*a.store);
    EXPECT_EQ(csv, testing::golden("small.csv", csv));
    EXPECT_EQ(csv.rfind("player,slot,weapon,frags\r\n", 0), 0u) << "no byte-order mark, CR LF";
    EXPECT_NE(csv.find("\"Bob \"\"the, Builder\"\"\",7,Rocket Launcher,1\r\n"), std::string::npos) << csv;
    EXPECT_NE(csv.find("Jo\xC3\xABl,1,Axe,1\r\n"), std::string::npos) << "names decoded for display";
}

TEST(CsvExport, GivesTheHeaderAloneWithoutFrags) {
    engine::StatsStore store;
    store.CurrentGame = "Quake I : Standard";
    engine::LoadWeaponNames(store);
    EXPECT_EQ(csvExport(store), "player,slot,weapon,frags\r\n");
}

}  // namespace
}  // namespace fragtide::exports
