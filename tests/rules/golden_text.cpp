#include "tests/rules/golden_text.hpp"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace fragtide::testing {
namespace {

std::string escaped(std::string_view text, bool quotes = true) {
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (quotes && (c == '"' || c == '\\')) {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || byte > 0x7E) {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", byte);
            out += hex;
        } else {
            out += c;
        }
    }
    return out;
}

std::string quoted(std::string_view text) { return '"' + escaped(text) + '"'; }

// A line of a golden text as a difference shows it: between backquotes, so that spaces at either
// end show, with stray bytes (a carriage return, say) spelled out.
std::string shown(std::string_view line) { return '`' + escaped(line, false) + '`'; }

std::string_view killSourceText(rules::KillSource kind) {
    switch (kind) {
    case rules::KillSource::ObituaryRules:
        return "obituary rules";
    case rules::KillSource::HalfLifeServerLog:
        return "Half-Life server log";
    case rules::KillSource::Quake2StdLog:
        return "Quake II StdLog";
    case rules::KillSource::CounterStrike2ServerLog:
        return "Counter-Strike 2 server log";
    case rules::KillSource::Quake3ServerLog:
        return "Quake III server log";
    case rules::KillSource::TemplateLines:
        return "line templates";
    }
    return "unknown kill source";
}

// The text split at line feeds; a final line feed ends the last line rather than starting one.
std::vector<std::string_view> linesOf(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        lines.push_back(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return lines;
}

}  // namespace

std::string goldenText(const rules::Game& game) {
    std::string out;
    auto line = [&out](const std::string& text) { out += text + '\n'; };
    line("game " + quoted(game.displayName));
    line("short name " + quoted(game.alias));
    if (!game.description.empty())
        line("description " + quoted(game.description));
    line("kills from " + std::string(killSourceText(game.kind)));
    if (game.rules)
        line(std::string("killer first ") + (game.rules->killerFirst ? "yes" : "no"));
    const std::size_t ruleSlots = game.rules ? game.rules->slots.size() : 0;
    const std::size_t slots = std::max(game.weaponNames.size(), ruleSlots);
    for (std::size_t i = 0; i < slots; ++i) {
        const std::string slot = std::to_string(i + 1);
        if (i < game.weaponNames.size())
            line("weapon " + slot + " " + quoted(game.weaponNames[i]));
        if (i < ruleSlots) {
            for (const rules::ObituaryRule& rule : game.rules->slots[i].rules)
                line("rule " + slot + " " + quoted(rule.middle) + " " + quoted(rule.trailing));
        }
    }
    if (game.weaponNames.empty()) {
        line("weapons from the log");
        line(std::string("weapon words ") + (game.weaponWordsIgnoreCase ? "case-insensitive" : "case-sensitive"));
    }
    for (const rules::WeaponWord& word : game.weaponWords)
        line("word " + quoted(word.word) + " " + quoted(word.displayName));
    for (const rules::WeaponWord& prefix : game.weaponWordPrefixes)
        line("words beginning " + quoted(prefix.word) + " " + quoted(prefix.displayName));
    // With the weapon's name, so that a champion left behind by a reordering shows.
    for (const rules::Champion& champion : game.champions) {
        const auto slot = static_cast<std::size_t>(champion.slot);
        const std::string_view weapon = slot >= 1 && slot <= game.weaponNames.size() ? game.weaponNames[slot - 1] : "";
        line("champion " + std::to_string(champion.slot) + " " + quoted(weapon) + " " + quoted(champion.opening) + " " +
             quoted(champion.closing));
    }
    return out;
}

std::optional<LineDifference> firstDifference(std::string_view expected, std::string_view actual) {
    if (expected == actual)
        return std::nullopt;
    const auto e = linesOf(expected);
    const auto a = linesOf(actual);
    for (std::size_t i = 0; i < std::max(e.size(), a.size()); ++i) {
        if (i < e.size() && i < a.size() && e[i] == a[i])
            continue;
        return LineDifference{i + 1, i < e.size() ? shown(e[i]) : "<end of text>",
                              i < a.size() ? shown(a[i]) : "<end of text>"};
    }
    // The same lines, different bytes: only the final line feed can differ.
    auto ending = [](std::string_view text) { return text.ends_with('\n') ? "a final line feed" : "no final line feed"; };
    return LineDifference{e.size(), ending(expected), ending(actual)};
}

}  // namespace fragtide::testing
