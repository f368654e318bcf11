#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/kill_recorder.hpp"
#include "engine/one_name_matcher.hpp"
#include "rules/rule_tables.hpp"

// Credits every kill one log line holds, slots 1 to 25 (or the game's count, when a game file
// has more) in order, for one game.
//
// Credits exactly what calling the game's rule-set procedure for slot 1, 2, ... 25 (...) would
// (rule_sets.hpp), but finds all middle texts of the game in one scan of the line instead of one
// scan per rule, so a line that is no kill costs a handful of table probes. A line credited in no
// slot is then looked up in the game's one-name messages, and a suicide or team kill found there
// goes to the store's people table. Built from a RuleSet and a one-name table that must outlive
// it; nullptr (a game that names no rule set, or no one-name message) credits nothing of that
// kind. Safe to share between threads once built; analyzeLines writes only the store it is given.
namespace fragtide::engine {

class StatsStore;

class LineAnalyzer {
public:
    // How a line is scanned for its end and its middle texts' starts: 32 bytes at a time with
    // AVX2, 16 with SSE2, or a byte at a time. Best takes the widest the processor has; a narrower
    // one can be asked for (tests compare them), and an unavailable one falls back to the next.
    enum class ScanPath : std::uint8_t { Best, Portable, Sse2, Avx2 };

    explicit LineAnalyzer(const rules::RuleSet* rules, const rules::OneNameTable* oneName = nullptr,
                          ScanPath scan = ScanPath::Best);

    // The scan analyzeLines uses: Portable when the game's middle texts do not suit a vector scan.
    ScanPath scanPath() const { return m_path; }

    // Every line of `bytes` (CR, LF and CR LF end lines; a last line without an ending counts).
    // Returns the number of lines. Sets KillerName and VictimName once, for the last kill.
    std::uint64_t analyzeLines(StatsStore& store, std::string_view bytes) const;

private:
    struct LastKill {
        explicit LastKill(StatsStore& store) : crediter(store) {}
        std::string_view killer, victim;  // raw views into the line
        bool any = false;
        KillCrediter crediter;  // credits each kill of the run
    };
    struct Found;  // the middle texts found on one line, with their rightmost positions

    // The vector paths: every line that ends within the 64-byte chunks of `bytes` that can be read
    // whole, line ends and middle-text starts found a chunk at a time. Returns where the first
    // line not yet analysed begins; `lines` counts those that were.
    // The line the chunks leave unfinished is left in `found`, scanned up to `scanned`.
    template <ScanPath Path>
    std::size_t analyzeChunks(StatsStore& store, std::string_view bytes, LastKill& last, std::uint64_t& lines,
                              Found& found, std::size_t& scanned) const;
    // Credits the line that begins at `pos`, found a byte at a time, and sets `end` to where it
    // ends (its CR or LF, or bytes.size()). Whether the line was credited as a kill in some slot.
    bool creditLine(StatsStore& store, std::string_view bytes, std::size_t pos, std::size_t& end,
                    LastKill& last) const;
    // Probes every place of `line` from `from` on where a middle text may begin, a byte at a time.
    void scanBytes(Found& found, std::string_view line, std::size_t from) const;
    struct Prefix;
    struct Candidate;
    // The tables a probe reads, as plain pointers and numbers: a copy made once per call, which
    // the compiler may keep in registers where the analyzer's own members would be read again
    // after every store.
    struct Probe {
        const std::uint32_t* keys4;
        const std::uint8_t* group4;
        std::uint32_t mul4;
        int shift4;
        const Prefix* prefixes;
        const std::uint64_t* keys8;
        const std::uint8_t* group8;
        std::uint64_t mul8;
        int shift8;
        const std::pair<std::uint16_t, std::uint16_t>* groups8;
        const Candidate* candidates;

        // Records the middle texts that begin at base[p], of which `limit` bytes may be read (at
        // least p + 4), at `lineOffset` in their line. Returns how far on from p the next middle
        // text can begin: 1, or more when one found here leaves no room for another inside it.
        std::size_t at(Found& found, const char* base, std::size_t p, std::size_t limit, std::size_t lineOffset) const;
    };
    Probe probe() const;
    // The kills that the middle texts found on `line` name, credited in slot order; whether any.
    bool creditFound(const Found& found, std::string_view line, LastKill& last) const;
    // A line credited in no slot: its suicide or team kill, if it is one.
    void creditOneName(StatsStore& store, std::string_view line) const;
    template <ScanPath Path>
    std::uint64_t analyzeLinesWith(StatsStore& store, std::string_view bytes) const;
    std::uint64_t analyzeLinesAvx2(StatsStore& store, std::string_view bytes) const;

