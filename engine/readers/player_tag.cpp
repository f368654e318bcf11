#include "engine/readers/player_tag.hpp"

#include "engine/readers/byte_words.hpp"

namespace fragtide::engine {
namespace {

constexpr std::size_t npos = std::string_view::npos;

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isAngle(char c) { return c == '<' || c == '>'; }

// The run of bytes without `<` or `>` that ends just before `end`; returns its start. Ids run to
// a dozen bytes and more, so eight at a time.
std::size_t runStart(std::string_view line, std::size_t end) {
    using namespace bytewords;
    while (end >= 8) {
        const std::uint64_t w = load8(line.data() + end - 8);
        if (const std::uint64_t angles = bytesEqual(w, '<') | bytesEqual(w, '>'))
            return end - 8 + lastFlagged(angles) + 1;
        end -= 8;
    }
    while (end > 0 && !isAngle(line[end - 1]))
        --end;
    return end;
}

}  // namespace

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

bool quotedWord(std::string_view line, std::size_t from, std::string_view& word) {
    const std::size_t end = line.find('"', from);
    if (end == npos)
        return false;
    word = line.substr(from, end - from);
    return true;
}

bool isSameTeam(std::string_view a, std::string_view b) { return a == b && !a.empty() && a != "Unassigned"; }

bool isFeignedDeath(std::string_view properties) {
    return properties.find("(customkill \"feign_death\")") != npos;
}

}  // namespace fragtide::engine
