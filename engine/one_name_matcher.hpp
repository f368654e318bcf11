#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "rules/one_name_messages.hpp"

// Finds whether a log line is one of a game's one-name messages (a suicide, or a team kill printed
// with the killer's name alone), and whose.
//
// A message {leading, trailing} matches a line that starts with `leading`, ends with `trailing`,
// and is long enough to hold both without overlap (a message with an empty trailing text is no
// message and never matches). When several messages of the table match, the
// one with the longest trailing text wins, then the one with the longest leading text, then
// suicides before team kills, then table order: the most specific text decides, so a name never
// swallows the start of a longer message. The name is the text between the two, trimmed of
// spaces (only spaces) and one trailing "'s" removed, as the kill recorder keys names; a winner
// whose name is then empty credits nobody, and the line gives no event.
//
// A kill message names two players; a line can still end like a one-name message (a player named
// "Bob died" killed, or a kill rule whose killer runs to the line's end). The caller says whether
// the line was credited as a kill in any weapon slot, and a credited line gives no event: a line
// is a kill or a suicide, never both.
//
// Built once per game from its table, which must outlive the matcher. Lines are raw bytes without
// their ending; comparison is exact. Safe to share between threads once built.
namespace fragtide::engine {

enum class OneNameKind : std::uint8_t { Suicide, TeamKill };

struct OneNameEvent {
    OneNameKind kind;
    std::string_view name;  // normalised, never empty; a view into the line, valid while it is
};

// What the kill rules made of the same line.
enum class KillVerdict : std::uint8_t { NotAKill, CreditedAsKill };

class OneNameMatcher {
public:
    explicit OneNameMatcher(const rules::OneNameTable& table);

    // The line's event, or nothing: no message matches, the name is empty, or the line is a kill.
    std::optional<OneNameEvent> match(std::string_view line, KillVerdict verdict) const;

private:
    struct Entry {
        std::string_view leading;
        std::string_view trailing;
        OneNameKind kind;
    };
    struct Bucket {
        std::uint32_t key = 0;  // a trailing text's last four bytes, as they sit at a line's end
        std::uint32_t first = 0;
        std::uint32_t count = 0;  // 0: empty
    };

    std::optional<OneNameEvent> tryEntry(const Entry& entry, std::string_view line) const;

    std::vector<Entry> m_keyed;  // trailing texts of four bytes or more, grouped by key, best first
    std::vector<Entry> m_short;  // shorter trailing texts, best first; checked one by one
    std::vector<Bucket> m_buckets;  // open addressing; a power of two, at most half full
    int m_bucketBits = 0;
    std::array<bool, 256> m_canEnd{};  // bytes that end some trailing text
};

}  // namespace fragtide::engine
