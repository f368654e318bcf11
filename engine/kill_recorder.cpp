#include "engine/kill_recorder.hpp"

#include <algorithm>
#include <cstring>

#include "engine/stats_store.hpp"

namespace fragtide::engine {

std::string_view normalizeName(std::string_view raw) {
    // Pointers rather than find_first_not_of: this runs twice per kill, and most names have no
    // space at either end or one before the middle text.
    const char* begin = raw.data();
    const char* end = begin + raw.size();
    while (begin != end && *begin == ' ')
        ++begin;
    while (end != begin && end[-1] == ' ')
        --end;
    // One "'s" only, and no trim after it: "Bob 's" is the player "Bob ".
    if (end - begin >= 2 && end[-2] == '\'' && end[-1] == 's')
        end -= 2;
    return {begin, static_cast<std::size_t>(end - begin)};
}

namespace {

// In place, so that a long log does not allocate two strings per kill.
void normalizeInPlace(std::string& name) {
    const std::string_view key = normalizeName(name);
    const std::size_t offset = key.empty() ? 0 : static_cast<std::size_t>(key.data() - name.data());
    const std::size_t size = key.size();
    name.erase(offset + size);
    name.erase(0, offset);
}

}  // namespace

namespace {

// The player index of `person`, who has no player tag yet: his first kill in this store.
[[gnu::noinline]] int firstPlayerOf(StatsStore& store, std::uint32_t person) {
    return store.makePlayerOf(person);
}

// The player index of `person`.
int playerOf(StatsStore& store, std::uint32_t person) {
    const std::int32_t tag = store.People.playerTag(person);
    return tag > 0 ? tag : firstPlayerOf(store, person);
}

// Counts the kill and credits `killer`, both names already normalised. One name lookup each serves
// the people table and, through the killer's tag, the player table. Inlined into each caller:
// as a call of its own it costs register saves on every kill.
[[gnu::always_inline]] inline void credit(StatsStore& store, int slot, std::string_view killer, std::string_view victim) {
    ++store.WeaponFrags[slot];
    const std::uint32_t k = store.People.personOf(killer);
    const std::uint32_t v = store.People.personOf(victim);
    if (store.KeepEvents) [[unlikely]]
        store.Events.push_back({k, v, static_cast<std::uint8_t>(slot), KillEventKind::Frag});
    store.People.recordKill(k, v);
    // An empty killer would be indistinguishable from a free entry; the weapon total keeps it.
    if (k == PeopleTable::kNobody)
        return;
    store.PlayerWeaponFrags.add(static_cast<std::size_t>(playerOf(store, k)), slot);
}

}  // namespace

std::uint32_t KillCrediter::lookUp(std::string_view raw) {
    static_assert(kKeptBytes <= 24, "three words cover a name of 24 bytes at most");
    if (m_clean)
        return m_store.People.personOf(m_clean(raw, m_cleaned));
    return m_store.People.personOf(m_exact ? raw : normalizeName(raw));
}

void KillCrediter::firstKillOf(int slot, std::uint32_t killer) {
    const int player = firstPlayerOf(m_store, killer);
    m_store.PlayerWeaponFrags.add(static_cast<std::size_t>(player), slot);
}

void KillCrediter::localFragOutOfLine(std::uint32_t killer, std::uint32_t victim, std::uint32_t& n) {
    if (n == 0) {
        m_store.People.recordKill(killer, victim);
        m_localPeople = std::max({m_localPeople, killer + 1, victim + 1});
    } else {  // full: the waiting frags and this one
        m_store.People.addFrags(killer, victim, PeopleCount{n});
    }
    n = 1;
}

void KillCrediter::flush() {
    for (std::uint32_t killer = 0; killer < m_localPeople; ++killer) {
        for (std::uint32_t victim = 0; victim < m_localPeople; ++victim) {
            std::uint32_t& n = m_pairFrags[std::size_t{killer} * kLocalPeople + victim];
            if (n > 1)
                m_store.People.addFrags(killer, victim, PeopleCount{n - 1});
            n = 0;
        }
    }
    m_localPeople = 0;
}

void creditKill(StatsStore& store, int slot, std::string_view rawKiller, std::string_view rawVictim) {
    if (slot >= 0 && slot <= kMaxSlot)
        credit(store, slot, normalizeName(rawKiller), normalizeName(rawVictim));
}

void creditExactKill(StatsStore& store, int slot, std::string_view killer, std::string_view victim) {
    if (slot >= 0 && slot <= kMaxSlot)
        credit(store, slot, killer, victim);
}

void RecordKill(StatsStore& store, std::int64_t matchCount, int slot, std::string_view /*line*/) {
    if (matchCount <= 0 || slot < 0 || slot > kMaxSlot)
        return;
    normalizeInPlace(store.VictimName);
    normalizeInPlace(store.KillerName);
    credit(store, slot, store.KillerName, store.VictimName);
}

}  // namespace fragtide::engine
