#include "engine/readers/server_log_source.hpp"

#include "engine/kill_recorder.hpp"
#include "engine/line_ends.hpp"
#include "engine/name_index.hpp"
#include "engine/readers/cs2_server_log.hpp"
#include "engine/readers/hl_server_log.hpp"
#include "engine/readers/stdlog.hpp"
#include "engine/readers/template_reader.hpp"
#include "engine/readers/weapon_words.hpp"
#include "engine/stats_store.hpp"
#include "engine/store_merge.hpp"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <vector>

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

}  // namespace

int weaponSlotForKey(StatsStore& store, std::string_view key, std::string_view name) {
    if (key == kOtherKey) {  // a weapon that only slot 50 still knows
        store.WeaponKeys[kMaxSlot] = kOtherKey;
        store.WeaponNames[kMaxSlot] = kOtherWeapons;
        return kMaxSlot;
    }
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

int ServerLogSource::WordSlots::slotOf(const ServerLogSource& source, StatsStore& store, std::string_view word) {
    const std::size_t n = word.size();
    if (n == 0 || n > 16)
        return slotOfNew(source, store, word);
    // The first and the last eight bytes (overlapping below 16; zero-filled below 8) with the size
    // are the whole word.
    std::uint64_t head = 0, tail = 0;
    if (n >= 8) {
        std::memcpy(&head, word.data(), 8);
        std::memcpy(&tail, word.data() + n - 8, 8);
    } else {
        std::memcpy(&head, word.data(), n);
    }
    Recent& recent = m_recent[((head ^ tail * 0x9E3779B97F4A7C15ull) * 0xBF58476D1CE4E5B9ull + n) >> 56];
    if (recent.size == n && recent.head == head && recent.tail == tail)
        return recent.slot;
    const int slot = slotOfNew(source, store, word);
    recent = Recent{head, tail, static_cast<std::uint32_t>(n), slot};
    return slot;
}

int ServerLogSource::WordSlots::slotOfNew(const ServerLogSource& source, StatsStore& store, std::string_view word) {
    const std::uint32_t hash = NameIndex::hashOf(word);
    const std::uint32_t at =
        m_index.find(word, hash, [this](std::uint32_t n) { return std::string_view(m_words[n]); });
    if (at != NameIndex::kNone)
        return m_slots[at];
    const int slot = source.slotFor(store, word);
    m_index.insert(hash, static_cast<std::uint32_t>(m_words.size()));
    m_words.emplace_back(word);
    m_slots.push_back(slot);
    return slot;
}

ServerLogSource::ServerLogSource(const rules::Game& game) : m_game(game), m_words(game) {
    if (game.kind == rules::KillSource::TemplateLines && game.lines)
        m_templates = std::make_shared<const TemplateReader>(*game.lines);
}

std::optional<LogEvent> ServerLogSource::readLine(std::string_view line) const {
    if (m_templates)
        return m_templates->readLine(line);
    if (m_game.kind == rules::KillSource::HalfLifeServerLog || m_game.kind == rules::KillSource::CounterStrike2ServerLog) {
        const auto event = m_game.kind == rules::KillSource::HalfLifeServerLog ? readHlServerLogLine(line)
                                                                               : readCs2ServerLogLine(line);
        if (!event)
            return std::nullopt;
        return LogEvent{kindOf(event->kind), event->killer.name, event->victim.name, event->weapon};
    }
    if (m_game.kind != rules::KillSource::Quake2StdLog)
        return std::nullopt;  // a log whose lines depend on the lines before: see its own source
    const auto event = readStdLogLine(line);
    if (!event)
        return std::nullopt;
    return LogEvent{event->kind == StdLogEventKind::Kill ? LogEventKind::Kill : LogEventKind::Suicide,
                    event->killer, event->victim, event->weapon};
}

std::uint64_t ServerLogSource::analyzeLines(StatsStore& store, std::string_view bytes) const {
    WordSlots seen;
    // Names are fields of their own here: nothing trimmed, and a name's bytes are its person.
    KillCrediter crediter(store, KillCrediter::NameForm::Exact);
    std::optional<LogEvent> lastKill;  // its views point into `bytes`
    const std::uint64_t lines = forEachLine(bytes, [&](std::string_view line) {
        if (const auto event = readLine(line)) {
            onEvent(store, *event, seen, crediter);
            if (event->kind == LogEventKind::Kill)
                lastKill = event;
        }
    });
    // The names of earlier kills would be overwritten anyway: set them once, from the last.
    if (lastKill) {
        store.KillerName.assign(lastKill->killer);
        store.VictimName.assign(lastKill->victim);
    }
    return lines;
}

void ServerLogSource::onEvent(StatsStore& store, const LogEvent& event, WordSlots& seen,
                              KillCrediter& crediter) const {
    // Team kills and suicides are no frags: they reach the people table only.
    if (event.kind == LogEventKind::TeamKill) {
        crediter.creditTeamKill(event.killer, event.victim);
        return;
    }
    if (event.kind == LogEventKind::Suicide) {
        crediter.creditSuicide(event.killer);
        return;
    }
    crediter.credit(seen.slotOf(*this, store, event.weapon), event.killer, event.victim);
}

int ServerLogSource::slotFor(StatsStore& store, std::string_view weapon) const {
    // Reused per thread: a kill should not allocate once its weapon is known.
    thread_local std::string key;
    key.clear();
    if (const auto known = m_words.displayName(weapon)) {
        key += kKnownKey;
        key += *known;
        return weaponSlotForKey(store, key, *known);
    }
    key += kWrittenKey;
    key += weapon;
    return weaponSlotForKey(store, key, weapon);
}

void ServerLogSource::startAfter(StatsStore& part, const StatsStore& before) const {
    part.WeaponKeys = before.WeaponKeys;
    part.WeaponNames = before.WeaponNames;
}

std::optional<SlotMap> ServerLogSource::prepareMerge(StatsStore& into, const StatsStore& part) const {
    // A part that filled slot 50 lost which weapons went there: unless `into` gives the other 49
    // slots to the same weapons (as when both started from a store already past the 49th), one of
    // them may have a slot of its own there, and the part is analysed again in place.
    if (!part.WeaponKeys[kMaxSlot].empty() &&
        !std::equal(part.WeaponKeys.begin() + 1, part.WeaponKeys.begin() + kMaxSlot, into.WeaponKeys.begin() + 1))
        return std::nullopt;
    SlotMap slotOf;
    slotOf.fill(-1);
    for (int s = 1; s <= kMaxSlot && !part.WeaponKeys[s].empty(); ++s)
        slotOf[s] = weaponSlotForKey(into, part.WeaponKeys[s], part.WeaponNames[s]);
    return slotOf;
}

}  // namespace fragtide::engine
