#pragma once

#include <cstddef>
#include <string_view>

// The pieces the Half-Life and Counter-Strike 2 server logs share: a player written as
// "NAME<uid><id><team>", a quoted weapon word, and the properties after it.
//
// Pure functions over raw line bytes; thread-safe. Views point into the line.
namespace fragtide::engine {

// A player as the log writes him: NAME<uid><id><team>.
struct HlPlayer {
    std::string_view name, uid, id, team;
    bool operator==(const HlPlayer&) const = default;
};

// Reads `<uid><id><team>` backwards from its last `>` at `close` into `player` (all but the name):
// uid is an optional minus and one or more digits, id and team hold no `<` or `>`. Returns the
// position of the tag's first `<`, or npos when no tag ends there. At most one tag ends at a
// given `>`, and tags never overlap (every `>` inside one is followed by `<`).
std::size_t tagEndingAt(std::string_view line, std::size_t close, HlPlayer& player);

// The first `>"` at or after `from`, where a player's tag may close, or npos. Sixteen bytes at a
// time: a tag holds two more `>`, which a search for the `>` alone would stop at.
std::size_t findTagClose(std::string_view line, std::size_t from);

// The quoted word that begins at `from` and ends at the next quote; false when no quote follows.
bool quotedWord(std::string_view line, std::size_t from, std::string_view& word);

// Whether a kill between players of teams `a` and `b` is a team kill: the same team, neither empty
// nor `Unassigned`.
bool isSameTeam(std::string_view a, std::string_view b);

// Whether the properties after a kill's weapon say the death was faked (Team Fortress 2's Spy:
// `(customkill "feign_death")`): such a line is no kill and no death.
bool isFeignedDeath(std::string_view properties);

}  // namespace fragtide::engine
