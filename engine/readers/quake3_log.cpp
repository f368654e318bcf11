#include "engine/readers/quake3_log.hpp"

#include "engine/readers/byte_words.hpp"

#include <array>
#include <bit>
#include <cstdint>
#include <cstddef>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
// As in the line analyzer's scan: compiled for any x86-64 build, taken where the processor has
// AVX2; not on Windows, where GCC cannot align the stack for a spilled 32-byte register.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(_WIN32)
#define FRAGTIDE_KEYWORDS_AVX2 1
#include <immintrin.h>
#else
#define FRAGTIDE_KEYWORDS_AVX2 0
#endif

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

// Byte classes as tables: every kill line runs through both.
struct ByteClasses {
    std::array<bool, 256> prefix{};  // [0-9 :.|]
    std::array<bool, 256> word{};    // [^\s|]: what a means-of-death word is made of
    constexpr ByteClasses() {
        for (int c = 0; c < 256; ++c) {
            prefix[c] = (c >= '0' && c <= '9') || c == ' ' || c == ':' || c == '.' || c == '|';
            word[c] = c != ' ' && c != '\t' && c != '\n' && c != '\v' && c != '\f' && c != '\r' && c != '|';
        }
    }
};
constexpr ByteClasses kClasses;
bool isPrefixByte(char c) { return kClasses.prefix[static_cast<unsigned char>(c)]; }
bool isWordByte(char c) { return kClasses.word[static_cast<unsigned char>(c)]; }
bool isAsciiAlnum(char c) { return isDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// Reads `-?\d+` at `at` into `client`; returns the position after it, or npos. One pass over
// raw bytes: a kill reads two of these.
std::size_t readNumber(std::string_view line, std::size_t at, Quake3Client& client) {
    const char* const p = line.data();
    const std::size_t n = line.size();
    const bool negative = at < n && p[at] == '-';
    const std::size_t first = at + (negative ? 1 : 0);
    std::size_t significant = first;
    while (significant < n && p[significant] == '0')
        ++significant;
    std::size_t end = significant;
    unsigned value = 0;  // wraps on long numbers; read only for three digits or fewer
    while (end < n && static_cast<unsigned>(p[end] - '0') < 10) {
        value = value * 10 + static_cast<unsigned>(p[end] - '0');
        ++end;
    }
    if (end == first)
        return npos;
    client.digits = std::string_view(p + significant, end - significant);
    client.negative = negative && end != significant;  // -0 is 0
    client.slot = !client.negative && end - significant <= 3 && value < 256 ? static_cast<int>(value) : -1;
    return end;
}

// readNumber, with the numbers of nearly every kill read in line: one or two digits without a
// leading zero, then a byte that is no digit.
inline std::size_t readClientNumber(std::string_view line, std::size_t at, Quake3Client& client) {
    const char* const p = line.data();
    const auto digit = [p](std::size_t i) { return static_cast<unsigned>(p[i] - '0'); };
    if (at + 2 < line.size() && digit(at) - 1 < 9) {
        if (digit(at + 1) >= 10) {
            client = Quake3Client{false, std::string_view(p + at, 1), static_cast<int>(digit(at))};
            return at + 1;
        }
        if (digit(at + 2) >= 10) {
            client = Quake3Client{false, std::string_view(p + at, 2), static_cast<int>(digit(at) * 10 + digit(at + 1))};
            return at + 2;
        }
    }
    return readNumber(line, at, client);
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

using bytewords::bytesEqual;
using bytewords::kHighs;
using bytewords::kOnes;
using bytewords::load8;

// The high bit of each byte of `w` below 0x21 (a space or a control byte), exactly.
std::uint64_t bytesBelowBang(std::uint64_t w) { return ~((w & ~kHighs) + kOnes * (0x80 - 0x21)) & ~w & kHighs; }

// The last `y` in [from, to), or npos.
std::size_t lastY(std::string_view line, std::size_t from, std::size_t to) {
    while (to >= from + 8) {
        if (const std::uint64_t ys = bytesEqual(load8(line.data() + to - 8), 'y'))
            return to - 8 + bytewords::lastFlagged(ys);
        to -= 8;
    }
    for (; to > from; --to) {
        if (line[to - 1] == 'y')
            return to - 1;
    }
    return npos;
}

// Where the word that begins at `from` ends: the first byte at or after it that no word holds.
std::size_t wordEnd(std::string_view line, std::size_t from) {
    while (from + 8 <= line.size()) {
        const std::uint64_t w = load8(line.data() + from);
        if (const std::uint64_t stops = bytesBelowBang(w) | bytesEqual(w, '|')) {
            from += bytewords::firstFlagged(stops);
            break;  // a stop, or a control byte that words may hold: byte by byte from here
        }
        from += 8;
    }
    while (from < line.size() && isWordByte(line[from]))
        ++from;
    return from;
}

// The first " killed " at or after `from`, or npos: found by its `k`, which names seldom hold,
// rather than by its space, which they often do; eight bytes at a time, as killers are short.
std::size_t findKilled(std::string_view line, std::size_t from) {
    const auto killedAt = [line](std::size_t k) {  // whether " killed " has its `k` at k
        return k + kKilled.size() - 1 <= line.size() && line[k - 1] == ' ' &&
               std::memcmp(line.data() + k, kKilled.data() + 1, kKilled.size() - 1) == 0;
    };
    std::size_t at = from + 1;
    for (; at + 8 <= line.size(); at += 8) {
        for (std::uint64_t ks = bytesEqual(load8(line.data() + at), 'k'); ks; ks &= ks - 1) {
            const std::size_t k = at + bytewords::firstFlagged(ks);
            if (killedAt(k))
                return k - 1;
        }
    }
    for (; at < line.size(); ++at) {
        if (line[at] == 'k' && killedAt(at))
            return at - 1;
    }
    return npos;
}

bool readKill(std::string_view line, std::size_t at, Quake3Line& result) {
    result.kind = Quake3LineKind::Kill;
    int numbers = 0;
    while (at + 1 < line.size() && line[at] == ' ') {
        std::size_t end;
        if (numbers < 2) {
            end = readClientNumber(line, at + 1, numbers == 0 ? result.client : result.victimClient);
        } else {  // only its form matters
            end = at + 1 + (line[at + 1] == '-');
            const std::size_t first = end;
            while (end < line.size() && isDigit(line[end]))
                ++end;
            if (end == first)
                end = npos;
        }
        if (end == npos)
            break;
        ++numbers;
        at = end;
    }
    if (numbers < 3 || at + 2 > line.size() || line[at] != ':' || line[at + 1] != ' ')
        return false;
    const std::size_t killerFrom = at + 2;
    // The first " killed " gives the shortest killer; if no word follows a " by " after it, none
    // follows one after a later " killed " either.
    const std::size_t killed = findKilled(line, killerFrom);
    if (killed == npos)
        return false;
    const std::size_t victimFrom = killed + kKilled.size();
    // The longest victim: the last " by " after it that a word byte follows, found backwards by
    // its `y`, which means-of-death words (upper case) never hold.
    // The last possible `y` is three bytes before the end: a space and a word byte follow it.
    for (std::size_t to = line.size() < kBy.size() + 1 ? 0 : line.size() - 2;;) {
        const std::size_t y = lastY(line, victimFrom + 2, to);
        if (y == npos)
            return false;
        to = y;
        if (line[y - 2] != ' ' || line[y - 1] != 'b' || line[y + 1] != ' ' || !isWordByte(line[y + 2]))
            continue;
        const std::size_t by = y - 2;
        const std::size_t wordFrom = by + kBy.size();
        const std::size_t end = wordEnd(line, wordFrom);
        result.killer = line.substr(killerFrom, killed - killerFrom);
        result.victim = line.substr(victimFrom, by - victimFrom);
        result.weapon = line.substr(wordFrom, end - wordFrom);
        return true;
    }
}

// Where the prefix of `[0-9 :.|]` ends. Eight bytes at a time: every line of a games.log starts
// with its time.
std::size_t prefixEnd(std::string_view line) {
    std::size_t at = 0;
    while (at + 8 <= line.size()) {
        const std::uint64_t w = load8(line.data() + at);
        const std::uint64_t low = w & ~kHighs;
        const std::uint64_t digitOrColon = ((low + kOnes * 0x50) & ~(low + kOnes * 0x45)) & ~w & kHighs;  // 0x30..0x3A
        const std::uint64_t in = digitOrColon | bytesEqual(w, ' ') | bytesEqual(w, '.') | bytesEqual(w, '|');
        if (in != kHighs)
            return at + bytewords::firstFlagged(~in & kHighs);
        at += 8;
    }
    while (at < line.size() && isPrefixByte(line[at]))
        ++at;
    return at;
}

}  // namespace

bool readQuake3Line(std::string_view line, Quake3Line& read) {
    const std::size_t at = prefixEnd(line);
    const std::string_view rest(line.data() + at, line.size() - at);
    if (rest.starts_with(kKill))
        return readKill(line, at + kKill.size(), read);
    if (rest.starts_with(kInitGame)) {
        read.kind = Quake3LineKind::AllTeamsForgotten;
        return true;
    }
    if (rest.starts_with(kUserinfo)) {
        read.kind = Quake3LineKind::TeamSet;
        const std::size_t end = readNumber(line, at + kUserinfo.size(), read.client);
        if (end == npos || end >= line.size() || line[end] != ' ')
            return false;
        read.team = teamOf(line.substr(end + 1));
        return true;
    }
    if (rest.starts_with(kDisconnect)) {
        read.kind = Quake3LineKind::TeamForgotten;
        return readNumber(line, at + kDisconnect.size(), read.client) != npos;
    }
    return false;
}

std::optional<Quake3Line> readQuake3Line(std::string_view line) {
    Quake3Line read{};
    if (!readQuake3Line(line, read))
        return std::nullopt;
    return read;
}

namespace {

constexpr std::string_view kClient = "Client";

bool keywordAt(std::string_view bytes, std::size_t p) {
    const std::string_view rest = bytes.substr(p);
    return rest.starts_with(kClient) || rest.starts_with(kInitGame);
}

#if FRAGTIDE_KEYWORDS_AVX2
// The SSE2 loop below, 32 bytes at a time; taken where the processor has AVX2. Returns where it
// stopped looking when it found nothing: fewer than 40 bytes before the end.
__attribute__((target("avx2"))) std::size_t findTeamKeywordAvx2(std::string_view bytes, std::size_t p,
                                                                 std::size_t& found) {
    const __m256i c = _mm256_set1_epi8('C'), t = _mm256_set1_epi8('t');
    const __m256i i = _mm256_set1_epi8('I'), colon = _mm256_set1_epi8(':');
    for (; p + 8 + 32 <= bytes.size(); p += 32) {
        const char* const d = bytes.data() + p;
        const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(d));
        const __m256i v5 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(d + kClient.size() - 1));
        const __m256i v8 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(d + kInitGame.size() - 1));
        const __m256i hits =
            _mm256_or_si256(_mm256_and_si256(_mm256_cmpeq_epi8(v, c), _mm256_cmpeq_epi8(v5, t)),
                            _mm256_and_si256(_mm256_cmpeq_epi8(v, i), _mm256_cmpeq_epi8(v8, colon)));
        for (auto mask = static_cast<unsigned>(_mm256_movemask_epi8(hits)); mask; mask &= mask - 1) {
            const std::size_t hit = p + static_cast<std::size_t>(std::countr_zero(mask));
            if (keywordAt(bytes, hit)) {
                found = hit;
                return p;
            }
        }
    }
    return p;
}

