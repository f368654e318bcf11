#include "export/html_text.hpp"

#include <gtest/gtest.h>

namespace fragtide::exports {
namespace {

TEST(HtmlText, LeavesNoNameAWayOutOfItsElementOrAttribute) {
    struct Case { const char* what; std::string_view in; std::string_view out; };
    const Case cases[] = {
        {"plain text and UTF-8 stay", "Jo\xC3\xABl \xE2\x98\x85", "Jo\xC3\xABl \xE2\x98\x85"},
        {"markup", "<script>alert(1)</script>", "&lt;script&gt;alert(1)&lt;/script&gt;"},
        {"ampersand, not a reference", "R&D &amp;", "R&amp;D &amp;amp;"},
        {"both quotes", "\"a\" 'b'", "&quot;a&quot; &#39;b&#39;"},
        {"C0 controls show as control pictures", std::string_view("\x00\x1b[\x01\t", 5),
         "\xE2\x90\x80\xE2\x90\x9B[\xE2\x90\x81\xE2\x90\x89"},
        {"DEL", "a\x7f", "a\xE2\x90\xA1"},
        {"C1 controls become U+FFFD, other two-byte letters stay", "\xC2\x85\xC2\x9F\xC2\xA0\xC3\xA9",
         "\xEF\xBF\xBD\xEF\xBF\xBD\xC2\xA0\xC3\xA9"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(htmlText(c.in), c.out);
    }
}

TEST(HtmlText, DecodesLogBytesForDisplayBeforeEscaping) {
    // Not UTF-8: read as Windows-1252, so 0xEB is ë and 0x80 the euro sign.
    EXPECT_EQ(htmlFromLog("Jo\xEBl<\x80>"), "Jo\xC3\xABl&lt;\xE2\x82\xAC&gt;");
}

}  // namespace
}  // namespace fragtide::exports
