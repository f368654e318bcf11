#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "engine/display_text.hpp"
#include "engine/kill_event.hpp"
#include "engine/name_index.hpp"
#include "engine/people_table.hpp"
#include "engine/readers/client_teams.hpp"
#include "engine/weapon_frag_table.hpp"

// The match statistics of the last analysed log, plus the selected game and its weapon names.
//
// Tables indexed from 0; weapon slot 0 and player index 0 are never given a meaning and stay 0 /
// "". The weapon tables have a fixed size; the player tables grow by one row per player credited
// with a kill, with no limit, so memory follows the number of scorers. Counters are 64-bit so that
// a long log never stops counting. Names are raw log bytes; decode them with displayText() only
// when showing them.
// Not thread-safe: one analysis or one report at a time.
namespace fragtide::engine {

class StatsStore;

// The names of a store's players, read-only, by player index: a view of the store, valid while it
// lives; a name read from it stays valid until the store changes. Compares with a vector of names.
class PlayerNameList {
public:
    class Iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = std::string_view;
        using difference_type = std::ptrdiff_t;
        using pointer = const std::string_view*;
        using reference = std::string_view;
        Iterator() = default;
        std::string_view operator*() const { return (*m_list)[m_at]; }
        Iterator& operator++() {
            ++m_at;
            return *this;
        }
        Iterator operator++(int) {
            Iterator was = *this;
            ++m_at;
            return was;
        }
        bool operator==(const Iterator& other) const { return m_at == other.m_at; }

    private:
        friend class PlayerNameList;
        Iterator(const PlayerNameList* list, std::size_t at) : m_list(list), m_at(at) {}
        const PlayerNameList* m_list = nullptr;
        std::size_t m_at = 0;
    };
    using iterator = Iterator;
    using const_iterator = Iterator;
    using value_type = std::string_view;

    explicit PlayerNameList(const StatsStore& store) : m_store(&store) {}
    std::size_t size() const;
    bool empty() const { return size() == 0; }
    std::string_view operator[](std::size_t player) const;
    Iterator begin() const { return {this, 0}; }
    Iterator end() const { return {this, size()}; }

    friend bool operator==(const PlayerNameList& a, const PlayerNameList& b) { return a.equals(b); }
    friend bool operator==(const PlayerNameList& a, const std::vector<std::string>& b) { return a.equals(b); }

private:
    template <typename List>
    bool equals(const List& other) const {
        if (size() != other.size())
            return false;
        for (std::size_t p = 0; p < size(); ++p) {
            if ((*this)[p] != std::string_view(other[p]))
                return false;
        }
        return true;
    }

    const StatsStore* m_store;
};

class StatsStore {
public:
    // Kills per weapon slot, counted once per recognised kill, credited to a player or not.
    std::array<FragCount, kSlotEntries> WeaponFrags{};
    // Display name per slot of the current game; "" where the game has no weapon.
    std::array<std::string, kSlotEntries> WeaponNames;
    // Names of the last successful match, raw from the matcher, then normalised by RecordKill.
    std::string VictimName;
    std::string KillerName;
    // Kills per (player index, weapon slot): PlayerWeaponFrags[player][slot], one row per player
    // index 0..playerCount(); addPlayer adds the row.
    WeaponFragTable PlayerWeaponFrags = WeaponFragTable(1);
    // Display string of the selected game; may name no game (then no weapons, no rules).
    std::string CurrentGame;
    // Everybody who scored, died, killed himself or killed a teammate, also those who never
    // scored; it changes no player index. Players' names are read from it: it is cleared with them
    // (resetCounts), never on its own.
    PeopleTable People;
    // How names (and weapon words from the log) are shown; every report goes through
    // displayName(store, bytes). Matching never depends on it.
    NameDisplay NameDisplayChoice = NameDisplay::Automatic;
    // For a game whose log names the weapons: which weapon each slot holds ("" while free), so
    // that pieces of a log merge by weapon. Cleared by resetCounts. Unused by the six games.
    std::array<std::string, kSlotEntries> WeaponKeys;
    // For a Quake III server log: the client numbers' teams as the lines so far set them, so that
    // pieces of a log join exactly. Cleared by resetCounts. Unused by the other games.
    ClientTeams Teams;
    // With KeepEvents set before an analysis, every credited frag, team kill and suicide is also
    // appended to Events in log order (kill_event.hpp); pieces merge theirs in order. Off by
    // default: a plain analysis keeps no history. resetCounts clears Events, not KeepEvents.
    bool KeepEvents = false;
    KillEvents Events;

