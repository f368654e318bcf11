#pragma once

#include <array>
#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

#include "engine/name_index.hpp"
#include "engine/stats_store.hpp"

// Credits one recognised kill in the statistics store.
namespace fragtide::engine {

// A raw name as the recorder keys it: spaces (only spaces) trimmed at both ends, then one
// trailing "'s" removed, with no trimming after that. A view into `raw`.
std::string_view normalizeName(std::string_view raw);

// With matchCount > 0: counts one kill for `slot` (1..50) whatever the count, normalises
// store.VictimName and store.KillerName in place, and credits the killer: his existing entry, or
// a new one after the last. A killer that normalises to "" is credited to no player; the weapon
// total still counts the kill. The people table counts the frag of the
// killer and the death of the victim (each unless ""), whatever the player table holds.
// With matchCount <= 0 nothing changes.
// `line` is not read.
void RecordKill(StatsStore& store, std::int64_t matchCount, int slot, std::string_view line);

// The same credit for a killer and victim given as raw views, without touching KillerName and
// VictimName: for callers that set those once per line themselves.
void creditKill(StatsStore& store, int slot, std::string_view rawKiller, std::string_view rawVictim);

// The same credit for a killer's and a victim's name exactly as given, nothing trimmed or removed:
// for logs that servers write, where each name is a field of its own.
void creditExactKill(StatsStore& store, int slot, std::string_view killer, std::string_view victim);

// Credits the kills of one run over a log's lines into one store, as creditKill would, but
// remembers which person each recent raw name (untrimmed, as the line holds it) stands for: a log
// names the same few players again and again, and a remembered name needs no trimming, hashing or
// table probe. The memory is a two-way set-associative table (a set is one cache line) keyed by
// all the raw bytes and their length; raw names past kKeptBytes are looked up in full every time.
//
// The store must outlive the crediter, and its people table must not be cleared (resetCounts)
// while the crediter is in use: the remembered person numbers would then name nobody, or somebody
// else. Other calls may add people meanwhile; numbers once given never change.
// With NameForm::Exact the names are taken exactly as given, as creditExactKill takes them (logs
// that servers write); the memory is keyed by the raw bytes either way.
//
// Frags between two of the store's first kLocalPeople people are counted here and added to the
// people table by flush(), which the destructor calls: until then the table's frag, death and
// rival counts may lag behind, everything else (who is in it, in which order, rivals' order, the
// player table) is up to date.
// About 48 KB; one per thread and run, not thread-safe.
class KillCrediter {
public:
    // How a raw name becomes the person's name: normalizeName, or nothing at all.
    enum class NameForm : std::uint8_t { Normalised, Exact };

    explicit KillCrediter(StatsStore& store, NameForm form = NameForm::Normalised)
        : m_store(store), m_exact(form == NameForm::Exact), m_events(eventsOf(store)) {}
    // Names cleaned by `clean` (a raw name to the person's name, written to `buffer` when it is not
    // a view of the raw name): a log whose names carry markup, such as Quake III's colour codes.
    // The memory is keyed by the raw bytes, so a name met again is not cleaned again.
    using NameCleaner = std::string_view (*)(std::string_view raw, std::string& buffer);
    KillCrediter(StatsStore& store, NameCleaner clean)
        : m_store(store), m_exact(true), m_clean(clean), m_events(eventsOf(store)) {}
    KillCrediter(const KillCrediter&) = delete;
    KillCrediter& operator=(const KillCrediter&) = delete;
    // Not while unwinding (memory ran out): the store is given up then, and a second exception from
    // flush would end the program. Otherwise flush's exception goes to the caller.
    ~KillCrediter() noexcept(false) {
        if (std::uncaught_exceptions() == m_uncaught)
            flush();
    }

    // Adds the frags counted here to the store's people table.
    void flush();

    // Exactly creditKill(store, slot, rawKiller, rawVictim), or creditExactKill with NameForm::Exact.
    void credit(int slot, std::string_view rawKiller, std::string_view rawVictim) {
        if (slot < 0 || slot > kMaxSlot)
            return;
        // The killer first: a newcomer joins the people table in that order.
        const std::uint32_t killer = personOf(rawKiller);
        const std::uint32_t victim = personOf(rawVictim);
        if (m_events) [[unlikely]]
            m_events->push_back({killer, victim, static_cast<std::uint8_t>(slot), KillEventKind::Frag});
        creditPersons(slot, killer, victim);
    }
    // The people table's recordTeamKill and recordSuicide for the names in this crediter's form:
    // no frag, no player, no weapon.
    void creditTeamKill(std::string_view rawKiller, std::string_view rawVictim) {
        const std::uint32_t killer = personOf(rawKiller);
        const std::uint32_t victim = personOf(rawVictim);
        if (m_events)
            m_events->push_back({killer, victim, 0, KillEventKind::TeamKill});
        m_store.People.recordTeamKill(killer, victim);
    }
    void creditSuicide(std::string_view raw) {
        const std::uint32_t person = personOf(raw);
        if (m_events)
            m_events->push_back({person, PeopleTable::kNobody, 0, KillEventKind::Suicide});
        m_store.People.recordSuicide(person);
    }