    struct RuleRef {
        std::uint16_t slot;
        std::uint16_t order;  // position in its slot's list: the highest matching one names the kill
        std::string_view trailing;
        std::uint32_t tail4;  // the trailing text's last bytes (up to four), compared first
        std::uint32_t tailMask;
    };
    struct Middle {
        std::string_view text;
        // Its rules in m_refs: [shortBegin, longBegin) have trailing texts under four bytes,
        // checked one by one; [longBegin, longEnd) four bytes or more, sorted by tail4.
        std::uint16_t shortBegin = 0, longBegin = 0, longEnd = 0;
    };
    // A middle text in a bucket of the tables below.
    struct Candidate {
        const char* text;
        std::uint16_t size;
        std::uint16_t middle;
        // Found at p, no middle text the tables hold can begin at p + 1 .. p + skip - 1: its own
        // bytes rule them out.
        std::uint16_t skip;
    };
    // The middle texts sharing one first four bytes: those under eight bytes as candidates
    // [first, first + count), and whether some longer one is in m_longTable.
    struct Prefix {
        std::uint16_t first = 0;
        std::uint16_t count = 0;
        bool hasLong = false;
    };

    const rules::RuleSet* m_rules = nullptr;
    std::optional<OneNameMatcher> m_oneName;
    bool m_killerFirst = false;
    bool m_plain = false;           // too many middle texts for the one scan: the rule-set procedure
    std::vector<Middle> m_middles;  // each distinct middle text once
    std::vector<RuleRef> m_refs;    // every rule, grouped by middle text
    // A table from a text's first four or eight bytes to a group of middle texts, hashed without
    // collisions (keys[h] holds the only key that can sit at h), so a lookup is one multiply and
    // one compare. Empty entries hold a key whose first byte begins no middle text.
    template <typename Key>
    struct PerfectTable {
        std::vector<Key> keys;
        std::vector<std::uint8_t> group;  // index into the groups of the table
        Key mul = 0;
        int shift = 0;

        // false when no multiplier and size up to 2^16 keep the keys apart
        bool build(const std::vector<Key>& all, Key empty);
        std::size_t slot(Key key) const { return static_cast<std::size_t>(static_cast<Key>(key * mul) >> shift); }
    };
    // Every middle text of four bytes or more by its first four: most positions of a line stop
    // at this one lookup.
    PerfectTable<std::uint32_t> m_prefixTable;
    std::vector<Prefix> m_prefixes;
    // Middle texts of eight bytes or more by their first eight, as candidates [first, first + count).
    PerfectTable<std::uint64_t> m_longTable;
    std::vector<std::pair<std::uint16_t, std::uint16_t>> m_longGroups;
    std::vector<Candidate> m_candidates;
    std::vector<std::uint16_t> m_shortMiddles;   // under 4 bytes: searched directly
    std::array<bool, 256> m_canStart{};          // bytes that begin some middle text
    std::vector<unsigned char> m_startBytes;
    // The second bytes of the middle texts of the tables lie in [lo, lo + span]: a start byte
    // followed by another is passed over by the chunk scan, before any hashing (names, numbers
    // and brackets mostly fall outside a range of lower-case letters).
    unsigned char m_secondLo = 0, m_secondSpan = 255;
    // The same tests as sixteen copies of each byte: the two start bytes, lo and span, loaded
    // once per chunk; then the four tables of the AVX2 scan's finer test (chunkMasksAvx2).
    struct alignas(16) Splats {
        unsigned char bytes[8][16];
    };
    Splats m_splats{};
    bool m_vectorScan = false;  // one or two start bytes
    // Sse2 or Avx2: lines' ends and middle texts found in one pass over chunks; Portable: line by line.
    ScanPath m_path = ScanPath::Portable;
    // When every rule has a trailing text: bit (last two bytes) set for the endings a kill line
    // can have, so on the portable path any other line is passed over before its middle
    // texts are looked for.
    bool m_everyRuleTrails = false;
    std::array<std::uint64_t, 1024> m_lastPairs{};
};

}  // namespace fragtide::engine
