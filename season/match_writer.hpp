#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/stats_store.hpp"
#include "season/civil_time.hpp"
#include "season/event_codec.hpp"
#include "season/match_marks.hpp"
#include "season/sqlite_db.hpp"

// Writing an add's events into the matches as the analysis goes, so that neither the analysis's
// events nor a long match's encoded ones are ever held whole. Part of the add; not the interface.
namespace fragtide::season {

// One match as this add leaves it: a row to update (rowId) or to insert.
struct PendingMatch {
    std::int64_t rowId = 0;
    std::int64_t seq = 0;
    std::uint64_t startOffset = 0;
    CivilSeconds start = 0;
    bool stamped = false;
    StartKind kind = StartKind::None;
    std::string map;
    std::uint64_t storedEvents = 0;  // bytes of events its row holds already (rowId not 0)
    std::string events;              // encoded, those of this add
    std::string tail;
};

// The season's numbers of names and weapons, made as an add's events name them. Kept for the
// whole add, so its statements are prepared once.
class SeasonNumbers {
public:
    explicit SeasonNumbers(Database& db) : m_db(db) {}
    Result<std::uint32_t> person(std::string_view name);
    Result<std::uint32_t> weapon(const engine::StatsStore& store, int slot);

private:
    Database& m_db;
    std::optional<Statement> m_find, m_insert;
    // Above 0 while most names asked for were new: then the insert is tried before the lookup,
    // one statement instead of two for each new name; a nightly log of regulars asks first.
    int m_newLean = 0;
};

// Frags by person id: open addressing, for the events a grown file's last match held already.
class FragCounts {
public:
    // The entry of `person` (not 0), made at 0 when new.
    std::uint64_t& operator[](std::uint32_t person);
    const std::uint64_t* find(std::uint32_t person) const;
    std::size_t size() const { return m_used; }

private:
    std::size_t slotOf(std::uint32_t person) const;
    std::vector<std::pair<std::uint32_t, std::uint64_t>> m_slots;
    std::size_t m_used = 0;
};

// One file's matches, each begun, fed and finished in file order, inside the file's transaction;
// after a failure the caller rolls it back. The store is the one the file is analysed into: it
// must outlive the writer, and its people keep their numbers. A long match's body waits in a
// temporary table in parts of `spillBytes`, so memory stays at about that plus 8 bytes a name.
class MatchWriter {
public:
    MatchWriter(Database& db, SeasonNumbers& numbers, const engine::StatsStore& store, std::int64_t fileId,
                std::size_t spillBytes)
        : m_db(db), m_numbers(numbers), m_store(store), m_fileId(fileId), m_spillBytes(spillBytes) {
        m_weaponIds.fill(0);
    }

    // Starts `match`: events its row holds already (a grown file's last match) count in its
    // figures, and are read a part at a time.
    Status begin(PendingMatch& match);
    // Moves the store's events, all of the match begun, to its body or its tail.
    Status take(engine::KillEvents& events, bool tail);
    // Writes the match begun as a row, and lets go of its events.
    Status finish();

private:
    // Gives the people the events name for the first time their season ids.
    Status number(const engine::KillEvents& events);
    // The season's id of the store's person `person` (numbered), counted as in the match.
    std::uint32_t note(std::uint32_t person, bool frag);
    // Moves the body's bytes so far to a temporary table, to be copied into the row at the end.
    Status spill();
    Status spill(std::string_view bytes);
    // Counts events held before this add in the figures; `bytes` go on from the last call's.
    void countBefore(std::string_view bytes);

    Database& m_db;
    SeasonNumbers& m_numbers;
    const engine::StatsStore& m_store;
    std::int64_t m_fileId;
    std::size_t m_spillBytes;
    // By the store's person number, 8 bytes a name: the season's id (0 until numbered), and 0 while
    // the person is not in the match begun, else 1 + his frags in it (with those it held before).
    struct Person {
        std::uint32_t id = 0;
        std::uint32_t inMatch = 0;
    };
    std::vector<Person> m_people;
    std::vector<std::uint32_t> m_inMatch;  // the store's people in the match begun, to clear after it
    std::vector<std::uint32_t> m_unnumbered;  // those number() asks the season for
    FragCounts m_before;                   // frags by id in the events the match held before
    std::string m_beforeCut;               // the start of an event cut by the end of a part
    bool m_beforeDamaged = false;
    std::int64_t m_kills = 0;
    std::int64_t m_players = 0;
    std::uint64_t m_best = 0;  // the top fragger's frags, and his id (0 for none)
    std::uint32_t m_top = 0;
    std::array<std::uint32_t, engine::kSlotEntries> m_weaponIds{};
    PendingMatch* m_match = nullptr;
    std::uint64_t m_spilled = 0;  // bytes of the body in the temporary table
    std::optional<Statement> m_insert, m_update, m_spill;
};

}  // namespace fragtide::season