    static constexpr std::size_t kKeptBytes = 24;

private:
    static constexpr int kSetBits = 9;
    // A raw name of up to kKeptBytes as three words and its length. From eight bytes on, the words
    // at 0, (size - 8) / 2 and size - 8 cover every byte; below that, the word at 0 alone does, as
    // two overlapping halves or three bytes (hashOf's spelling). Nothing outside the name is read.
    struct Key {
        std::uint64_t head = 0, middle = 0, tail = 0;
        std::uint32_t sizePlusOne = 0;  // 0: a free entry
    };
    struct Entry {
        std::uint64_t head = 0, middle = 0, tail = 0;
        std::uint32_t sizePlusOne = 0;
        std::uint32_t person = 0;
    };
    static Key keyOf(std::string_view raw) {
        const char* p = raw.data();
        const std::size_t n = raw.size();
        Key key;
        key.sizePlusOne = static_cast<std::uint32_t>(n + 1);
        if (n >= 8) {
            key.head = loadWord(p);
            key.middle = loadWord(p + (n - 8) / 2);
            key.tail = loadWord(p + n - 8);
        } else if (n >= 4) {
            key.head = std::uint64_t{loadHalf(p)} << 32 | loadHalf(p + n - 4);
        } else if (n > 0) {
            key.head = std::uint64_t{static_cast<unsigned char>(p[0])} << 16 |
                       std::uint64_t{static_cast<unsigned char>(p[n / 2])} << 8 | static_cast<unsigned char>(p[n - 1]);
        }
        return key;
    }

    std::uint32_t personOf(std::string_view raw) {
        if (raw.size() > kKeptBytes) [[unlikely]]
            return lookUp(raw);
        const Key key = keyOf(raw);
        const std::size_t n = raw.size();
        // The last eight bytes and the length tell apart the names of one log well enough.
        const std::uint64_t mixed = ((n >= 8 ? key.tail : key.head) + key.sizePlusOne) * 0x9E3779B97F4A7C15ull;
        Entry* const set = m_sets[static_cast<std::size_t>(mixed >> (64 - kSetBits))].ways;
        const auto holds = [&key](const Entry& e) {
            return ((e.head ^ key.head) | (e.middle ^ key.middle) | (e.tail ^ key.tail) |
                    (e.sizePlusOne ^ key.sizePlusOne)) == 0;
        };
        if (holds(set[0]))
            return set[0].person;
        if (holds(set[1]))
            return set[1].person;
        // The newest first; the one it displaces stays a while.
        set[1] = set[0];
        set[0] = {key.head, key.middle, key.tail, key.sizePlusOne, lookUp(raw)};
        return set[0].person;
    }
    std::uint32_t lookUp(std::string_view raw);
    // creditKill's counting for two people (either kNobody). Inlined into the loop over the lines
    // with the rest of a kill; only a killer's first kill in the store leaves it.
    void creditPersons(int slot, std::uint32_t killer, std::uint32_t victim) {
        StatsStore& store = m_store;
        ++store.WeaponFrags[slot];
        if ((killer | victim) < kLocalPeople) {  // neither is kNobody then
            std::uint32_t& n = m_pairFrags[std::size_t{killer} * kLocalPeople + victim];
            if (n + 1 > 1) [[likely]]  // neither the pair's first frag here nor a full count
                ++n;
            else
                localFragOutOfLine(killer, victim, n);
        } else {
            store.People.recordKill(killer, victim);
        }
        if (killer == PeopleTable::kNobody)
            return;
        if (const std::int32_t tag = store.People.playerTag(killer); tag > 0)
            store.PlayerWeaponFrags.add(static_cast<std::size_t>(tag), slot);
        else
            firstKillOf(slot, killer);
    }
    void firstKillOf(int slot, std::uint32_t killer);
    // A frag counted in `n` (its m_pairFrags entry) when n is 0 or full.
    void localFragOutOfLine(std::uint32_t killer, std::uint32_t victim, std::uint32_t& n);

    static KillEvents* eventsOf(StatsStore& store) { return store.KeepEvents ? &store.Events : nullptr; }

    StatsStore& m_store;
    int m_uncaught = std::uncaught_exceptions();
    bool m_exact;
    NameCleaner m_clean = nullptr;
    KillEvents* m_events = nullptr;  // the store's, when it keeps them
    std::string m_cleaned;  // m_clean's buffer
    struct alignas(64) Set {
        Entry ways[2];
    };
    std::array<Set, std::size_t{1} << kSetBits> m_sets{};
    // Per (killer, victim): 0 for a pair with no frag in this crediter yet, else one more than the
    // frags not yet in the people table. The pair's first frag goes to the table at once, so it
    // takes its place in the rival lists in order; the others are one increment here instead of
    // four in scattered places there.
    static constexpr std::uint32_t kLocalPeople = 64;
    std::array<std::uint32_t, kLocalPeople * kLocalPeople> m_pairFrags{};
    std::uint32_t m_localPeople = 0;  // the rows and columns of m_pairFrags that may hold counts
};

}  // namespace fragtide::engine
