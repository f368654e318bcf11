#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "rules/game.hpp"

// A game's definition spelled out as text, one fact per line, to compare with the golden files in
// tests/rules/golden/ that were written by hand from the design's tables.
//
// Lines, in this order (every text in double quotes, so leading and trailing spaces show; a quote,
// a backslash and any byte outside printable ASCII are written as \", \\ and \xHH):
//   game "<display string>"
//   short name "<short name>"
//   kills from obituary rules | kills from Half-Life server log | kills from Quake II StdLog
//   killer first yes|no                               (obituary rules only)
//   weapon <slot> "<name>"                            then, for that slot, in call order:
//   rule <slot> "<middle text>" "<trailing text>"
//   weapons from the log                              (games whose log names the weapons)
//   weapon words case-sensitive|case-insensitive      (the same)
//   word "<word>" "<display name>"                    (the same, in table order)
//   champion <slot> "<weapon>" "<opening>" "<closing>"  (General Info's weapon champions, if any)
// Every line ends with a line feed, the last one included.
namespace fragtide::testing {

std::string goldenText(const rules::Game& game);

// The first line where two texts differ (counted from 1), with both lines made visible: between
// backquotes, bytes outside printable ASCII as \xHH, or <end of text> for a line one text lacks.
// Nothing when they are equal.
struct LineDifference {
    std::size_t line;
    std::string expected;
    std::string actual;
};
std::optional<LineDifference> firstDifference(std::string_view expected, std::string_view actual);

}  // namespace fragtide::testing
