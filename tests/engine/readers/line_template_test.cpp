#include "engine/readers/line_template.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <string>
#include <vector>

#include "engine/reference/line_template_reference.hpp"

namespace fragtide::engine {
namespace {

using F = TemplateField;

TEST(LineTemplate, FillsEachPlaceholderWithTheShortestTextThatLetsTheLineMatch) {
    struct Case {
        const char* what;
        std::string_view text;
        bool prefix;
        std::string_view line;
        bool matches;
        std::string_view killer, victim, weapon;
    };
    const Case cases[] = {
        {"plain kill", "{killer} killed {victim} with {weapon}", false, "Ann killed Bo with rifle", true, "Ann", "Bo",
         "rifle"},
        {"name holding the literal: the first cut wins", "{killer} killed {victim}", false,
         "Ann killed Bo killed Cy", true, "Ann", "Bo killed Cy", ""},
        {"the last placeholder takes the rest", "K;{killer};{victim}", false, "K;a;b;c", true, "a", "b;c", ""},
        {"a line longer than the template does not match", "{killer} ate {victim}'s rocket", false,
         "Ann ate Bo's rocket!", false, "", "", ""},
        {"empty placeholders", "{killer}|{victim}|{weapon}", false, "||", true, "", "", ""},
        {"num takes a sign and digits only", "{num} {killer} {victim}", false, "-12 a b", true, "a", "b", ""},
        {"num needs a digit", "{num} {killer} {victim}", false, "- a b", false, "", "", ""},
        {"num is shortest-first too", "{num}{killer}:{victim}", false, "123:x", true, "23", "x", ""},
        {"braces", "{{{killer}}} {victim}", false, "{Ann} Bo", true, "Ann", "Bo", ""},
        {"prefix of a time stamp", "{killer} killed {victim}", true, "12:03 [1] Ann killed Bo", true,
         "12:03 [1] Ann", "Bo", ""},
        {"prefix before a literal start", "K;{killer};{victim}", true, " 12:03 K;a;b", true, "a", "b", ""},
        {"no prefix: the template starts the line", "K;{killer};{victim}", false, " 12:03 K;a;b", false, "", "",
         ""},
        {"stray bytes pass through", "{killer}\xff{victim}", false, "A\x01\xff\xfe", true, "A\x01", "\xfe", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto t = LineTemplate::compile(c.text, c.prefix);
        ASSERT_TRUE(t.has_value()) << t.error().message;
        const auto m = t->match(c.line);
        ASSERT_EQ(m.has_value(), c.matches);
        if (!m)
            continue;
        EXPECT_EQ((*m)[F::Killer], c.killer);
        EXPECT_EQ((*m)[F::Victim], c.victim);
        EXPECT_EQ((*m)[F::Weapon], c.weapon);
    }
}

TEST(LineTemplate, RefusesUnknownPlaceholdersLoneBracesAndRepeatedNames) {
    for (const std::string_view text : {"{killer} {victm}", "{killer", "a } b", "{killer}{killer}", "{}"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(LineTemplate::compile(text, false).has_value());
    }
}

// Templates and lines drawn from a few letters that are both literal text and names, so cuts are
// ambiguous everywhere; the matcher must cut exactly as the backtracking regular expression does.
TEST(LineTemplate, CutsAsTheLazyRegularExpressionDoes) {
    std::mt19937 rng(22);
    const std::vector<std::string> pieces = {"{killer}", "{victim}", "{weapon}", "{num}", "{any}", "{any}",
                                             "a",        "b",        ";",        "-",     "1",     "{{"};
    const std::string alphabet = "ab;-1 {";
    int matched = 0;
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        const int parts = 1 + static_cast<int>(rng() % 7);
        for (int i = 0; i < parts; ++i)
            text += pieces[rng() % pieces.size()];
        const bool prefix = rng() % 3 == 0;
        const auto t = LineTemplate::compile(text, prefix);
        if (!t)
            continue;  // a repeated name
        for (int l = 0; l < 10; ++l) {
            std::string line;
            const int length = static_cast<int>(rng() % 14);
            for (int i = 0; i < length; ++i)
                line += alphabet[rng() % alphabet.size()];
            SCOPED_TRACE("template `" + text + "` prefix " + std::to_string(prefix) + " line `" + line + "`");
            const auto fast = t->match(line);
            const auto plain = reference::matchTemplate(text, prefix, line);
            ASSERT_EQ(fast.has_value(), plain.has_value());
            if (!fast)
                continue;
            ++matched;
            for (std::size_t f = 0; f < kTemplateFields; ++f)
                ASSERT_EQ(fast->fields[f], plain->fields[f]) << "field " << f;
        }
    }
    EXPECT_GT(matched, 1000);  // the rows must exercise matches, not only refusals
}

// Templates that make a backtracking matcher take time exponential or polynomial in the line's
// length; these must stay linear. Bounded loosely: a failure means quadratic, not a slow machine.
TEST(LineTemplate, StaysLinearOnAHostileTemplateAndATenMegabyteLine) {
    const std::string line(10 << 20, 'a');
    for (const std::string_view text :
         {"{any}{any}{any}{killer}{victim}b", "{killer}a{any}a{any}a{victim}b", "{num}{killer}{num}{victim}x"}) {
        SCOPED_TRACE(text);
        const auto t = LineTemplate::compile(text, true);
        ASSERT_TRUE(t.has_value());
        const auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(t->match(line).has_value());
        EXPECT_FALSE(t->match(std::string(10 << 20, '7')).has_value());
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
    }
}

}  // namespace
}  // namespace fragtide::engine
