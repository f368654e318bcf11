#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "engine/one_name_matcher.hpp"
#include "rules/rule_tables.hpp"

// Credits every kill one log line holds, slots 1 to 25 in order, for one game.
//
// Credits exactly what calling the game's rule-set procedure for slot 1, 2, ... 25 would
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
    explicit LineAnalyzer(const rules::RuleSet* rules, const rules::OneNameTable* oneName = nullptr);

    // Every line of `bytes` (CR, LF and CR LF end lines; a last line without an ending counts).
    // Returns the number of lines. Sets KillerName and VictimName once, for the last kill.
    std::uint64_t analyzeLines(StatsStore& store, std::string_view bytes) const;

private:
    struct LastKill {
        std::string_view killer, victim;  // raw views into the line
        bool any = false;
    };
    // Whether the line was credited as a kill in some slot.
    bool creditLine(StatsStore& store, std::string_view line, LastKill& last) const;

    struct RuleRef {
        std::uint16_t slot;
        std::uint16_t order;  // position in its slot's list: the highest matching one names the kill
        std::string_view trailing;
        std::uint32_t tail4;  // the trailing text's last bytes (up to four), compared first
        std::uint32_t tailMask;
    };
    struct Middle {
        std::string_view text;
        std::vector<RuleRef> rules;      // trailing texts under four bytes, checked one by one
        std::vector<RuleRef> longRules;  // four bytes or more, sorted by tail4 for a binary search
    };
    // A middle text in a bucket of the tables below.
    struct Candidate {
        const char* text;
        std::uint16_t size;
        std::uint16_t middle;
    };
    template <typename Key>
    struct Bucket {
        Key key = 0;
        std::uint16_t first = 0;
        std::uint16_t count = 0;  // 0: empty
    };
    static constexpr int kBucketBits = 9;
    template <typename Key>
    using Table = std::array<Bucket<Key>, 1 << kBucketBits>;
    template <typename Key>
    static void insert(Table<Key>& table, Key key, std::uint16_t first, std::uint16_t count);
    template <typename Key>
    static const Bucket<Key>* find(const Table<Key>& table, Key key);

    const rules::RuleSet* m_rules = nullptr;
    std::optional<OneNameMatcher> m_oneName;
    bool m_killerFirst = false;
    std::vector<Middle> m_middles;  // each distinct middle text once
    // Middle texts of eight bytes or more by their first eight bytes, shorter ones by their first
    // four: a position in a line is one or two probes, and a bucket rarely holds two texts.
    Table<std::uint64_t> m_table8{};
    Table<std::uint32_t> m_table4{};
    bool m_hasTable4 = false;
    std::vector<Candidate> m_candidates;
    std::vector<std::uint16_t> m_shortMiddles;   // under 4 bytes: searched directly
    std::array<bool, 256> m_canStart{};          // bytes that begin some middle text
    std::vector<unsigned char> m_startBytes;
    // Bit (b1 | b2 << 8) set when some middle text of the tables has b1 b2 as its second and
    // third bytes: most spaces on a line (inside names, chat) are turned away by this one test
    // before any hashing.
    std::array<std::uint64_t, 1024> m_secondPairs{};
    // When every rule has a trailing text: bit (last two bytes) set for the endings a kill line
    // can have, so any other line is passed over before its middle texts are looked for.
    bool m_everyRuleTrails = false;
    std::array<std::uint64_t, 1024> m_lastPairs{};
};

}  // namespace fragtide::engine
