#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/result.hpp"

// One line template of a game file: literal text with placeholders, matched against whole lines.
//
// Placeholders: {killer}, {victim}, {weapon}, {killer_team}, {victim_team}, {player} (any text,
// kept), {num} (an optional minus sign and at least one digit) and {any} (any text); {{ and }}
// stand for braces. A named placeholder may appear once. With a prefix, digits, spaces and
// :./|-[] may stand before the template.
//
// Matching is that of the lazy regular expression the template reads as: the prefix and then each
// placeholder, left to right, takes the shortest text that lets the rest of the line match; the
// line must match to its end. It never backtracks past what it has ruled out, so a line of n bytes
// costs at most a small multiple of n times the template's number of parts, whatever the template
// (docs/engine.md says how). Immutable once compiled; safe to share between threads.
namespace fragtide::engine {

enum class TemplateField : std::uint8_t { Killer, Victim, Weapon, KillerTeam, VictimTeam, Player };
inline constexpr std::size_t kTemplateFields = 6;

// The text each named placeholder took; an absent placeholder's text is empty. Views into the line.
struct TemplateMatch {
    std::array<std::string_view, kTemplateFields> fields;
    std::string_view operator[](TemplateField field) const { return fields[static_cast<std::size_t>(field)]; }
};

class LineTemplate {
public:
    // A template holds at most this many parts (literal runs and placeholders).
    static constexpr std::size_t kMaxParts = 64;

    // The template of `text`, or InvalidInput naming the fault: an unknown placeholder, a lone
    // brace, a named placeholder written twice, too many parts.
    [[nodiscard]] static Result<LineTemplate> compile(std::string_view text, bool prefix);

    std::optional<TemplateMatch> match(std::string_view line) const;

    bool has(TemplateField field) const { return m_has[static_cast<std::size_t>(field)]; }

    // The longest literal run: a line that does not hold it cannot match. Empty when it has none.
    std::string_view longestLiteral() const {
        return m_longestPart < m_parts.size() ? std::string_view(m_parts[m_longestPart].literal) : std::string_view();
    }

private:
    enum class Kind : std::uint8_t { Literal, Text, Num, Prefix };
    struct Part {
        Kind kind;
        std::int8_t field;     // TemplateField, or -1 for a placeholder that keeps nothing
        std::string literal;   // for Literal
    };
    struct Run;  // one match's state

    LineTemplate() = default;
    bool step(Run& run, std::size_t part, std::size_t pos) const;
    // The search's first path alone: each part's first choice. True when it reaches the line's end,
    // with the cuts the search would give.
    bool firstPath(Run& run) const;

    std::vector<Part> m_parts;
    std::vector<std::pair<std::uint8_t, std::uint8_t>> m_captures;  // (part, field) of each kept text
    std::array<bool, kTemplateFields> m_has{};
    std::size_t m_longestPart = static_cast<std::size_t>(-1);
};

}  // namespace fragtide::engine
