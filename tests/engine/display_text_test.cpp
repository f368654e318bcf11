#include "engine/display_text.hpp"

#include <gtest/gtest.h>

namespace fragtide::engine {
namespace {

TEST(DisplayText, KeepsValidUtf8AndReadsEverythingElseAsWindows1252) {
    struct Case {
        const char* what;
        std::string_view bytes, shown;
    };
    const Case cases[] = {
        {"ascii", "Bob", "Bob"},
        {"utf-8 kept", "Zo\xc3\xab \xe2\x82\xac \xf0\x9f\x98\x80", "Zo\xc3\xab \xe2\x82\xac \xf0\x9f\x98\x80"},
        {"latin-1 byte", "J\xf6rg", "J\xc3\xb6rg"},
        {"euro sign in 1252", "\x80", "\xe2\x82\xac"},
        {"undefined 1252 bytes keep their value", "\x81\x8d\x8f\x90\x9d",
         "\xc2\x81\xc2\x8d\xc2\x8f\xc2\x90\xc2\x9d"},
        {"one bad byte decodes the whole name as 1252", "\xc3\xab\xff", "\xc3\x83\xc2\xab\xc3\xbf"},
        {"overlong form", "\xc0\xaf", "\xc3\x80\xc2\xaf"},
        {"surrogate", "\xed\xa0\x80", "\xc3\xad\xc2\xa0\xe2\x82\xac"},
        {"above U+10FFFF", "\xf4\x90\x80\x80", "\xc3\xb4\xc2\x90\xe2\x82\xac\xe2\x82\xac"},
        {"truncated sequence", "a\xe2\x82", "a\xc3\xa2\xe2\x80\x9a"},
        {"nul kept", std::string_view("a\0b", 3), std::string_view("a\0b", 3)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(displayText(c.bytes), c.shown);
        EXPECT_TRUE(isValidUtf8(displayText(c.bytes)));
    }
}

TEST(DisplayText, UpperCasesCharactersNotBytes) {
    struct Case {
        std::string_view text, upper;
    };
    const Case cases[] = {
        {"Ace_K", "ACE_K"},
        {"j\xc3\xb6rg", "J\xc3\x96RG"},             // ö -> Ö
        {"\xc3\x9f", "\xc3\x9f"},                   // ß has no single upper-case form
        {"\xc3\xbf", "\xc5\xb8"},                   // ÿ -> Ÿ
        {"\xce\xb1\xcf\x89", "\xce\x91\xce\xa9"},   // αω -> ΑΩ
        {"\xe2\x82\xac 1", "\xe2\x82\xac 1"},       // € and digits stay
        {"\xc7\x85", "\xc7\x84"},                   // ǅ -> Ǆ
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text));
        EXPECT_EQ(toUpperDisplay(c.text), c.upper);
    }
}

}  // namespace
}  // namespace fragtide::engine
