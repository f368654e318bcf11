#include "engine/readers/player_tag.hpp"

#include "engine/readers/byte_words.hpp"

#include <bit>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

enum class Cut { None, Found, Unsure };

// The team and the id of a tag ending at `close` as runStart finds them, from the `<` and `>` of
// the 32 bytes ending there in two masks (bit 31 is `close`): a tag is about twenty bytes, and two
// runs found eight bytes at a time were most of the cost of reading a kill. Unsure when a run may
// begin before those bytes; then the caller reads it as before.
Cut cutInWindow(std::string_view line, std::size_t close, HlPlayer& player, std::size_t& uidClose) {
#if defined(__SSE2__)
    if (close < 31)
        return Cut::Unsure;
    const std::size_t base = close - 31;
    const char* const at = line.data() + base;
    const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + 16));
    const auto mask = [low, high](char c) {
        const __m128i splat = _mm_set1_epi8(c);
        return static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(low, splat))) |
               static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(high, splat))) << 16;
    };
    const std::uint32_t opens = mask('<');
    const std::uint32_t closes = mask('>');
    const std::uint32_t angles = opens | closes;
    // The angle just before the team's run, then the one just before the id's.
    const std::uint32_t beforeTeam = angles & 0x7FFFFFFFu;
    if (beforeTeam == 0)
        return Cut::Unsure;
    const int t = 31 - std::countl_zero(beforeTeam);
    if (t == 0)
        return Cut::Unsure;
    if (!(opens >> t & 1) || !(closes >> (t - 1) & 1))
        return Cut::None;
    const std::uint32_t beforeId = angles & ((std::uint32_t{1} << (t - 1)) - 1);
    if (beforeId == 0)
        return Cut::Unsure;
    const int i = 31 - std::countl_zero(beforeId);
    if (i == 0)
        return Cut::Unsure;
    if (!(opens >> i & 1) || !(closes >> (i - 1) & 1))
        return Cut::None;
    const auto ut = static_cast<std::size_t>(t);
    const auto ui = static_cast<std::size_t>(i);
    player.team = line.substr(base + ut + 1, 31 - ut - 1);
    player.id = line.substr(base + ui + 1, ut - 1 - ui - 1);
    uidClose = base + ui - 1;
    return Cut::Found;
#else
    (void)line, (void)close, (void)player, (void)uidClose;
    return Cut::Unsure;
#endif
}

}  // namespace

std::size_t tagEndingAt(std::string_view line, std::size_t close, HlPlayer& player) {
    std::size_t uidClose = 0;
    const Cut cut = cutInWindow(line, close, player, uidClose);
    if (cut == Cut::None)
        return npos;
    if (cut == Cut::Unsure) {
        std::size_t a = runStart(line, close);
        if (a < 2 || line[a - 1] != '<' || line[a - 2] != '>')
            return npos;
        player.team = line.substr(a, close - a);
        const std::size_t idClose = a - 2;
        a = runStart(line, idClose);
        if (a < 2 || line[a - 1] != '<' || line[a - 2] != '>')
            return npos;
        player.id = line.substr(a, idClose - a);
        uidClose = a - 2;
    }
    std::size_t a = uidClose;
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

std::size_t findTagClose(std::string_view line, std::size_t from) {
    std::size_t p = from;
#if defined(__SSE2__)
    const __m128i angle = _mm_set1_epi8('>'), quote = _mm_set1_epi8('"');
    for (; p + 17 <= line.size(); p += 16) {  // each load reads 16 bytes, the second from p + 1
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(line.data() + p));
        const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(line.data() + p + 1));
        const int mask = _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(v, angle), _mm_cmpeq_epi8(next, quote)));
        if (mask)
            return p + static_cast<std::size_t>(std::countr_zero(static_cast<unsigned>(mask)));
    }
#endif
    return line.find(">\"", p);
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
