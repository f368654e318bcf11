#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/readers/hl_server_log.hpp"
#include "engine/reference/reference_matcher.hpp"
#include "engine/reference/reference_people.hpp"
#include "rules/game.hpp"

// The plain model of engine/readers/server_log_source: one thread, line by line, each line read by
// the plain reader of the game (std::regex, std::getline), weapons looked up by a linear scan and
// slots handed out from a plain list. For tests to check the fast path and the merging of pieces.
namespace fragtide::engine::reference {

struct ServerLogReferenceStore {
    ReferenceStore counts;
    std::array<std::string, 51> weaponNames;
};

// One event of a server log: for a suicide, the player who died is the killer and the victim is "".
struct ServerLogEvent {
    HlEventKind kind;
    std::string killer, victim, weapon;
};

// Every event of `bytes` for `game` (a game whose log names the weapons), in order, each line read
// by the game's plain reader.
std::vector<ServerLogEvent> referenceServerLogEvents(const rules::Game& game, std::string_view bytes);

// The people of every event of `bytes` for `game`, as the people table counts them.
ReferencePeople referenceServerLogPeople(const rules::Game& game, std::string_view bytes);

// Every line of `bytes` for `game` (a game whose log names the weapons). Returns the number of lines.
std::uint64_t referenceAnalyzeServerLog(ServerLogReferenceStore& store, const rules::Game& game,
                                        std::string_view bytes);

}  // namespace fragtide::engine::reference
