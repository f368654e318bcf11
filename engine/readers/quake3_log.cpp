#include "engine/readers/quake3_log.hpp"

#include <cstddef>
#include <cstring>

namespace fragtide::engine {
namespace {

constexpr std::size_t npos = std::string_view::npos;
constexpr std::string_view kKill = "Kill:";
constexpr std::string_view kUserinfo = "ClientUserinfoChanged: ";
constexpr std::string_view kDisconnect = "ClientDisconnect: ";
constexpr std::string_view kInitGame = "InitGame:";
constexpr std::string_view kKilled = " killed ";
constexpr std::string_view kBy = " by ";

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isPrefixByte(char c) { return isDigit(c) || c == ' ' || c == ':' || c == '.' || c == '|'; }
// [^\s|]: what a means-of-death word is made of.
bool isWordByte(char c) {
    return c != ' ' && c != '\t' && c != '\n' && c != '\v' && c != '\f' && c != '\r' && c != '|';
}
bool isAsciiAlnum(char c) { return isDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// Reads `-?\d+` at `at` into `client`; returns the position after it, or npos.
std::size_t readNumber(std::string_view line, std::size_t at, Quake3Client& client) {
    client.negative = at < line.size() && line[at] == '-';
    const std::size_t first = client.negative ? at + 1 : at;
    std::size_t end = first;
    while (end < line.size() && isDigit(line[end]))
        ++end;
    if (end == first)
        return npos;
    std::size_t significant = first;
    while (significant < end && line[significant] == '0')
        ++significant;
    client.digits = line.substr(significant, end - significant);
    if (client.digits.empty())
        client.negative = false;  // -0 is 0
    return end;
}

// The value of key `t` in `n\NAME\t\1\model\...`, pairs separated by backslashes.
std::optional<std::string_view> teamOf(std::string_view info) {
    if (info.starts_with('\\'))
        info.remove_prefix(1);
    while (!info.empty()) {
        const std::size_t keyEnd = info.find('\\');
        if (keyEnd == npos)
            return std::nullopt;  // a key without a value
        const std::string_view key = info.substr(0, keyEnd);
        std::size_t valueEnd = info.find('\\', keyEnd + 1);
        if (valueEnd == npos)
            valueEnd = info.size();
        if (key == "t")
            return info.substr(keyEnd + 1, valueEnd - keyEnd - 1);
        info.remove_prefix(valueEnd == info.size() ? info.size() : valueEnd + 1);
    }
    return std::nullopt;
}

std::optional<Quake3Line> readKill(std::string_view line, std::size_t at) {
    Quake3Line result{};
    result.kind = Quake3LineKind::Kill;
    int numbers = 0;
    while (at + 1 < line.size() && line[at] == ' ') {
        Quake3Client number;
        const std::size_t end = readNumber(line, at + 1, number);
        if (end == npos)
            break;
        if (numbers == 0)
            result.client = number;
        else if (numbers == 1)
            result.victimClient = number;
        ++numbers;
        at = end;
    }
    if (numbers < 3 || line.substr(at, 2) != ": ")
        return std::nullopt;
    const std::size_t killerFrom = at + 2;
    // The first " killed " gives the shortest killer; if no word follows a " by " after it, none
    // follows one after a later " killed " either.
    const std::size_t killed = line.find(kKilled, killerFrom);
    if (killed == npos)
        return std::nullopt;
    const std::size_t victimFrom = killed + kKilled.size();
    // The longest victim: the last " by " after it that a word byte follows.
    for (std::size_t by = line.rfind(kBy); by != npos && by >= victimFrom; by = by ? line.rfind(kBy, by - 1) : npos) {
        const std::size_t wordFrom = by + kBy.size();
        if (wordFrom >= line.size() || !isWordByte(line[wordFrom]))
            continue;
        std::size_t wordEnd = wordFrom;
        while (wordEnd < line.size() && isWordByte(line[wordEnd]))
            ++wordEnd;
        result.killer = line.substr(killerFrom, killed - killerFrom);
        result.victim = line.substr(victimFrom, by - victimFrom);
        result.weapon = line.substr(wordFrom, wordEnd - wordFrom);
        return result;
    }
    return std::nullopt;
}

}  // namespace

std::optional<Quake3Line> readQuake3Line(std::string_view line) {
    std::size_t at = 0;
    while (at < line.size() && isPrefixByte(line[at]))
        ++at;
    const std::string_view rest = line.substr(at);
    if (rest.starts_with(kKill))
        return readKill(line, at + kKill.size());
    if (rest.starts_with(kInitGame))
        return Quake3Line{.kind = Quake3LineKind::AllTeamsForgotten};
    if (rest.starts_with(kUserinfo)) {
        Quake3Line result{.kind = Quake3LineKind::TeamSet};
        const std::size_t end = readNumber(line, at + kUserinfo.size(), result.client);
        if (end == npos || end >= line.size() || line[end] != ' ')
            return std::nullopt;
        result.team = teamOf(line.substr(end + 1));
        return result;
    }
    if (rest.starts_with(kDisconnect)) {
        Quake3Line result{.kind = Quake3LineKind::TeamForgotten};
        if (readNumber(line, at + kDisconnect.size(), result.client) == npos)
            return std::nullopt;
        return result;
    }
    return std::nullopt;
}

std::string_view stripColours(std::string_view name, std::string& buffer) {
    std::size_t caret = name.find('^');
    if (caret == npos)
        return name;
    buffer.assign(name.substr(0, caret));
    for (std::size_t i = caret; i < name.size(); ++i) {
        if (name[i] == '^' && i + 1 < name.size() && isAsciiAlnum(name[i + 1]))
            ++i;
        else
            buffer += name[i];
    }
    return buffer;
}

bool isTeamChange(std::string_view weapon) { return weapon.ends_with("MOD_CHANGE_TEAM"); }

}  // namespace fragtide::engine
