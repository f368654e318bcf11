#include "engine/readers/hl_server_log.hpp"

#include <cstddef>

namespace fragtide::engine {
namespace {

constexpr std::size_t npos = std::string_view::npos;
constexpr std::string_view kKilled = "\" killed \"";
constexpr std::string_view kWith = "\" with \"";
constexpr std::string_view kSuicide = "\" committed suicide with \"";
// '0' stands for any digit.
constexpr std::string_view kStamp = "L 00/00/0000 - 00:00:00: ";

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isAngle(char c) { return c == '<' || c == '>'; }

// Where the first name begins: after the opening quote, itself after the optional time stamp;
// npos when the line can be neither a kill nor a suicide.
std::size_t nameStart(std::string_view line) {
    if (!line.empty() && line[0] == '"')
        return 1;
    if (line.size() <= kStamp.size() || line[kStamp.size()] != '"')
        return npos;
    for (std::size_t i = 0; i < kStamp.size(); ++i) {
        if (kStamp[i] == '0' ? !isDigit(line[i]) : line[i] != kStamp[i])
            return npos;
    }
    return kStamp.size() + 1;
}

// The run of bytes without `<` or `>` that ends just before `end`; returns its start.
std::size_t runStart(std::string_view line, std::size_t end) {
    while (end > 0 && !isAngle(line[end - 1]))
        --end;
    return end;
}

// Reads `<uid><id><team>` backwards from its last `>` at `close`, filling the player's fields.
// Returns the position of the tag's first `<`, or npos when no tag ends there. Reading backwards is
// as exact as forwards: id and team hold no angle brackets, so at most one tag ends at `close`.
std::size_t tagEndingAt(std::string_view line, std::size_t close, HlPlayer& player) {
    std::size_t a = runStart(line, close);
    if (a < 2 || line[a - 1] != '<' || line[a - 2] != '>')
        return npos;
    player.team = line.substr(a, close - a);
    const std::size_t idClose = a - 2;
    a = runStart(line, idClose);
    if (a < 2 || line[a - 1] != '<' || line[a - 2] != '>')
        return npos;
    player.id = line.substr(a, idClose - a);
    const std::size_t uidClose = a - 2;
    a = uidClose;
    while (a > 0 && isDigit(line[a - 1]))
        --a;
    if (a == uidClose || a == 0)
        return npos;
    if (line[a - 1] == '-' && a >= 2 && line[a - 2] == '<')
        --a;  // the minus belongs to the uid
    else if (line[a - 1] != '<')
        return npos;
    player.uid = line.substr(a, uidClose - a);
    return a - 1;
}

// The first occurrence of `phrase` (which begins with `"`) that closes a player tag beginning at or
// after `nameFrom`; fills `player` (name from `nameFrom`) and returns the phrase's position, or npos. Tags never overlap (every `>` inside a tag is followed by `<`), so
// the first occurrence is the shortest name.
std::size_t findPlayer(std::string_view line, std::string_view phrase, std::size_t nameFrom,
                       HlPlayer& player) {
    for (std::size_t at = line.find(phrase, nameFrom); at != npos; at = line.find(phrase, at + 1)) {
        if (at == 0 || line[at - 1] != '>')
            continue;
        const std::size_t tag = tagEndingAt(line, at - 1, player);
        if (tag != npos && tag >= nameFrom) {
            player.name = line.substr(nameFrom, tag - nameFrom);
            return at;
        }
    }
    return npos;
}

// The quoted word that begins at `from` and ends at the next quote; false when no quote follows.
bool quotedWord(std::string_view line, std::size_t from, std::string_view& word) {
    const std::size_t end = line.find('"', from);
    if (end == npos)
        return false;
    word = line.substr(from, end - from);
    return true;
}

}  // namespace

bool isSameTeam(std::string_view a, std::string_view b) {
    return a == b && !a.empty() && a != "Unassigned";
}

std::optional<HlEvent> readHlServerLogLine(std::string_view line) {
    const std::size_t start = nameStart(line);
    if (start == npos)
        return std::nullopt;
    HlEvent event{};
    const std::size_t killed = findPlayer(line, kKilled, start, event.killer);
    if (killed != npos) {
        // The shortest killer leaves the most room for the victim: if no victim fits after the
        // first killer, none fits after a longer one, and the line is no kill. Likewise a weapon
        // without its closing quote after the first victim has none after a later one.
        const std::size_t victimFrom = killed + kKilled.size();
        const std::size_t with = findPlayer(line, kWith, victimFrom, event.victim);
        if (with != npos && quotedWord(line, with + kWith.size(), event.weapon)) {
            event.kind = isSameTeam(event.killer.team, event.victim.team) ? HlEventKind::TeamKill
                                                                          : HlEventKind::Kill;
            return event;
        }
    }
    event = HlEvent{};
    const std::size_t suicide = findPlayer(line, kSuicide, start, event.killer);
    if (suicide != npos && quotedWord(line, suicide + kSuicide.size(), event.weapon)) {
        event.kind = HlEventKind::Suicide;
        return event;
    }
    return std::nullopt;
}

}  // namespace fragtide::engine
