#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "rules/rule_tables.hpp"

// Credits every kill one log line holds, slots 1 to 25 in order, for one game.
//
// Credits exactly what calling the game's rule-set procedure for slot 1, 2, ... 25 would
// (rule_sets.hpp), but finds all middle texts of the game in one scan of the line instead of one
// scan per rule, so a line that is no kill costs a handful of table probes. Built from a RuleSet
// that must outlive it; nullptr (a game that names no rule set) credits nothing. Safe to share
// between threads once built; analyzeLine writes only the store it is given.
namespace fragtide::engine {

class StatsStore;

class LineAnalyzer {
public:
    explicit LineAnalyzer(const rules::RuleSet* rules);

    void analyzeLine(StatsStore& store, std::string_view line) const;

private:
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
    struct Bucket {
        std::uint32_t key = 0;
        std::uint16_t first = 0;
        std::uint16_t count = 0;  // 0: empty
    };
    static constexpr int kBucketBits = 9;

    void addToTable(std::uint32_t key, std::uint16_t middle);
    const Bucket* bucketFor(std::uint32_t key) const;

    const rules::RuleSet* m_rules = nullptr;
    bool m_killerFirst = false;
    std::vector<Middle> m_middles;  // each distinct middle text once
    std::array<Bucket, 1 << kBucketBits> m_buckets{};
    std::vector<std::uint16_t> m_bucketMiddles;  // middles by bucket, 4-byte prefix keyed
    std::vector<std::uint16_t> m_shortMiddles;   // under 4 bytes: searched directly
    std::array<bool, 256> m_canStart{};          // bytes that begin some middle text
    std::vector<unsigned char> m_startBytes;
};

}  // namespace fragtide::engine
