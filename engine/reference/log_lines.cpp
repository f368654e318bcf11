#include "engine/reference/log_lines.hpp"

namespace fragtide::engine::reference {
namespace {

int pick(std::mt19937& rng, int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }

std::string hlPlayer(std::string_view name, int uid, std::string_view team) {
    return "\"" + std::string(name) + "<" + std::to_string(uid) + "><STEAM_0:1:" + std::to_string(uid * 7) + "><" +
           std::string(team) + ">\"";
}

// What an {any} of a template stands for in a generated line: an id of 16 hex digits, about the
// length of the ids and numbers server logs write there.
std::string anyText(std::mt19937& rng) {
    std::string text(16, '0');
    for (char& c : text)
        c = "0123456789abcdef"[pick(rng, 16)];
    return text;
}

}  // namespace

std::string killLine(const rules::Game& game, std::mt19937& rng, std::string_view killer, std::string_view victim,
                     std::string_view weapon) {
    switch (game.kind) {
    case rules::KillSource::HalfLifeServerLog: {
        const bool ct = pick(rng, 2) == 0;
        return "L 12/07/2026 - 20:" + std::to_string(10 + pick(rng, 50)) + ":" + std::to_string(10 + pick(rng, 50)) +
               ": " + hlPlayer(killer, 1 + pick(rng, 30), ct ? "CT" : "TERRORIST") + " killed " +
               hlPlayer(victim, 1 + pick(rng, 30), ct ? "TERRORIST" : "CT") + " with \"" + std::string(weapon) + "\"" +
               (pick(rng, 4) == 0 ? " (headshot)" : "");
    }
    case rules::KillSource::CounterStrike2ServerLog: {
        const bool ct = pick(rng, 2) == 0;
        const std::string stamp = pick(rng, 2) == 0 ? "L 12/07/2026 - 20:11:" + std::to_string(10 + pick(rng, 50)) + ": "
                                                    : "12/07/2026 - 20:11:" + std::to_string(10 + pick(rng, 50)) + ".644 - ";
        const std::string at = " [" + std::to_string(pick(rng, 3000) - 1500) + " -236 -159]";
        return stamp + hlPlayer(killer, 1 + pick(rng, 30), ct ? "CT" : "TERRORIST") + at + " killed " +
               hlPlayer(victim, 1 + pick(rng, 30), ct ? "TERRORIST" : "CT") + at + " with \"" + std::string(weapon) +
               "\"" + (pick(rng, 4) == 0 ? " (headshot)" : "");
    }
    case rules::KillSource::Quake3ServerLog: {
        const int k = pick(rng, 32);
        const int v = (k + 1 + pick(rng, 31)) % 32;
        return " 12:" + std::to_string(10 + pick(rng, 50)) + " Kill: " + std::to_string(k) + " " + std::to_string(v) +
               " " + std::to_string(pick(rng, 30)) + ": " + std::string(killer) + " killed " + std::string(victim) +
               " by " + std::string(weapon);
    }
    case rules::KillSource::Quake2StdLog:
        return std::string(killer) + "\t" + std::string(victim) + "\tKill\t" + std::string(weapon) + "\t" +
               std::to_string(pick(rng, 50)) + "\t" + std::to_string(pick(rng, 900)) + "\t" +
               std::to_string(pick(rng, 200));
    case rules::KillSource::TemplateLines: {
        // The first kill template, filled in: the generated logs of a game file's server log.
        // With a prefix allowed, a time stamp as the server writes it.
        std::string line = game.lines->prefix ? std::to_string(pick(rng, 60)) + ":" + std::to_string(10 + pick(rng, 50)) + " " : "";
        const std::string_view text = game.lines->kills.front();
        for (std::size_t i = 0; i < text.size(); ++i) {
            const std::size_t close = text[i] == '{' && (i + 1 >= text.size() || text[i + 1] != '{')
                                          ? text.find('}', i)
                                          : std::string_view::npos;
            if (close == std::string_view::npos) {
                line += text[i];
                if ((text[i] == '{' || text[i] == '}') && i + 1 < text.size() && text[i + 1] == text[i])
                    ++i;
                continue;
            }
            const std::string_view name = text.substr(i + 1, close - i - 1);
            line += name == "killer" ? std::string(killer)
                    : name == "victim" ? std::string(victim)
                    : name == "weapon" ? std::string(weapon)
                    : name == "killer_team" ? std::string(pick(rng, 2) ? "axis" : "allies")
                    : name == "victim_team" ? std::string(pick(rng, 2) ? "axis" : "allies")
                    : name == "num" ? std::to_string(pick(rng, 100))
                                    : anyText(rng);
            i = close;
        }
        return line;
    }
    case rules::KillSource::ObituaryRules:
        break;
    }
    const auto& slots = game.rules->slots;
    const auto& rules = slots[static_cast<std::size_t>(pick(rng, static_cast<int>(slots.size())))].rules;
    const auto& rule = rules[static_cast<std::size_t>(pick(rng, static_cast<int>(rules.size())))];
    const std::string_view first = game.rules->killerFirst ? killer : victim;
    const std::string_view second = game.rules->killerFirst ? victim : killer;
    return std::string(first) + std::string(rule.middle) + std::string(second) + std::string(rule.trailing);
}

std::string weaponWord(const rules::Game& game, std::mt19937& rng, int unknown) {
    if (game.weaponWords.empty() || (unknown > 0 && pick(rng, 4) == 0)) {
        // A Quake III word ends at a space.
        const char* const stem = game.kind == rules::KillSource::Quake3ServerLog ? "Weapon_" : "Weapon ";
        return stem + std::to_string(pick(rng, unknown > 0 ? unknown : 1));
    }
    const auto& words = game.weaponWords;
    std::string word(words[static_cast<std::size_t>(pick(rng, static_cast<int>(words.size())))].word);
    if (game.weaponWordsIgnoreCase && pick(rng, 3) == 0) {
        for (char& c : word) {
            const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
            if (letter && pick(rng, 2) == 0)
                c = static_cast<char>(c ^ 0x20);  // the other case of an ASCII letter
        }
    }
    return word;
}

std::string noiseLine(std::mt19937& rng) {
    switch (pick(rng, 4)) {
    case 0:
        return "Rook: gg, nice shot";
    case 1:
        return "L 12/07/2026 - 20:11:12: \"Nadia<3><BOT><CT>\" say \"rush b\"";
    case 2:
        return "\t\tPlayerConnect\tKay\t\t" + std::to_string(pick(rng, 900));
    default:
        return "L 12/07/2026 - 20:11:13: Team \"CT\" scored \"3\" with \"5\" players";
    }
}

}  // namespace fragtide::engine::reference
