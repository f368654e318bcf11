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

}  // namespace
}  // namespace fragtide::ui::win32
