#pragma once

#include <optional>
#include <string_view>

#include "engine/one_name_matcher.hpp"
#include "rules/one_name_messages.hpp"

// The plain model of OneNameMatcher, for tests: every message of the table is tried in turn and
// the best match is kept by the ranking that engine/one_name_matcher.hpp states. No tables, no
// shortcuts; slow on purpose. Names are views into `line`.
namespace fragtide::engine::reference {

std::optional<OneNameEvent> matchOneName(const rules::OneNameTable& table, std::string_view line,
                                         KillVerdict verdict);

}  // namespace fragtide::engine::reference
