#include "engine/display_text.hpp"

#include <gtest/gtest.h>

#include "engine/stats_store.hpp"

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

// The one code point that `text` holds, or -1 when it holds none or several.
long onlyCodePoint(const std::string& text) {
    const auto b = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    if (text.size() == 1 && b(0) < 0x80)
        return b(0);
    if (text.size() == 2 && (b(0) & 0xE0) == 0xC0)
        return (b(0) & 0x1F) << 6 | (b(1) & 0x3F);
    if (text.size() == 3 && (b(0) & 0xF0) == 0xE0)
        return (b(0) & 0x0F) << 12 | (b(1) & 0x3F) << 6 | (b(2) & 0x3F);
    return -1;
}

TEST(NameDisplay, ShowsEverySingleByteUnderEachDisplay) {
    for (int value = 0; value <= 0xFF; ++value) {
        SCOPED_TRACE(value);
        const std::string byte(1, static_cast<char>(value));
        const std::string automatic = displayText(byte, NameDisplay::Automatic);
        const std::string utf8 = displayText(byte, NameDisplay::Utf8);
        const std::string cp1252 = displayText(byte, NameDisplay::Windows1252);
        const std::string quake = displayText(byte, NameDisplay::Quake);
        for (const std::string* shown : {&automatic, &utf8, &cp1252, &quake}) {
            EXPECT_TRUE(isValidUtf8(*shown));
            EXPECT_NE(onlyCodePoint(*shown), -1);  // one byte, one character
        }
        EXPECT_EQ(automatic, displayText(byte));
        // A lone byte is valid UTF-8 only below 0x80, so Automatic falls back to Windows-1252 above.
        EXPECT_EQ(automatic, cp1252);
        if (value < 0x80) {
            EXPECT_EQ(utf8, byte);
            EXPECT_EQ(cp1252, byte);
        } else {
            EXPECT_EQ(onlyCodePoint(utf8), 0xFFFD);
        }
        if (value >= 0xA0) {
            EXPECT_EQ(onlyCodePoint(cp1252), value);  // Latin-1 above the 0x80-0x9F block
        }

        // Quake: the high half is the low half in another colour.
        EXPECT_EQ(quake, displayText(std::string(1, static_cast<char>(value ^ 0x80)), NameDisplay::Quake));
        const int low = value & 0x7F;
        const long shownQuake = onlyCodePoint(quake);
        long expected = -1;  // -1: another special glyph, shown as something printable
        if (low >= 0x20 && low < 0x7F)
            expected = low;
        else if (low == 0x10 || low == 0x11)
            expected = low == 0x10 ? '[' : ']';
        else if (low >= 0x12 && low <= 0x1B)
            expected = '0' + (low - 0x12);
        else if (low == 0x1C)
            expected = 0x00B7;
        if (expected != -1) {
            EXPECT_EQ(shownQuake, expected);
        } else {
            EXPECT_TRUE(shownQuake > 0x20 && shownQuake < 0x7F) << shownQuake;
        }
    }
    EXPECT_EQ(displayText("\x80\x81\x9f", NameDisplay::Windows1252), "\xe2\x82\xac\xc2\x81\xc5\xb8");
}

TEST(NameDisplay, ShowsEachBrokenUtf8SequenceAsOneReplacementCharacter) {
    struct Case {
        const char* what;
        std::string_view bytes, shown;
    };
    const Case cases[] = {
        {"valid kept", "Zo\xc3\xab \xf0\x9f\x98\x80", "Zo\xc3\xab \xf0\x9f\x98\x80"},
        {"cut-short sequence at the end", "a\xe2\x82", "a\xef\xbf\xbd"},
        {"cut-short sequence before ascii", "\xe2\x82z", "\xef\xbf\xbdz"},
        {"lone continuation bytes", "\x80\xbf", "\xef\xbf\xbd\xef\xbf\xbd"},
        {"overlong lead", "\xc0\xaf", "\xef\xbf\xbd\xef\xbf\xbd"},
        {"overlong three bytes", "\xe0\x80\x80", "\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd"},
        {"surrogate", "\xed\xa0\x80", "\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd"},
        {"above U+10FFFF", "\xf4\x90\x80\x80", "\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd"},
        {"four-byte start cut short", "\xf0\x9f\x98 ok", "\xef\xbf\xbd ok"},
        {"bad byte among good ones", "J\xf6rg \xc3\xab", "J\xef\xbf\xbdrg \xc3\xab"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(displayText(c.bytes, NameDisplay::Utf8), c.shown);
    }
}

TEST(NameDisplay, ShowsQuakeNamesAsPlayersSawThem) {
    // "[ACE]" in the brackets and gold digits, then "Ace" in the coloured font with a dot between.
    EXPECT_EQ(displayText("\x10\x12\x13\x11\x9c\xc1\xe3\xe5", NameDisplay::Quake), "[01]\xc2\xb7" "Ace");
    // The same bytes as Windows-1252 are the noise users saw before.
    EXPECT_NE(displayText("\xc1\xe3\xe5", NameDisplay::Automatic), "Ace");
}

TEST(NameDisplay, ReadsBackTheWordOfEachChoiceAndNoOtherWord) {
    for (const NameDisplay display : {NameDisplay::Automatic, NameDisplay::Utf8, NameDisplay::Windows1252, NameDisplay::Quake})
        EXPECT_EQ(parseNameDisplay(nameDisplayWord(display)), display) << nameDisplayWord(display);
    for (const std::string_view word : {"", "Auto", "utf8", "UTF-8", "quake ", "cp1252"})
        EXPECT_EQ(parseNameDisplay(word), std::nullopt) << word;
}

TEST(NameDisplay, IsTheStoresChoiceWhereverANameIsShown) {
    StatsStore store;
    EXPECT_EQ(store.NameDisplayChoice, NameDisplay::Automatic);
    EXPECT_EQ(displayName(store, "\xD2\xEF\xEF\xEB"), "\u00D2\u00EF\u00EF\u00EB");
    store.NameDisplayChoice = NameDisplay::Quake;
    EXPECT_EQ(displayName(store, "\xD2\xEF\xEF\xEB"), "Rook");
    store.resetCounts();
    EXPECT_EQ(store.NameDisplayChoice, NameDisplay::Quake) << "a new analysis keeps the user's choice";
}

}  // namespace
}  // namespace fragtide::engine
