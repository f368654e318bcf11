#include "engine/name_index.hpp"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

namespace fragtide::engine {
namespace {

// The owner's side of the index: names numbered in the order they were added.
struct Names {
    std::vector<std::string> list;
    NameIndex index;

    std::uint32_t find(std::string_view name) const {
        return index.find(name, NameIndex::hashOf(name), [this](std::uint32_t n) { return std::string_view(list[n]); });
    }
    std::uint32_t add(std::string_view name) {
        const std::uint32_t have = find(name);
        if (have != NameIndex::kNone)
            return have;
        list.emplace_back(name);
        index.insert(NameIndex::hashOf(name), static_cast<std::uint32_t>(list.size() - 1));
        return static_cast<std::uint32_t>(list.size() - 1);
    }
};

// Enough names that some share all 32 bits of their hash, not only their first probe: each must
// still find its own number, and a name never added finds none.
TEST(NameIndex, FindsEachOfManyNamesAlsoWhenTheirHashesCollide) {
    Names names;
    std::unordered_map<std::uint32_t, std::vector<std::uint32_t>> byHash;
    std::vector<std::uint32_t> colliding;
    for (int i = 0; i < 200000; ++i) {
        const std::string name = "Player" + std::to_string(i);
        const std::uint32_t n = names.add(name);
        ASSERT_EQ(n, static_cast<std::uint32_t>(i));
        auto& same = byHash[NameIndex::hashOf(name)];
        same.push_back(n);
        if (same.size() == 2)
            colliding.insert(colliding.end(), same.begin(), same.end());
    }
    ASSERT_FALSE(colliding.empty()) << "the test needs two names with one hash";
    for (const std::uint32_t n : colliding)
        EXPECT_EQ(names.find(names.list[n]), n) << names.list[n];
    for (std::uint32_t n = 0; n < names.list.size(); n += 997)
        EXPECT_EQ(names.find(names.list[n]), n);
    EXPECT_EQ(names.find("Player200000"), NameIndex::kNone);
    EXPECT_EQ(names.find("Player"), NameIndex::kNone);

    // Cleared after growing large, it starts again from nothing.
    names.index.clear();
    names.list.clear();
    EXPECT_EQ(names.find("Player7"), NameIndex::kNone);
    EXPECT_EQ(names.add("Player7"), 0u);
    EXPECT_EQ(names.add("Player8"), 1u);
    EXPECT_EQ(names.find("Player7"), 0u);
}

// Every length from 0 to 40 bytes, and for each a twin that differs in one byte at every position
// (the last bytes included, where the word compares overlap), a twin one byte longer and raw
// bytes the log may hold: all are different names.
TEST(NameIndex, TellsApartNamesThatDifferInOneByteAnywhere) {
    Names names;
    std::vector<std::string> all;
    for (std::size_t len = 0; len <= 40; ++len) {
        std::string base;
        for (std::size_t i = 0; i < len; ++i)
            base += static_cast<char>('a' + i % 26);
        all.push_back(base);
        all.push_back(base + '\0');
        all.push_back(base + ' ');
        for (std::size_t at = 0; at < len; ++at) {
            for (const char other : {'\0', '\xff', 'Z'}) {
                std::string twin = base;
                twin[at] = other;
                all.push_back(twin);
            }
        }
    }
    std::vector<std::uint32_t> numbers;
    for (const std::string& name : all)
        numbers.push_back(names.add(name));
    // Each distinct string got a number of its own, whatever order it came in.
    std::unordered_map<std::string, std::uint32_t> plain;
    for (std::size_t i = 0; i < all.size(); ++i) {
        const auto [it, isNew] = plain.emplace(all[i], numbers[i]);
        EXPECT_EQ(it->second, numbers[i]) << "one string, two numbers: " << all[i];
        if (isNew) {
            EXPECT_EQ(numbers[i], plain.size() - 1) << "a new string took an old number: " << all[i];
        }
    }
    EXPECT_EQ(names.list.size(), plain.size());
}

TEST(NameIndex, ComparesBytesAsMemcmpDoes) {
    char a[48], b[48];
    for (std::size_t n = 0; n <= 40; ++n) {
        for (std::size_t at = 0; at <= n; ++at) {  // at == n: equal
            for (std::size_t i = 0; i < sizeof a; ++i)
                a[i] = b[i] = static_cast<char>('A' + i);
            if (at < n)
                b[at] = '\x80';
            SCOPED_TRACE("length " + std::to_string(n) + ", differs at " + std::to_string(at));
            EXPECT_EQ(NameIndex::sameBytes(a, b, n), std::memcmp(a, b, n) == 0);
        }
    }
}

}  // namespace
}  // namespace fragtide::engine
