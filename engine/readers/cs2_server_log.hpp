#pragma once

#include <optional>
#include <string_view>

#include "engine/readers/hl_server_log.hpp"

// Reads the kills, team kills and suicides of a CS:GO or Counter-Strike 2 server log, one line at
// a time: the Half-Life server log's lines, each player possibly followed by a position block.
//
// A line may begin with `L MM/DD/YYYY - hh:mm:ss: ` or `MM/DD/YYYY - hh:mm:ss - ` (the seconds may
// carry a fraction such as `.644`), or with no time stamp. A kill is then
//   "KILLER<uid><id><team>"[ [x y z]] killed "VICTIM<uid><id><team>"[ [x y z]] with "WEAPON"<anything>
// cut as the lazy regular expression
//   ^(?:L \d\d/\d\d/\d{4} - \d\d:\d\d:\d\d(?:\.\d+)?: |\d\d/\d\d/\d{4} - \d\d:\d\d:\d\d(?:\.\d+)? - )?
//   "(.*?)<(-?\d+)><([^<>]*)><([^<>]*)>"(?: \[[^\]\r\n]*\])? killed
//   "(.*?)<(-?\d+)><([^<>]*)><([^<>]*)>"(?: \[[^\]\r\n]*\])? with "([^"]*)"(.*)$
// cuts it. A suicide is `PLAYER[ POS] committed suicide with "WEAPON"<anything>`. A line that fits
// both is a kill, unless its properties say the death was faked; then it is none. `killed other`
// (chickens), `was killed by the bomb.`, damage, chat and every other line are none.
//
// Lines are raw bytes without their ending. Pure function; thread-safe. Linear in the line's
// length, whatever its bytes.
namespace fragtide::engine {

// The event of `line`, or nothing. Every view in the result points into `line` and dies with it.
std::optional<HlEvent> readCs2ServerLogLine(std::string_view line);

}  // namespace fragtide::engine
