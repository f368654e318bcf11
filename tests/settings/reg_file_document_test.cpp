#include <gtest/gtest.h>

#include <string>

#include "settings/reg_file_document.hpp"

namespace fragtide::settings {
namespace {

constexpr std::string_view kSection = "HKEY_LOCAL_MACHINE\\Software\\Fragtide";

std::string text(std::string_view s) { return std::string(s) + '\0'; }

TEST(RegFileDocument, WritesTheExportFormatARegistryToolImports) {
    RegFileDocument doc;
    doc.set(kSection, "GameSelect", {kRegSz, text("Quake II : Standard")});
    EXPECT_EQ(doc.serialize(),
              "Windows Registry Editor Version 5.00\r\n"
              "\r\n"
              "[HKEY_LOCAL_MACHINE\\Software\\Fragtide]\r\n"
              "\"GameSelect\"=\"Quake II : Standard\"\r\n"
              "\r\n");
}

TEST(RegFileDocument, SpellsEachValueAsAnExportWould) {
    struct Case { const char* what; std::string name; StoredValue value; std::string line; };
    const Case cases[] = {
        {"plain text", "GameSelect", {kRegSz, text("Quake I : Standard")}, R"("GameSelect"="Quake I : Standard")"},
        {"quote and backslash escaped", "a\"b\\c", {kRegSz, text(R"(C:\x "y")")}, R"("a\"b\\c"="C:\\x \"y\"")"},
        {"unnamed value", "", {kRegSz, text("d")}, R"(@="d")"},
        {"stray bytes kept", "n", {kRegSz, text("Jo\xff\x01")}, "\"n\"=\"Jo\xff\x01\""},
        {"dword", "n", {kRegDword, std::string("\x2a\0\0\0", 4)}, R"("n"=dword:0000002a)"},
        {"binary", "n", {kRegBinary, "\x0a\xff"}, R"("n"=hex:0a,ff)"},
        {"REG_SZ without its NUL", "n", {kRegSz, ""}, R"("n"=hex(1):)"},
        {"REG_SZ with a line break", "n", {kRegSz, text("a\nb")}, R"("n"=hex(1):61,0a,62,00)"},
        {"dword of the wrong size", "n", {kRegDword, "\x01"}, R"("n"=hex(4):01)"},
        {"other type", "n", {11, std::string(8, '\0')}, R"("n"=hex(b):00,00,00,00,00,00,00,00)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(RegFileDocument::valueLine(c.name, c.value), c.line);
        RegFileDocument doc;
        doc.set(kSection, c.name, c.value);
        const auto back = RegFileDocument::parse(doc.serialize()).find(kSection, c.name);
        ASSERT_TRUE(back) << back.error().message;
        EXPECT_EQ(*back, c.value);
    }
}

TEST(RegFileDocument, ReadsWhatAnExportMayContain) {
    const std::string file =
        "\xEF\xBB\xBFWindows Registry Editor Version 5.00\n"
        "\n"
        "; a comment\n"
        "[HKEY_LOCAL_MACHINE\\Software\\Fragtide]\n"
        "\"Long\"=hex:01,02,\\\n"
        "  03,04\n"
        "\"Upper\"=dword:0000FFFF\r\n"
        "\"Twice\"=\"first\"\n"
        "\"Twice\"=\"second\"\n"
        "[HKEY_LOCAL_MACHINE\\Software\\Other]\n"
        "\"Twice\"=\"elsewhere\"\n";
    const auto doc = RegFileDocument::parse(file);
    EXPECT_EQ(*doc.find(kSection, "Long"), (StoredValue{kRegBinary, "\x01\x02\x03\x04"}));
    EXPECT_EQ(*doc.find(kSection, "Upper"), (StoredValue{kRegDword, std::string("\xff\xff\0\0", 4)}));
    EXPECT_EQ(*doc.find(kSection, "Twice"), (StoredValue{kRegSz, text("second")})) << "the last line wins";
    EXPECT_EQ(doc.find("hkey_local_machine\\software\\fragtide", "twice")->data, text("second"));
}

TEST(RegFileDocument, TakesNoGuessAtALineThatDoesNotParse) {
    struct Case { const char* what; std::string line; };
    const Case cases[] = {
        {"truncated text", R"("V"="Quake II : Sta)"},
        {"truncated hex", R"("V"=hex:0a,)"},
        {"truncated continuation", "\"V\"=hex:0a,\\"},
        {"unknown escape", R"("V"="a\nb")"},
        {"short dword", R"("V"=dword:2a)"},
        {"odd hex digit", R"("V"=hex:0a,f)"},
        {"not hex", R"("V"=hex:zz)"},
        {"unknown data form", R"("V"=qword:1)"},
        {"text after the value", R"("V"="a" junk)"},
        {"deletion mark", R"("V"=-)"},
        {"binary junk", std::string("\"V\"=\x00\xff\x01", 7)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string file = "[HKEY_LOCAL_MACHINE\\Software\\Fragtide]\n\"Good\"=\"yes\"\n" + c.line + "\n";
        const auto doc = RegFileDocument::parse(file);
        const auto v = doc.find(kSection, "V");
        ASSERT_FALSE(v);
        EXPECT_EQ(v.error().kind, StoreErrorKind::Unreadable);
        EXPECT_EQ(doc.find(kSection, "Good")->data, text("yes"));
    }
}

TEST(RegFileDocument, ChangesOneLineAndKeepsEveryOtherAsItWas) {
    const std::string before =
        "Windows Registry Editor Version 5.00\r\n"
        "\r\n"
        "[HKEY_LOCAL_MACHINE\\Software\\Other]\r\n"
        "; kept\r\n"
        "\"Odd\"=this does not parse\r\n"
        "\r\n"
        "[HKEY_LOCAL_MACHINE\\Software\\Fragtide]\r\n"
        "\"Before\"=hex:01,\\\r\n"
        "  02\r\n"
        "\"GameSelect\"=\"Quake I : Standard\"\r\n"
        "\"gameselect\"=\"a duplicate\"\r\n"
        "\"After\"=dword:00000001\r\n"
        "\r\n";
    auto doc = RegFileDocument::parse(before);
    doc.set(kSection, "GameSelect", {kRegSz, text("Quake II : Standard")});
    doc.set(kSection, "New", {kRegSz, text("n")});
    doc.set("HKEY_LOCAL_MACHINE\\Software\\Third", "T", {kRegSz, text("t")});
    EXPECT_EQ(doc.serialize(),
              "Windows Registry Editor Version 5.00\r\n"
              "\r\n"
              "[HKEY_LOCAL_MACHINE\\Software\\Other]\r\n"
              "; kept\r\n"
              "\"Odd\"=this does not parse\r\n"
              "\r\n"
              "[HKEY_LOCAL_MACHINE\\Software\\Fragtide]\r\n"
              "\"Before\"=hex:01,\\\r\n"
              "  02\r\n"
              "\"GameSelect\"=\"Quake II : Standard\"\r\n"
              "\"After\"=dword:00000001\r\n"
              "\"New\"=\"n\"\r\n"
              "\r\n"
              "[HKEY_LOCAL_MACHINE\\Software\\Third]\r\n"
              "\"T\"=\"t\"\r\n"
              "\r\n");
}

TEST(RegFileDocument, PutsTheHeaderInFrontOfAFileThatLackedIt) {
    auto doc = RegFileDocument::parse("garbage\x01\xff\n");
    doc.set(kSection, "V", {kRegSz, text("v")});
    const std::string out = doc.serialize();
    EXPECT_TRUE(out.starts_with("Windows Registry Editor Version 5.00\r\n\r\ngarbage\x01\xff\r\n")) << out;
    EXPECT_EQ(RegFileDocument::parse(out).find(kSection, "V")->data, text("v"));
}

}  // namespace
}  // namespace fragtide::settings
