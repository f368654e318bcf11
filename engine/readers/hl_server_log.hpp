#pragma once

#include <optional>
#include <string_view>

#include "engine/readers/player_tag.hpp"

// Reads the kills, team kills and suicides of a Half-Life server log, one line at a time.
//
// A kill line is, after an optional time stamp `L MM/DD/YYYY - HH:MM:SS: ` (any digits):
//   "KILLER<uid><id><team>" killed "VICTIM<uid><id><team>" with "WEAPON"<anything>
// where uid is an optional minus and one or more digits, and id and team hold no `<` or `>`. Names
// may hold anything (quotes, `<`, `>`, spaces, `" killed "`). Of all ways to cut a line, the
// killer's name is the shortest for which the rest fits, then the victim's name likewise: the cut of
// the lazy regular expression
//   ^(L \d\d/\d\d/\d\d\d\d - \d\d:\d\d:\d\d: )?"(.*?)<(-?\d+)><([^<>]*)><([^<>]*)>" killed
//   "(.*?)<(-?\d+)><([^<>]*)><([^<>]*)>" with "([^"]*)"(.*)$
// A suicide line is `"PLAYER<uid><id><team>" committed suicide with "WEAPON"<anything>`, cut the same
// way. A line that fits both forms is a kill, unless what follows its weapon says the death was
// faked (`(customkill "feign_death")`): then it is none. Every other line (damage, chat, scores, a
// line with position blocks after its players, ...) is none.
//
// Lines are raw bytes without their ending (no CR or LF inside). Pure function; thread-safe. Linear
// in the line's length, whatever its bytes.
namespace fragtide::engine {

enum class HlEventKind {
    Kill,      // a frag
    TeamKill,  // both players of the same team (neither empty nor `Unassigned`): not a frag
    Suicide,   // a player killed himself or was killed by the world
};

struct HlEvent {
    HlEventKind kind;
    HlPlayer killer;  // for a suicide: the player who died
    HlPlayer victim;  // for a suicide: empty
    std::string_view weapon;
    bool operator==(const HlEvent&) const = default;
};

// The event of `line`, or nothing. Every view in the result points into `line` and dies with it.
std::optional<HlEvent> readHlServerLogLine(std::string_view line);

}  // namespace fragtide::engine
