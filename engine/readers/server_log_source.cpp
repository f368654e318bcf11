#include "engine/readers/server_log_source.hpp"

#include "engine/kill_recorder.hpp"
#include "engine/line_ends.hpp"
#include "engine/readers/hl_server_log.hpp"
#include "engine/readers/stdlog.hpp"
#include "engine/readers/weapon_words.hpp"
#include "engine/stats_store.hpp"
#include "engine/store_merge.hpp"

#include <array>
#include <atomic>
#include <string>

namespace fragtide::engine {
namespace {

// A weapon's identity in WeaponKeys: a known word by its display name, any other by its bytes, so
// that an unknown "Knife" is not the known "knife". The first byte keeps the three kinds apart.
constexpr char kKnownKey = '\x01';
constexpr char kWrittenKey = '\x02';
const std::string kOtherKey(1, '\x03');

LogEventKind kindOf(HlEventKind kind) {
    switch (kind) {
    case HlEventKind::Kill:
        return LogEventKind::Kill;
    case HlEventKind::TeamKill:
        return LogEventKind::TeamKill;
    case HlEventKind::Suicide:
        break;
    }
    return LogEventKind::Suicide;
}

// The slot whose key is `key`, given now (with `name`) when the log has not named it yet.
int slotForKey(StatsStore& store, std::string_view key, std::string_view name) {
    for (int slot = 1; slot <= kMaxSlot; ++slot) {
        std::string& have = store.WeaponKeys[slot];
        if (have == key)
            return slot;
        if (have.empty() || have == kOtherKey) {
            if (slot == kMaxSlot) {
                have = kOtherKey;
                store.WeaponNames[slot] = kOtherWeapons;
            } else {
                have = key;
                store.WeaponNames[slot] = name;
            }
            return slot;
        }
    }
    return kMaxSlot;  // not reached: slot 50 always takes the rest
}

}  // namespace

ServerLogSource::ServerLogSource(const rules::Game& game) : m_game(game), m_words(game) {
    static std::atomic<std::uint64_t> sources{0};
    m_id = ++sources;  // never 0, never reused: a per-thread cache can tell sources apart by it
}

std::optional<LogEvent> ServerLogSource::readLine(std::string_view line) const {
    if (m_game.kind == rules::KillSource::HalfLifeServerLog) {
        const auto event = readHlServerLogLine(line);
        if (!event)
            return std::nullopt;
        return LogEvent{kindOf(event->kind), event->killer.name, event->victim.name, event->weapon};
    }
    const auto event = readStdLogLine(line);
    if (!event)
        return std::nullopt;
    return LogEvent{event->kind == StdLogEventKind::Kill ? LogEventKind::Kill : LogEventKind::Suicide,
                    event->killer, event->victim, event->weapon};
}

std::uint64_t ServerLogSource::analyzeLines(StatsStore& store, std::string_view bytes) const {
    std::uint64_t lines = 0;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const std::size_t end = findLineEnd(bytes, pos);
        ++lines;
        if (const auto event = readLine(bytes.substr(pos, end - pos)))
            onEvent(store, *event);
        pos = end + 1;
        if (end < bytes.size() && bytes[end] == '\r' && pos < bytes.size() && bytes[pos] == '\n')
            ++pos;
    }
    return lines;
}

void ServerLogSource::onEvent(StatsStore& store, const LogEvent& event) const {
    // Team kills and suicides are no frags: they reach the people table only.
    if (event.kind == LogEventKind::TeamKill) {
        store.People.recordTeamKill(event.killer, event.victim);
        return;
    }
    if (event.kind == LogEventKind::Suicide) {
        store.People.recordSuicide(event.killer);
        return;
    }
    store.KillerName.assign(event.killer);
    store.VictimName.assign(event.victim);
    creditExactKill(store, slotFor(store, event.weapon), event.killer, event.victim);
}

int ServerLogSource::slotFor(StatsStore& store, std::string_view weapon) const {
    // The slot a word last had, per thread and source (by a hash of the word): taken while that
    // slot still holds the word's key, which then is the slot the scan below finds, since a key is
    // in one slot at most. A kill of a known weapon then neither looks the word up nor scans.
    struct Recent {
        std::uint64_t source = 0;
        std::string word;
        std::string key;
        int slot = 0;
    };
    thread_local std::array<Recent, 64> recent;
    const std::size_t hash = weapon.empty() ? 0
                             : weapon.size() * 31 + static_cast<unsigned char>(weapon.front()) * 7 +
                                   static_cast<unsigned char>(weapon.back());
    Recent& r = recent[hash % recent.size()];
    if (r.source == m_id && r.word == weapon && store.WeaponKeys[r.slot] == r.key)
        return r.slot;

    // Reused per thread: a kill should not allocate once its weapon is known.
    thread_local std::string key;
    key.clear();
    const auto known = m_words.displayName(weapon);
    key += known ? kKnownKey : kWrittenKey;
    key += known ? *known : weapon;
    const int slot = slotForKey(store, key, known ? *known : weapon);
    r.source = m_id;
    r.word.assign(weapon);
    r.key = key;
    r.slot = slot;
    return slot;
}

bool ServerLogSource::mergePart(StatsStore& into, const StatsStore& part) const {
    // A part that filled slot 50 lost which weapons went there, and one that filled the player
    // table lost kills a player of `into` might still take: both are analysed again in place.
    if (storeIsFull(part) || !part.WeaponKeys[kMaxSlot].empty())
        return false;
    std::array<int, kSlotEntries> slotOf{};
    for (int s = 1; s < kMaxSlot && !part.WeaponKeys[s].empty(); ++s)
        slotOf[s] = slotForKey(into, part.WeaponKeys[s], part.WeaponNames[s]);
    bool anyKill = false;
    for (int s = 1; s < kMaxSlot && slotOf[s] != 0; ++s) {
        into.WeaponFrags[slotOf[s]] += part.WeaponFrags[s];
        anyKill = anyKill || part.WeaponFrags[s] > 0;
    }
    for (int p = 1; p <= kMaxPlayers; ++p) {
        const std::string& name = part.PlayerNames()[p];
        if (name.empty())
            break;  // entries fill from 1 without gaps
        int player = into.findPlayer(name);
        if (player == 0)
            player = into.addPlayer(name);
        if (player == 0)
            continue;  // the table is full: as in one pass, a latecomer is credited nothing
        for (int s = 1; s < kMaxSlot && slotOf[s] != 0; ++s)
            into.PlayerWeaponFrags[player][slotOf[s]] += part.PlayerWeaponFrags[p][s];
    }
    into.People.merge(part.People);
    if (anyKill) {
        into.KillerName = part.KillerName;
        into.VictimName = part.VictimName;
    }
    return true;
}

}  // namespace fragtide::engine
