#pragma once

#include "engine/readers/server_log_source.hpp"

// The kill source of "Quake III : Server Log": the kills of engine/readers/quake3_log.hpp, credited
// as every server log's are (server_log_source.hpp), with names stripped of their colour codes.
//
// A kill by the world (client 1022) or by the victim himself is the victim's suicide; a kill whose
// word ends in MOD_CHANGE_TEAM is nothing; a kill between two clients of team 1, or two of team 2,
// is a team kill. A client's team is the `t` of its last ClientUserinfoChanged line, forgotten at its
// ClientDisconnect and at every InitGame. The teams are carried in the store (StatsStore::Teams):
// analyzeLines starts from the teams the store holds, and a piece whose counts the teams before it
// would change is not merged but read again after them, so the result on any number of threads is
// that of one pass from the start. The batch reader hands each piece the teams the lines before it
// set (noteCarried, startAfter), so that this seldom happens.
namespace fragtide::engine {

class Quake3LogSource final : public ServerLogSource {
public:
    using ServerLogSource::ServerLogSource;

    std::uint64_t analyzeLines(StatsStore& store, std::string_view bytes) const override;
    std::optional<SlotMap> prepareMerge(StatsStore& into, const StatsStore& part) const override;

    // The teams too: a piece starts from those the lines before it set, so none is read twice.
    void noteCarried(StatsStore& part, std::string_view before) const override;
    void startAfter(StatsStore& part, const StatsStore& before) const override;
};

}  // namespace fragtide::engine