    // Players credited with a kill, at indices 1..playerCount() in the order of their first
    // kill; index 0 is "".
    PlayerNameList PlayerNames() const { return PlayerNameList(*this); }
    int playerCount() const { return static_cast<int>(m_playerNames.size()) - 1; }
    // The name of player `player` (0..playerCount()), valid until the store changes.
    std::string_view playerName(std::size_t player) const {
        const std::uint32_t name = m_playerNames[player];
        if (!(name & kListed))
            return People.people()[name].name;
        const std::size_t listed = name & ~kListed;
        const std::size_t begin = listed == 0 ? 0 : m_listedEnds[listed - 1];
        return std::string_view(m_listedBytes).substr(begin, m_listedEnds[listed] - begin);
    }

    // The lowest player index whose name equals `name` byte for byte, or 0.
    int findPlayer(std::string_view name) const;
    // Stores `name` at the next index, playerCount() + 1, with a row of zeros, and returns it.
    // The caller has checked that the name is not known yet.
    int addPlayer(std::string_view name);
    // The player index of person `person` of People, or 0 when he is no player.
    int playerOf(std::uint32_t person) const {
        const std::int32_t tag = People.playerTag(person);
        return tag > 0 ? tag : findListedPlayer(People.people()[person].name);
    }
    // The same, the person becoming the next player when he is none yet (his tag is set either
    // way). The kill crediting and the merge add players this way only, so that in their stores
    // a player is found through his person's tag, with no name table of its own.
    int makePlayerOf(std::uint32_t person);

    // Clears every count, player name, weapon key, team and person, as an analysis run does before
    // reading a log. WeaponNames, CurrentGame, NameDisplayChoice, KillerName and VictimName are
    // left alone. A store that the next piece of the same log fills again keeps all its memory.
    void resetCounts(KeepMemory keep = KeepMemory::Some);

private:
    // Among the players addPlayer stored (not makePlayerOf), the lowest index named `name`, or 0.
    int findListedPlayer(std::string_view name) const;

    // Per player index, where his name is: a person of People (a player made by makePlayerOf, his
    // name the person's own, 4 bytes a player), or with kListed the number of a name given to
    // addPlayer, kept in m_listedBytes. No view is kept, so copies and moves of the store, whose
    // people table copies its names, need nothing of their own. Index 0 is listed name 0, "".
    static constexpr std::uint32_t kListed = 0x80000000u;
    std::vector<std::uint32_t> m_playerNames = std::vector<std::uint32_t>(1, kListed);
    std::string m_listedBytes;                                // the names given to addPlayer, joined
    std::vector<std::size_t> m_listedEnds = std::vector<std::size_t>(1);  // where each ends in them
    // The names addPlayer stored; those of makePlayerOf are found through their people's tags
    // (a log of a million names would otherwise hold and hash each one twice).
    NameIndex m_index;
};

inline std::size_t PlayerNameList::size() const { return static_cast<std::size_t>(m_store->playerCount()) + 1; }
inline std::string_view PlayerNameList::operator[](std::size_t player) const { return m_store->playerName(player); }

// `bytes` (a player name or a weapon name) as the store's NameDisplayChoice shows it.
std::string displayName(const StatsStore& store, std::string_view bytes);

}  // namespace fragtide::engine
