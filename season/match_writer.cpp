#include "season/match_writer.hpp"

#include <algorithm>

namespace fragtide::season {

using engine::KillEventKind;

Result<std::uint32_t> SeasonNumbers::person(std::string_view name) {
    // Asked of the database, not of a table held here: a season may know millions of names, and
    // each file asks once per person it names.
    if (!m_find) {
        auto find = m_db.prepare("SELECT id FROM persons WHERE name = ?");
        if (!find)
            return find.error();
        auto insert = m_db.prepare("INSERT OR IGNORE INTO persons(name) VALUES (?)");
        if (!insert)
            return insert.error();
        m_find.emplace(std::move(*find));
        m_insert.emplace(std::move(*insert));
    }
    const auto lean = [&](bool wasNew) { m_newLean = std::clamp(m_newLean + (wasNew ? 1 : -1), -8, 8); };
    const auto insert = [&]() -> Result<bool> {
        m_insert->bindBlob(1, name);
        if (Status done = m_insert->run(); !done)
            return done.error();
        return m_db.changes() > 0;
    };
    if (m_newLean > 0) {
        auto inserted = insert();
        if (!inserted)
            return inserted.error();
        if (*inserted) {
            lean(true);
            return static_cast<std::uint32_t>(m_db.lastInsertId());
        }
    }
    m_find->bindBlob(1, name);
    const Result<bool> known = m_find->step();
    const std::int64_t found = known && *known ? m_find->integer(0) : 0;
    m_find->reset();
    if (!known)
        return known.error();
    lean(found == 0);
    if (found > 0)
        return static_cast<std::uint32_t>(found);
    auto inserted = insert();
    if (!inserted)
        return inserted.error();
    return static_cast<std::uint32_t>(m_db.lastInsertId());
}

Result<std::uint32_t> SeasonNumbers::weapon(const engine::StatsStore& store, int slot) {
    const std::string& key = store.WeaponKeys[static_cast<std::size_t>(slot)];
    const std::string& name = store.WeaponNames[static_cast<std::size_t>(slot)];
    const std::int64_t fixed = key.empty() ? slot : 0;
    auto find = m_db.prepare("SELECT id FROM weapons WHERE key = ? AND name = ? AND fixed_slot = ?");
    if (!find)
        return find.error();
    find->bindBlob(1, key).bindBlob(2, name).bind(3, fixed);
    auto row = find->step();
    if (!row)
        return row.error();
    if (*row)
        return static_cast<std::uint32_t>(find->integer(0));
    auto insert = m_db.prepare("INSERT INTO weapons(key, name, fixed_slot) VALUES (?, ?, ?)");
    if (!insert)
        return insert.error();
    insert->bindBlob(1, key).bindBlob(2, name).bind(3, fixed);
    if (Status done = insert->run(); !done)
        return done.error();
    return static_cast<std::uint32_t>(m_db.lastInsertId());
}

std::size_t FragCounts::slotOf(std::uint32_t person) const {
    const std::size_t mask = m_slots.size() - 1;
    std::uint64_t hash = person * 0x9E3779B97F4A7C15ull;
    hash ^= hash >> 32;
    std::size_t at = static_cast<std::size_t>(hash) & mask;
    while (m_slots[at].first != person && m_slots[at].first != 0)
        at = (at + 1) & mask;
    return at;
}

std::uint64_t& FragCounts::operator[](std::uint32_t person) {
    if (2 * (m_used + 1) > m_slots.size()) {
        std::vector<std::pair<std::uint32_t, std::uint64_t>> old(std::max<std::size_t>(64, m_slots.size() * 2));
        old.swap(m_slots);
        for (const auto& entry : old) {
            if (entry.first != 0)
                m_slots[slotOf(entry.first)] = entry;
        }
    }
    auto& slot = m_slots[slotOf(person)];
    if (slot.first == 0) {
        slot.first = person;
        ++m_used;
    }
    return slot.second;
}

const std::uint64_t* FragCounts::find(std::uint32_t person) const {
    if (m_slots.empty())
        return nullptr;
    const auto& slot = m_slots[slotOf(person)];
    return slot.first == person ? &slot.second : nullptr;
}

void MatchWriter::countBefore(std::string_view bytes) {
    if (m_beforeDamaged)
        return;
    m_beforeCut += bytes;
    // An event is three varints, and a varint ends at a byte below 0x80: count whole events only.
    std::size_t whole = 0;
    int ends = 0;
    for (std::size_t i = 0; i < m_beforeCut.size(); ++i) {
        if (static_cast<unsigned char>(m_beforeCut[i]) < 0x80 && ++ends == 3) {
            ends = 0;
            whole = i + 1;
        }
    }
    EventReader reader(std::string_view(m_beforeCut).substr(0, whole));
    for (StoredEvent e; reader.next(e);) {
        if (e.killer)
            (void)m_before[e.killer];
        if (e.victim)
            (void)m_before[e.victim];
        if (e.kind != KillEventKind::Frag)
            continue;
        ++m_kills;
        // The first to reach the highest count stays on top.
        if (e.killer && ++m_before[e.killer] > m_best) {
            m_best = m_before[e.killer];
            m_top = e.killer;
        }
    }
    m_beforeCut.erase(0, whole);
    // No event is longer than three varints of ten bytes: more left over is no event.
    m_beforeDamaged = reader.damaged() || m_beforeCut.size() > 30;
}

Status MatchWriter::begin(PendingMatch& match) {
    m_match = &match;
    m_spilled = 0;
    m_kills = 0;
    m_best = 0;
    m_top = 0;
    m_before = FragCounts();
    m_beforeCut.clear();
    m_beforeDamaged = false;
    // A long match is read a part at a time, straight to the temporary table.
    const std::size_t part = std::max<std::size_t>(m_spillBytes, 1);
    std::optional<Blob> stored;
    if (match.storedEvents > 0) {
        auto opened = m_db.openBlob("matches", "events", match.rowId, false);
        if (!opened)
            return opened.error();
        stored.emplace(std::move(*opened));
    }
    for (std::uint64_t at = 0; at < match.storedEvents; at += part) {
        const auto size = static_cast<std::size_t>(std::min<std::uint64_t>(part, match.storedEvents - at));
        auto bytes = stored->read(at, size);
        if (!bytes)
            return bytes.error();
        countBefore(*bytes);
        if (match.storedEvents <= m_spillBytes) {
            match.events = std::move(*bytes);
        } else if (Status spilled = spill(*bytes); !spilled) {
            return spilled;
        }
    }
    std::string().swap(m_beforeCut);
    m_players = static_cast<std::int64_t>(m_before.size());
    return Ok{};
}

Status MatchWriter::number(const engine::KillEvents& events) {
    constexpr std::uint32_t kAsking = UINT32_MAX;
    const auto& people = m_store.People.people();
    if (m_people.size() < people.size())
        m_people.resize(people.size());
    m_unnumbered.clear();
    for (const engine::KillEvent& e : events) {
        for (const std::uint32_t person : {e.killer, e.victim}) {
            if (person != engine::PeopleTable::kNobody && m_people[person].id == 0) {
                m_people[person].id = kAsking;
                m_unnumbered.push_back(person);
            }
        }
    }
    // In name order, so that the season's index of names is walked front to back, not at random:
    // a log's new names would otherwise each cost a page of the index read or written.
    std::sort(m_unnumbered.begin(), m_unnumbered.end(),
              [&](std::uint32_t a, std::uint32_t b) { return people[a].name < people[b].name; });
    for (const std::uint32_t person : m_unnumbered) {
        auto id = m_numbers.person(people[person].name);
        if (!id)
            return id.error();
        m_people[person].id = *id;
    }
    return Ok{};
}

std::uint32_t MatchWriter::note(std::uint32_t person, bool frag) {
    if (person == engine::PeopleTable::kNobody)
        return 0;
    Person& p = m_people[person];
    if (p.inMatch == 0) {
        const std::uint64_t* before = m_before.find(p.id);
        if (!before)
            ++m_players;
        p.inMatch = 1 + static_cast<std::uint32_t>(before ? std::min<std::uint64_t>(*before, UINT32_MAX - 1) : 0);
        m_inMatch.push_back(person);
    }
    if (frag) {
        if (p.inMatch < UINT32_MAX)
            ++p.inMatch;  // a count of 4 billion frags in one match stops there
        if (p.inMatch - 1u > m_best) {
            m_best = p.inMatch - 1u;
            m_top = p.id;
        }
    }
    return p.id;
}

Status MatchWriter::take(engine::KillEvents& events, bool tail) {
    if (Status numbered = number(events); !numbered)
        return numbered;
    std::string& blob = tail ? m_match->tail : m_match->events;
    for (const engine::KillEvent& e : events) {
        const bool frag = e.kind == KillEventKind::Frag;
        m_kills += frag ? 1 : 0;
        StoredEvent stored;
        stored.kind = e.kind;
        stored.killer = note(e.killer, frag);
        stored.victim = note(e.victim, false);
        if (frag) {
            const auto slot = static_cast<std::size_t>(std::min<int>(e.slot, engine::kMaxSlot));
            if (m_weaponIds[slot] == 0) {
                auto id = m_numbers.weapon(m_store, static_cast<int>(slot));
                if (!id)
                    return id.error();
                m_weaponIds[slot] = *id;
            }
            stored.weapon = m_weaponIds[slot];
        }
        appendEvent(blob, stored);
    }
    events.clear();
    if (!tail && blob.size() > m_spillBytes)
        return spill();
    return Ok{};
}

Status MatchWriter::spill() {
    if (Status done = spill(m_match->events); !done)
        return done;
    m_match->events.clear();
    return Ok{};
}

Status MatchWriter::spill(std::string_view bytes) {
    if (!m_spill) {
        // Only appended to and read once in order: a small page cache does.
        if (Status made = m_db.exec("CREATE TEMP TABLE IF NOT EXISTS spilled_events(id INTEGER PRIMARY KEY, "
                                    "bytes BLOB NOT NULL); PRAGMA temp.cache_size = -256");
            !made)
            return made;
        auto insert = m_db.prepare("INSERT INTO temp.spilled_events(bytes) VALUES (?)");
        if (!insert)
            return insert.error();
        m_spill.emplace(std::move(*insert));
    }
    if (Status done = m_spill->bindBlobInPlace(1, bytes).run(); !done)
        return done;
    m_spilled += bytes.size();
    return Ok{};
}

Status MatchWriter::finish() {
    PendingMatch& m = *m_match;
    if (!m_insert) {
        auto update = m_db.prepare("UPDATE matches SET events = ?, tail = ?, kills = ?, players = ?, "
                                   "top_fragger = ?, start = ? WHERE id = ?");
        if (!update)
            return update.error();
        auto insert = m_db.prepare("INSERT INTO matches(file, seq, start_offset, start, stamped, start_kind, map, "
                                   "kills, players, top_fragger, events, tail) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
                                   "?, ?)");
        if (!insert)
            return insert.error();
        m_update.emplace(std::move(*update));
        m_insert.emplace(std::move(*insert));
    }
    const std::int64_t top = m_top;
    Statement& row = m.rowId != 0 ? *m_update : *m_insert;
    // Spilled events are written in place: both BLOBs go in as zeros first, which SQLite keeps
    // out of memory only while they end the row (the tail is its last column).
    const int eventsAt = m.rowId != 0 ? 1 : 11;
    if (m_spilled > 0)
        row.bindZeroBlob(eventsAt, m_spilled + m.events.size()).bindZeroBlob(eventsAt + 1, m.tail.size());
    else
        row.bindBlob(eventsAt, m.events).bindBlob(eventsAt + 1, m.tail);
    if (m.rowId != 0) {
        m_update->bind(3, m_kills).bind(4, m_players);
        if (top)
            m_update->bind(5, top);
        m_update->bind(6, m.start).bind(7, m.rowId);
    } else {
        m_insert->bind(1, m_fileId).bind(2, m.seq).bind(3, static_cast<std::int64_t>(m.startOffset)).bind(4, m.start);
        m_insert->bind(5, std::int64_t{m.stamped}).bind(6, static_cast<std::int64_t>(m.kind)).bindBlob(7, m.map);
        m_insert->bind(8, m_kills).bind(9, m_players);
        if (top)
            m_insert->bind(10, top);
    }
    if (Status done = row.run(); !done)
        return done;
    if (m_spilled > 0) {
        // The body's parts in order, then what the last spill left.
        const std::int64_t rowId = m.rowId != 0 ? m.rowId : m_db.lastInsertId();
        auto parts = m_db.prepare("SELECT bytes FROM temp.spilled_events ORDER BY id");
        if (!parts)
            return parts.error();
        auto events = m_db.openBlob("matches", "events", rowId, true);
        if (!events)
            return events.error();
        std::uint64_t at = 0;
        Status written = Ok{};
        const Status read = parts->forEachRow([&] {
            const std::string_view part = parts->bytes(0);
            if (written)
                written = events->write(at, part);
            at += part.size();
        });
        if (!read)
            return read;
        if (!written)
            return written;
        if (Status done = events->write(at, m.events); !done)
            return done;
        if (!m.tail.empty()) {
            auto tail = m_db.openBlob("matches", "tail", rowId, true);
            if (!tail)
                return tail.error();
            if (Status done = tail->write(0, m.tail); !done)
                return done;
        }
        if (Status done = m_db.exec("DELETE FROM temp.spilled_events"); !done)
            return done;
        m_spilled = 0;
    }
    for (const std::uint32_t person : m_inMatch)
        m_people[person].inMatch = 0;
    m_inMatch.clear();
    m_before = FragCounts();
    std::string().swap(m.events);
    std::string().swap(m.tail);
    m_match = nullptr;
    return Ok{};
}

}  // namespace fragtide::season
