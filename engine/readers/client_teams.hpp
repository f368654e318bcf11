#pragma once

#include <array>
#include <bitset>
#include <cstdint>

#include "engine/readers/quake3_log.hpp"

// The teams of a Quake III log's client numbers, as the lines read into one statistics store set
// them, so that the pieces of a log, read on several threads, give what one pass from the start
// gives.
//
// A piece read into a store of its own does not know the teams the lines before it set. It counts
// each kill as the teams it knows say (a client its lines never named has no team), and notes the
// kills that a team set before it could make team kills. Joining the piece after the lines before
// it is exact when none of those is one (teamKillsAfter), and then only needs its changes laid
// over theirs (applyAfter). Client numbers 0 to 255 have teams; no other number ever has one (a
// Quake III server has at most 64 clients, and 1022, the world, kills no team mate).
// Not thread-safe; one per store.
namespace fragtide::engine {

class ClientTeams {
public:
    // What this store's lines say of a client's team.
    enum class Team : std::uint8_t {
        Unsaid,  // nothing: the client has the team the lines before said, if any
        None,    // no team: free for all, spectators, unknown, forgotten
        Red,     // team 1
        Blue,    // team 2
    };

    // The team that the `t` value of a ClientUserinfoChanged line gives.
    static Team teamOfValue(std::optional<std::string_view> value);

    void set(const Quake3Client& client, Team team);
    void forgetAll();

    // Whether a kill of `killer` on `victim` (neither the world, not the same client) is a team
    // kill as far as this store's lines tell; notes the kill when lines before could change that.
    bool isTeamKill(const Quake3Client& killer, const Quake3Client& victim);

    // Whether a kill noted here is a team kill once the teams of `before` (the store of the lines
    // right before this one's) are known: then this store's counts are not those of one pass.
    bool teamKillsAfter(const ClientTeams& before) const;
    // Lays this store's changes over `before`'s, which then holds the teams after both.
    void applyAfter(ClientTeams& before) const;
    // Takes `before`'s team for every client this store's lines have said nothing of, as if they
    // came right after `before`'s; its teams are then said wherever `before`'s are. For a store
    // whose lines noted no kill yet.
    void startAfter(const ClientTeams& before);

    // Back to no lines read.
    void clear();

    // The team client `slot` (0..255) has as far as this store's lines say; with set(), what
    // keeps a log's teams between two runs that read it in turn (a season growing).
    Team teamOfSlot(int slot) const { return slot >= 0 && slot < static_cast<int>(kClients) ? teamOf(slot) : Team::None; }

private:
    static constexpr std::size_t kClients = 256;
    static int indexOf(const Quake3Client& client);  // -1 outside 0..255
    static_assert(kClients == 256, "Quake3Client::slot covers 0..255");
    Team teamOf(int index) const { return index < 0 ? Team::None : m_teams[static_cast<std::size_t>(index)]; }

    std::array<Team, kClients> m_teams{};  // all Unsaid
    bool m_touched = false;                // anything to clear
    // Noted kills. Both clients unsaid: a team kill if the two end up in one team before.
    std::bitset<kClients * kClients> m_bothUnsaid;
    // One client unsaid, the other in Red or Blue here: a team kill if the unsaid one is in it.
    std::bitset<kClients> m_unsaidWithRed, m_unsaidWithBlue;
};

}  // namespace fragtide::engine
