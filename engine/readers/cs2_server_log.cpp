#include "engine/readers/cs2_server_log.hpp"

#include "engine/name_index.hpp"
#include "engine/readers/byte_words.hpp"

#include <cstddef>

namespace fragtide::engine {
namespace {

constexpr std::size_t npos = std::string_view::npos;
constexpr std::string_view kKilled = " killed \"";
constexpr std::string_view kWith = " with \"";
constexpr std::string_view kSuicide = " committed suicide with \"";
// '0' stands for any digit; the fraction of the seconds comes between the two parts.
constexpr std::string_view kDate = "00/00/0000 - 00:00:00";
constexpr std::string_view kOldEnd = ": ";   // after `L ` and the date
constexpr std::string_view kNewEnd = " - ";  // after the date alone

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Whether `text` lies in `line` at `at`: a phrase or a stamp's end, compared in place rather than
// through a memcmp call for a few bytes.
bool bytesAt(std::string_view line, std::size_t at, std::string_view text) {
    return at <= line.size() && line.size() - at >= text.size() &&
           NameIndex::sameBytes(line.data() + at, text.data(), text.size());
}

// The position after `date[.fraction]end` at `from`, or npos.
// One word of the date: XOR with the pattern leaves a digit position 0..9 and a literal one 0, and
// each byte is then checked against its limit in one addition (no carry crosses a byte).
struct DateWord {
    std::uint64_t pattern = 0, add = 0;
};
constexpr DateWord dateWord(std::size_t from) {
    DateWord w;
    for (std::size_t i = 0; i < 8; ++i) {
        const auto c = static_cast<std::uint64_t>(static_cast<unsigned char>(kDate[from + i]));
        const std::uint64_t limit = kDate[from + i] == '0' ? 9 : 0;
        w.pattern |= c << (8 * i);
        w.add |= (0x7F - limit) << (8 * i);
    }
    return w;
}
// Bytes 0..7, 8..15 and 13..20 of the 21.
constexpr DateWord kDateWords[] = {dateWord(0), dateWord(8), dateWord(kDate.size() - 8)};

bool dateWordFits(const char* at, const DateWord& word) {
    using namespace bytewords;
    const std::uint64_t d = load8(at) ^ word.pattern;
    return ((((d & ~kHighs) + word.add) | d) & kHighs) == 0;
}

std::size_t afterStamp(std::string_view line, std::size_t from, std::string_view end) {
    if (line.size() < from + kDate.size())
        return npos;
    const char* date = line.data() + from;
    if (!dateWordFits(date, kDateWords[0]) || !dateWordFits(date + 8, kDateWords[1]) ||
        !dateWordFits(date + kDate.size() - 8, kDateWords[2]))
        return npos;
    std::size_t at = from + kDate.size();
    if (at < line.size() && line[at] == '.') {
        const std::size_t digits = ++at;
        while (at < line.size() && isDigit(line[at]))
            ++at;
        if (at == digits)
            return npos;
    }
    return bytesAt(line, at, end) ? at + end.size() : npos;
}

// Where the first name begins: after the opening quote, itself after one of the time stamps or
// none; npos when the line can be neither a kill nor a suicide. The first byte tells which form
// could apply, so at most one is tried.
std::size_t nameStart(std::string_view line) {
    std::size_t quote = 0;
    if (line.starts_with("L "))
        quote = afterStamp(line, 2, kOldEnd);
    else if (!line.empty() && isDigit(line[0]))
        quote = afterStamp(line, 0, kNewEnd);
    return quote < line.size() && line[quote] == '"' ? quote + 1 : npos;
}

// The player whose name begins at `nameFrom` and who is followed, after an optional position
// block, by `phrase`: the shortest such name. Fills `player` and returns the position after the
// phrase, or npos. Candidates are the tags' closing `>"` in line order (tags never overlap, so
// this is the order of name lengths); the block after each is `[` up to the first `]`, found with
// a cursor that only moves forward, so a hostile line costs linear time.
std::size_t findPlayer(std::string_view line, std::string_view phrase, std::size_t nameFrom, HlPlayer& player) {
    std::size_t bracket = 0;  // the first `]` at or after the last place asked, or npos
    bool bracketKnown = false;
    for (std::size_t at = findTagClose(line, nameFrom); at != npos; at = findTagClose(line, at + 1)) {
        const std::size_t tag = tagEndingAt(line, at, player);
        if (tag == npos || tag < nameFrom)
            continue;
        std::size_t next = at + 2;
        if (next + 2 <= line.size() && line[next] == ' ' && line[next + 1] == '[') {
            if (!bracketKnown || (bracket != npos && bracket < next + 2)) {
                bracket = line.find(']', next + 2);
                bracketKnown = true;
            }
            if (bracket == npos)
                continue;  // no block ends here, and the phrase cannot follow " ["
            next = bracket + 1;
        }
        if (bytesAt(line, next, phrase)) {
            player.name = line.substr(nameFrom, tag - nameFrom);
            return next + phrase.size();
        }
    }
    return npos;
}

}  // namespace

std::optional<HlEvent> readCs2ServerLogLine(std::string_view line) {
    const std::size_t start = nameStart(line);
    if (start == npos)
        return std::nullopt;
    HlEvent event{};
    // As for the Half-Life log: the shortest killer leaves the most room for the rest, so if the
    // rest does not fit after it, it fits after no longer one.
    const std::size_t victimFrom = findPlayer(line, kKilled, start, event.killer);
    if (victimFrom != npos) {
        const std::size_t weaponFrom = findPlayer(line, kWith, victimFrom, event.victim);
        if (weaponFrom != npos && quotedWord(line, weaponFrom, event.weapon)) {
            if (isFeignedDeath(line.substr(weaponFrom + event.weapon.size() + 1)))
                return std::nullopt;
            event.kind = isSameTeam(event.killer.team, event.victim.team) ? HlEventKind::TeamKill : HlEventKind::Kill;
            return event;
        }
    }
    event = HlEvent{};
    const std::size_t weaponFrom = findPlayer(line, kSuicide, start, event.killer);
    if (weaponFrom != npos && quotedWord(line, weaponFrom, event.weapon)) {
        event.kind = HlEventKind::Suicide;
        return event;
    }
    return std::nullopt;
}

}  // namespace fragtide::engine