const bool kHasAvx2 = __builtin_cpu_supports("avx2");
#endif

}  // namespace

std::size_t findTeamKeyword(std::string_view bytes, std::size_t from) {
    const auto at = [bytes](std::size_t p) { return keywordAt(bytes, p); };
    std::size_t p = from;
#if FRAGTIDE_KEYWORDS_AVX2
    if (kHasAvx2) {
        std::size_t found = npos;
        p = findTeamKeywordAvx2(bytes, p, found);
        if (found != npos)
            return found;
    }
#endif
#if defined(__SSE2__)
    // A keyword's first byte with its last ('C' ... 't', 'I' ... ':'), sixteen places at a time;
    // each place so found is then compared whole. The loads reach 8 + 16 bytes past `p`.
    const __m128i c = _mm_set1_epi8('C'), t = _mm_set1_epi8('t');
    const __m128i i = _mm_set1_epi8('I'), colon = _mm_set1_epi8(':');
    for (; p + 8 + 16 <= bytes.size(); p += 16) {
        const char* const d = bytes.data() + p;
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d));
        const __m128i v5 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + kClient.size() - 1));
        const __m128i v8 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + kInitGame.size() - 1));
        const __m128i hits = _mm_or_si128(_mm_and_si128(_mm_cmpeq_epi8(v, c), _mm_cmpeq_epi8(v5, t)),
                                          _mm_and_si128(_mm_cmpeq_epi8(v, i), _mm_cmpeq_epi8(v8, colon)));
        for (auto mask = static_cast<unsigned>(_mm_movemask_epi8(hits)); mask; mask &= mask - 1) {
            const std::size_t hit = p + static_cast<std::size_t>(std::countr_zero(mask));
            if (at(hit))
                return hit;
        }
    }
#endif
    for (; p < bytes.size(); ++p) {
        if (at(p))
            return p;
    }
    return npos;
}

std::string_view stripColours(std::string_view name, std::string& buffer) {
    // Names are short: a plain loop beats a call to memchr.
    std::size_t caret = 0;
    while (caret < name.size() && name[caret] != '^')
        ++caret;
    if (caret == name.size())
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
