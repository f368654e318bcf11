#include "engine/readers/cs2_server_log.hpp"

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

// The position after `date[.fraction]end` at `from`, or npos.
std::size_t afterStamp(std::string_view line, std::size_t from, std::string_view end) {
    if (line.size() < from + kDate.size())
        return npos;
    for (std::size_t i = 0; i < kDate.size(); ++i) {
        const char c = line[from + i];
        if (kDate[i] == '0' ? !isDigit(c) : c != kDate[i])
            return npos;
    }
    std::size_t at = from + kDate.size();
    if (at < line.size() && line[at] == '.') {
        const std::size_t digits = ++at;
        while (at < line.size() && isDigit(line[at]))
            ++at;
        if (at == digits)
            return npos;
    }
    return line.substr(at).starts_with(end) ? at + end.size() : npos;
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
    for (std::size_t at = line.find(">\"", nameFrom); at != npos; at = line.find(">\"", at + 1)) {
        const std::size_t tag = tagEndingAt(line, at, player);
        if (tag == npos || tag < nameFrom)
            continue;
        std::size_t next = at + 2;
        if (line.substr(next).starts_with(" [")) {
            if (!bracketKnown || (bracket != npos && bracket < next + 2)) {
                bracket = line.find(']', next + 2);
                bracketKnown = true;
            }
            if (bracket == npos)
                continue;  // no block ends here, and the phrase cannot follow " ["
            next = bracket + 1;
        }
        if (line.substr(next).starts_with(phrase)) {
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
