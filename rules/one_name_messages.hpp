#pragma once

#include <span>
#include <string_view>

// The messages a game prints with one player's name alone, as data: suicides (deaths with no
// other player to credit: killing oneself, deaths by the world) and team kills printed with the
// killer's name only.
//
// These are not kill rules and are never mixed into them: a kill message names two players, these
// name one. Texts are the games' own, byte for byte, leading spaces and final punctuation
// included. The tables are constant and live for the whole program; views never dangle.
namespace fragtide::rules {

// A message is `leading` + name + `trailing`, and it is the whole line: the line starts with
// `leading` ("" for the usual form, where the name opens the line) and ends with `trailing`
// (never empty). The name is what lies between them, trimmed of spaces and one trailing "'s"
// removed, as the kill recorder treats names.
struct OneNameMessage {
    std::string_view leading;
    std::string_view trailing;
};

// One game's one-name messages. `suicides` name the player who died; `teamKills` name the
// player who killed a teammate (his victim is not printed).
struct OneNameTable {
    std::span<const OneNameMessage> suicides;
    std::span<const OneNameMessage> teamKills;
};

extern const OneNameTable kQuake1StandardOneName;
extern const OneNameTable kQuake1WarhavenOneName;  // empty: no source of its messages is known
extern const OneNameTable kQuake1CTFOneName;       // the Quake I standard messages
extern const OneNameTable kQuake2StandardOneName;
extern const OneNameTable kQuake2ActionOneName;
extern const OneNameTable kCounterStrikeOneName;   // empty: its console logs print none known

}  // namespace fragtide::rules
