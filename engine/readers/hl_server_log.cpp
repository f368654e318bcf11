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

}  // namespace

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
            const std::size_t properties = with + kWith.size() + event.weapon.size() + 1;
            if (isFeignedDeath(line.substr(properties)))
                return std::nullopt;
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
