#include "ui/win32/command_line_text.hpp"

#include <gtest/gtest.h>

namespace fragtide::ui::win32 {
namespace {

TEST(ArgumentsAfterProgramName, SkipsTheProgramNameAsWindowsDoes) {
    struct Case {
        const char* what;
        std::wstring_view line;
        std::wstring_view arguments;
    };
    const Case cases[] = {
        {"quoted program with spaces", LR"("C:\Program Files\Fragtide\fragtide.exe" C:\Logs\a.log)", LR"(C:\Logs\a.log)"},
        {"unquoted program", LR"(fragtide.exe C:\Logs\a.log)", LR"(C:\Logs\a.log)"},
        {"quoted argument keeps its quotes", LR"(fragtide.exe "C:\My Logs\a.log")", LR"("C:\My Logs\a.log")"},
        {"unquoted spaces stay in the one path", LR"(fragtide.exe C:\My Logs\a b.log)", LR"(C:\My Logs\a b.log)"},
        {"tabs and trailing blanks dropped", L"fragtide.exe\t  x.log  \t", L"x.log"},
        {"no arguments", LR"("C:\Fragtide\fragtide.exe")", L""},
        {"no arguments, trailing space", LR"("C:\Fragtide\fragtide.exe" )", L""},
        {"program quote never closed", LR"("C:\Fragtide\fragtide.exe a.log)", L""},
        {"empty line", L"", L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(argumentsAfterProgramName(c.line), c.arguments);
    }
}

TEST(ParseLogArgument, GivesThePathToOpenAndANameThatIsNeverEmpty) {
    struct Case {
        const char* what;
        std::wstring_view arguments;
        std::wstring_view path;
        std::wstring_view name;
    };
    const Case cases[] = {
        {"design example", LR"(C:\Logs\Match1.LOG)", LR"(C:\Logs\Match1.LOG)", L"Match1.LOG"},
        {"quotes removed", LR"("C:\My Logs\a b.log")", LR"(C:\My Logs\a b.log)", L"a b.log"},
        {"bare name", L"match.log", L"match.log", L"match.log"},
        {"forward slashes", L"C:/Logs/x.log", L"C:/Logs/x.log", L"x.log"},
        {"trailing separator", LR"(C:\Logs\)", LR"(C:\Logs\)", L"Logs"},
        {"only separators", LR"(\\)", LR"(\\)", LR"(\\)"},
        {"one quote is part of the path", LR"("C:\a.log)", LR"("C:\a.log)", L"a.log"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto log = parseLogArgument(c.arguments);
        ASSERT_TRUE(log.has_value());
        EXPECT_EQ(log->path, c.path);
        EXPECT_EQ(log->shownName, c.name);
    }
}

TEST(ParseLogArgument, NamesNoFileForAnEmptyOrEmptyQuotedLine) {
    EXPECT_FALSE(parseLogArgument(L"").has_value());
    EXPECT_FALSE(parseLogArgument(L"\"\"").has_value());
}

}  // namespace
}  // namespace fragtide::ui::win32
