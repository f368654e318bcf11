#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/kill_event.hpp"

// A match's events as the season file keeps them: one BLOB of unsigned LEB128 varints, three per
// event (killer, victim, weapon * 4 + kind), about five bytes a kill instead of a row each.
// Person and weapon numbers are the season's ids; 0 is nobody (and no weapon).
namespace fragtide::season {

struct StoredEvent {
    std::uint32_t killer = 0;
    std::uint32_t victim = 0;
    std::uint32_t weapon = 0;
    engine::KillEventKind kind = engine::KillEventKind::Frag;
    bool operator==(const StoredEvent&) const = default;
};

void appendEvent(std::string& blob, const StoredEvent& event);

// Reads a blob front to back. A blob cut short or holding an unknown kind ends the reading early
// and sets damaged(), so a damaged file cannot send the view outside its tables.
class EventReader {
public:
    explicit EventReader(std::string_view blob) : m_at(blob.data()), m_end(blob.data() + blob.size()) {}
    bool next(StoredEvent& event);
    bool damaged() const { return m_damaged; }

private:
    bool varint(std::uint64_t& value);
    const char* m_at;
    const char* m_end;
    bool m_damaged = false;
};

}  // namespace fragtide::season
