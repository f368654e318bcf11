#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "rules/rule_tables.hpp"

// Whether one log line is the kill message of one obituary rule, and the two names it holds.
//
// Lines are raw bytes without their ending; comparison is exact, byte for byte. The line must end
// with the rule's trailing text, and the rightmost occurrence of the middle text decides: the head
// (everything before it plus its first byte, so it normally ends in a space) is the first name,
// and what lies between it and the trailing text is the second. When that rightmost occurrence
// reaches into the trailing text the rule does not match.
namespace fragtide::engine {

class StatsStore;

struct ObituaryMatch {
    std::string_view killer;  // raw, untrimmed; views into the line, valid while it is
    std::string_view victim;
};

std::optional<ObituaryMatch> matchRule(std::string_view line, const rules::ObituaryRule& rule,
                                       bool killerFirst);

// The classic entry point: 1 on a match, which overwrites store.KillerName and store.VictimName;
// 0 otherwise, leaving them as they were. killerFirst 0 means the victim's name comes first.
int MatchObituary(StatsStore& store, std::string_view line, std::string_view middle,
                  std::string_view trailing, std::int16_t killerFirst);

}  // namespace fragtide::engine
