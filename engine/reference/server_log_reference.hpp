#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/reference/reference_matcher.hpp"
#include "rules/game.hpp"

// The plain model of engine/readers/server_log_source: one thread, line by line, each line read by
// the plain reader of the game (std::regex, std::getline), weapons looked up by a linear scan and
// slots handed out from a plain list. For tests to check the fast path and the merging of pieces.
namespace fragtide::engine::reference {

struct ServerLogReferenceStore {
    ReferenceStore counts;
    std::array<std::string, 51> weaponNames;
};

// Every line of `bytes` for `game` (a game whose log names the weapons). Returns the number of lines.
std::uint64_t referenceAnalyzeServerLog(ServerLogReferenceStore& store, const rules::Game& game,
                                        std::string_view bytes);

}  // namespace fragtide::engine::reference
