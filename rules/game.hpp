#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "rules/one_name_messages.hpp"
#include "rules/rule_tables.hpp"

// A game as the program knows it: its names, its weapons and where its kills come from.
//
// Each built-in game is one constexpr Game in a header of its own in rules/ (quake1_standard.hpp,
// ...), the only place its texts are written; the engine's catalogue lists them in Game Select
// order. The display string is the game's only identity: it is what the settings store and what
// Game Select shows. All data is constant and lives for the whole program.
namespace fragtide::rules {

// Where a game's kills come from.
enum class KillSource : std::uint8_t {
    ObituaryRules,      // console obituaries, matched by the game's RuleSet
    HalfLifeServerLog,  // the standard log of a Half-Life server, read by a reader of its own
    Quake2StdLog,       // the tab-separated StdLog records of Quake II server mods
    CounterStrike2ServerLog,  // the log of a CS:GO or Counter-Strike 2 server (positions, two stamps)
    Quake3ServerLog,    // the Kill: lines of a Quake III engine server's games.log or console log
    TemplateLines,      // a server log described by line templates in a game file
};

// The line templates of a game file's server log (kind TemplateLines): texts with placeholders
// ({killer}, {victim}, {weapon}, ...), matched against whole lines by engine/readers/line_template.
struct LineTemplates {
    std::span<const std::string_view> kills;     // tried in order; each has {killer} and {victim}
    std::span<const std::string_view> suicides;  // each has {player}
    std::span<const std::string_view> ignoreIf;  // a line holding one of these texts is no event
    bool prefix = false;  // digits, spaces and :./|-[] may stand before a template
};

// A word a log writes for a weapon, and the name the reports show for it. Words with the same
// display name are one weapon.
struct WeaponWord {
    std::string_view word;
    std::string_view displayName;
};

// A line of General Info naming the player with the most kills of one weapon:
// opening + name + " with " + count + closing.
struct Champion {
    int slot;  // the weapon, from 1
    std::string_view opening;
    std::string_view closing;
};

struct Game {
    std::string_view displayName;  // the game's identity, as Game Select lists it
    std::string_view alias;        // the short name, for the command line and file names
    // weaponNames[0] is slot 1. Empty when the log names the weapons: slots are then handed out
    // during the analysis, in the order of each weapon's first kill.
    std::span<const std::string_view> weaponNames;
    const RuleSet* rules = nullptr;  // set exactly when kind is ObituaryRules
    KillSource kind = KillSource::ObituaryRules;
    // For a game whose log names the weapons: the words it knows. Any other word is a weapon of
    // its own, shown as written.
    std::span<const WeaponWord> weaponWords = {};
    bool weaponWordsIgnoreCase = false;  // ASCII letters only; every other byte compares exactly
    // For a game whose log names the weapons: words that name a weapon by how they begin (the many
    // knives of Counter-Strike 2), tried after weaponWords, in order, compared as weaponWords are.
    std::span<const WeaponWord> weaponWordPrefixes = {};
    // For an obituary game: the messages it prints with one name alone (suicides, team kills
    // without a victim), kept apart from the kill rules; nullptr when it has none. Always nullptr
    // for a game read by a reader, whose records say who killed himself.
    const OneNameTable* oneName = nullptr;
    const LineTemplates* lines = nullptr;  // set exactly when kind is TemplateLines
    // The weapon champions General Info names, in the order written; none for most games.
    std::span<const Champion> champions = {};
    // One line on what the game reads, for Game Select ("Counter-Strike's client console
    // obituaries"); may be empty for a game defined outside the program: nothing is shown then.
    std::string_view description = {};

    constexpr int slotCount() const { return static_cast<int>(weaponNames.size()); }
};

// What every definition keeps: both names set; an obituary game has a rule set with one non-empty
// list per named weapon and no empty middle text; a game read by a reader has neither rules nor
// fixed weapon names. The catalogue checks its games with this at compile time.
constexpr bool isWellFormed(const Game& game) {
    if (game.displayName.empty() || game.alias.empty())
        return false;
    for (const Champion& champion : game.champions) {
        if (champion.slot < 1 || champion.slot > game.slotCount())
            return false;
    }
    if (game.kind != KillSource::ObituaryRules)
        return game.rules == nullptr && game.weaponNames.empty() && game.oneName == nullptr &&
               (game.lines != nullptr) == (game.kind == KillSource::TemplateLines);
    if (game.lines != nullptr)
        return false;
    if (game.rules == nullptr || !game.weaponWords.empty() || !game.weaponWordPrefixes.empty() ||
        game.weaponNames.empty() ||
        game.rules->slots.size() != game.weaponNames.size())
        return false;
    for (std::size_t i = 0; i < game.weaponNames.size(); ++i) {
        if (game.weaponNames[i].empty() || game.rules->slots[i].rules.empty())
            return false;
        for (const ObituaryRule& rule : game.rules->slots[i].rules) {
            if (rule.middle.empty())
                return false;
        }
    }
    return true;
}

}  // namespace fragtide::rules
