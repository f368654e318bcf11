#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "rules/rule_tables.hpp"

// A deliberately plain model of the engine: position-by-position scan of every rule, linear
// search of the player table, byte-by-byte line splitting. Slow and obvious, so that the fast
// engine can be checked against it on generated logs.
namespace fragtide::engine::reference {

struct ReferenceStore {
    std::array<std::int64_t, 51> weaponFrags{};
    // Index 0 is nobody; a new killer is appended, with no limit.
    std::vector<std::string> playerNames = std::vector<std::string>(1);
    std::vector<std::array<std::int64_t, 51>> playerWeaponFrags = std::vector<std::array<std::int64_t, 51>>(1);
    std::string killerName;
    std::string victimName;
};

int referenceMatch(ReferenceStore& store, std::string_view line, std::string_view middle,
                   std::string_view trailing, int killerFirst);
void referenceRecordKill(ReferenceStore& store, std::int64_t count, int slot);
// One line, slots 1 to 25, with `rules` (nullptr: a game without rules).
void referenceAnalyzeLine(ReferenceStore& store, const rules::RuleSet* rules, std::string_view line);
// The lines of a whole buffer, without their endings: CR, LF and CR LF each end one; a last line
// without an ending is still a line; every other byte is kept.
std::vector<std::string> referenceLines(std::string_view bytes);
// A whole buffer, split by referenceLines. Returns the number of lines.
std::uint64_t referenceAnalyze(ReferenceStore& store, const rules::RuleSet* rules,
                               std::string_view bytes);

}  // namespace fragtide::engine::reference
