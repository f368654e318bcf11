#include "season/event_codec.hpp"

namespace fragtide::season {
namespace {

char* putVarint(char* at, std::uint64_t value) {
    while (value >= 0x80) {
        *at++ = static_cast<char>((value & 0x7f) | 0x80);
        value >>= 7;
    }
    *at++ = static_cast<char>(value);
    return at;
}

}  // namespace

void appendEvent(std::string& blob, const StoredEvent& event) {
    // One append an event: an add encodes millions.
    char bytes[5 + 5 + 10];
    char* end = putVarint(bytes, event.killer);
    end = putVarint(end, event.victim);
    end = putVarint(end, std::uint64_t{event.weapon} * 4 + static_cast<std::uint64_t>(event.kind));
    blob.append(bytes, static_cast<std::size_t>(end - bytes));
}

bool EventReader::varint(std::uint64_t& value) {
    value = 0;
    for (int shift = 0; shift < 64; shift += 7) {
        if (m_at == m_end)
            return false;
        const auto byte = static_cast<unsigned char>(*m_at++);
        value |= std::uint64_t{byte & 0x7fu} << shift;
        if (byte < 0x80)
            return true;
    }
    return false;
}

bool EventReader::next(StoredEvent& event) {
    if (m_at == m_end || m_damaged)
        return false;
    std::uint64_t killer = 0, victim = 0, packed = 0;
    if (!varint(killer) || !varint(victim) || !varint(packed) || killer > UINT32_MAX || victim > UINT32_MAX ||
        packed / 4 > UINT32_MAX || packed % 4 > 2) {
        m_damaged = true;
        return false;
    }
    event.killer = static_cast<std::uint32_t>(killer);
    event.victim = static_cast<std::uint32_t>(victim);
    event.weapon = static_cast<std::uint32_t>(packed / 4);
    event.kind = static_cast<engine::KillEventKind>(packed % 4);
    return true;
}

}  // namespace fragtide::season
