#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <vector>

#include "engine/byte_pool.hpp"

// Kills per (player index, weapon slot): rows of kSlotEntries counts, read as table[player][slot].
//
// The first kDenseRows players (every player of an ordinary log) have a full row each, one add away
// on the per-kill path. A player after them, in a log naming very many, keeps only the slots he
// scored with, in a short list: memory follows the kills, not players times slots. Rows read
// alike either way, a slot he never scored with reads 0. Not thread-safe.
namespace fragtide::engine {

inline constexpr int kSlotEntries = 51;  // weapon slots 0..50
inline constexpr int kMaxSlot = 50;

using FragCount = std::int64_t;
// One player's kills per weapon slot.
using WeaponRow = std::array<FragCount, kSlotEntries>;

class WeaponFragTable {
public:
    static constexpr std::size_t kDenseRows = 1024;

    class ConstRowRef;
    // One count, writable: read and written as a FragCount. Valid while the player's row exists.
    class CountRef {
    public:
        operator FragCount() const { return m_table->count(m_player, m_slot); }
        CountRef& operator=(FragCount n) {
            m_table->set(m_player, m_slot, n);
            return *this;
        }
        CountRef& operator+=(FragCount n) { return *this = FragCount(*this) + n; }
        CountRef& operator-=(FragCount n) { return *this = FragCount(*this) - n; }
        CountRef& operator++() { return *this += 1; }

    private:
        friend class WeaponFragTable;
        CountRef(WeaponFragTable* table, std::size_t player, int slot)
            : m_table(table), m_player(player), m_slot(slot) {}
        WeaponFragTable* m_table;
        std::size_t m_player;
        int m_slot;
    };
    // One player's row, writable; reading a count through it never creates one.
    class RowRef {
    public:
        CountRef operator[](int slot) { return CountRef(m_table, m_player, slot); }
        FragCount operator[](int slot) const { return m_table->count(m_player, slot); }
        operator ConstRowRef() const { return {m_table, m_player}; }
        auto begin() const { return ConstRowRef(*this).begin(); }
        auto end() const { return ConstRowRef(*this).end(); }

    private:
        friend class WeaponFragTable;
        RowRef(WeaponFragTable* table, std::size_t player) : m_table(table), m_player(player) {}
        WeaponFragTable* m_table;
        std::size_t m_player;
    };
    class ConstRowRef {
    public:
        // The counts of slots 0..kMaxSlot in order, by value.
        class Iterator {
        public:
            using iterator_category = std::forward_iterator_tag;
            using value_type = FragCount;
            using difference_type = std::ptrdiff_t;
            using pointer = const FragCount*;
            using reference = FragCount;
            Iterator() = default;
            FragCount operator*() const { return m_table->count(m_player, m_slot); }
            Iterator& operator++() {
                ++m_slot;
                return *this;
            }
            Iterator operator++(int) {
                Iterator was = *this;
                ++m_slot;
                return was;
            }
            bool operator==(const Iterator& other) const { return m_slot == other.m_slot; }

        private:
            friend class ConstRowRef;
            Iterator(const WeaponFragTable* table, std::size_t player, int slot)
                : m_table(table), m_player(player), m_slot(slot) {}
            const WeaponFragTable* m_table = nullptr;
            std::size_t m_player = 0;
            int m_slot = 0;
        };
        ConstRowRef(const WeaponFragTable* table, std::size_t player) : m_table(table), m_player(player) {}
        FragCount operator[](int slot) const { return m_table->count(m_player, slot); }
        Iterator begin() const { return {m_table, m_player, 0}; }
        Iterator end() const { return {m_table, m_player, kSlotEntries}; }
        operator WeaponRow() const;

    private:
        const WeaponFragTable* m_table;
        std::size_t m_player;
    };

    WeaponFragTable() = default;
    explicit WeaponFragTable(std::size_t rows) { resize(rows); }
    // A copy has counts of its own.
    WeaponFragTable(const WeaponFragTable& other);
    WeaponFragTable& operator=(const WeaponFragTable& other);
    WeaponFragTable(WeaponFragTable&&) noexcept = default;
    WeaponFragTable& operator=(WeaponFragTable&&) noexcept = default;

    std::size_t size() const { return m_rows; }
    // New rows hold zeros; rows past `rows` are dropped.
    void resize(std::size_t rows);
    // One row of zeros, as a fresh table; a large past gives its memory back.
    void reset();

    RowRef operator[](std::size_t player) { return {this, player}; }
    ConstRowRef operator[](std::size_t player) const { return {this, player}; }

    // `frags` more kills of `player` with `slot`: the per-kill path.
    void add(std::size_t player, int slot, FragCount frags = 1) {
        if (player < kDenseRows) [[likely]]
            m_dense[player][static_cast<std::size_t>(slot)] += frags;
        else
            addLate(player, slot, frags);
    }
    // The count of (player, slot), 0 for a slot he never scored with.
    FragCount count(std::size_t player, int slot) const {
        if (player < kDenseRows)
            return m_dense[player][static_cast<std::size_t>(slot)];
        const SparseRow& row = m_sparse[player - kDenseRows];
        const std::uint64_t bit = std::uint64_t{1} << slot;
        if (!(row.bits & bit))
            return 0;
        const unsigned width = widthLogOf(row);
        return load(row.counts + (std::size_t{placeOf(row, bit)} << width), width);
    }
    void set(std::size_t player, int slot, FragCount n);
    // Calls visit(slot, count) for each slot of `player` with a count other than 0, in slot order.
    template <typename Visit>
    void forEachCount(std::size_t player, const Visit& visit) const {
        if (player < kDenseRows) {
            const WeaponRow& row = m_dense[player];
            for (int s = 0; s < kSlotEntries; ++s) {
                if (row[static_cast<std::size_t>(s)] != 0)
                    visit(s, row[static_cast<std::size_t>(s)]);
            }
            return;
        }
        const SparseRow& row = m_sparse[player - kDenseRows];
        const unsigned width = widthLogOf(row);
        const unsigned char* at = row.counts;
        for (std::uint64_t slots = row.bits & kSlotBits; slots != 0; slots &= slots - 1) {
            if (const FragCount n = load(at, width); n != 0)
                visit(std::countr_zero(slots), n);
            at += std::size_t{1} << width;
        }
    }

    bool operator==(const WeaponFragTable& other) const;
    bool operator==(const std::vector<WeaponRow>& rows) const;

private:
    // A row after the dense ones, 16 bytes: a bit per slot present, and their counts in slot order
    // in an array of m_counts, each 1, 2, 4 or 8 bytes wide, the row's widest count deciding. A
    // count's place is the number of slots present below it, so a slot is found with no search, and
    // the typical late player (a few kills with each of a dozen weapons) costs a dozen bytes.
    struct SparseRow {
        // Bits 0..50: the slots present; 51..52: log2 of the counts' width; 53..57: the array's
        // BytePool class.
        std::uint64_t bits = 0;
        unsigned char* counts = nullptr;  // null while no slot is present
    };
    static constexpr std::uint64_t kSlotBits = (std::uint64_t{1} << kSlotEntries) - 1;
    static constexpr int kWidthShift = kSlotEntries;
    static constexpr int kClassShift = kSlotEntries + 2;
    static unsigned widthLogOf(const SparseRow& row) { return static_cast<unsigned>(row.bits >> kWidthShift) & 3u; }
    static unsigned classOf(const SparseRow& row) { return static_cast<unsigned>(row.bits >> kClassShift) & 31u; }
    static unsigned placeOf(const SparseRow& row, std::uint64_t bit) { return countBits(row.bits & (bit - 1)); }
    static unsigned sizeOf(const SparseRow& row) { return countBits(row.bits & kSlotBits); }
    // std::popcount, inline: where the build may not assume the processor's instruction it is a
    // library call, which cost a late row's add more than the rest of it.
    static unsigned countBits(std::uint64_t bits) {
#if defined(__POPCNT__)
        return static_cast<unsigned>(std::popcount(bits));
#else
        bits -= (bits >> 1) & 0x5555555555555555u;
        bits = (bits & 0x3333333333333333u) + ((bits >> 2) & 0x3333333333333333u);
        bits = (bits + (bits >> 4)) & 0x0F0F0F0F0F0F0F0Fu;
        return static_cast<unsigned>((bits * 0x0101010101010101u) >> 56);
#endif
    }
    // log2 of the narrowest width that holds `n`: counts are kept unsigned, a negative one (only a
    // caller's own writes make one) takes all 8 bytes.
    static unsigned widthLogFor(FragCount n) {
        if (n < 0)
            return 3;
        const auto u = static_cast<std::uint64_t>(n);
        return u <= 0xFFu ? 0 : u <= 0xFFFFu ? 1 : u <= 0xFFFFFFFFu ? 2 : 3;
    }
    static FragCount load(const unsigned char* at, unsigned widthLog) {
        switch (widthLog) {
        case 0:
            return at[0];
        case 1:
            return loadAs<std::uint16_t>(at);
        case 2:
            return loadAs<std::uint32_t>(at);
        default:
            return loadAs<FragCount>(at);
        }
    }
    template <typename T>
    static FragCount loadAs(const unsigned char* at) {
        T n;
        std::memcpy(&n, at, sizeof n);
        return static_cast<FragCount>(n);
    }
    static void store(unsigned char* at, unsigned widthLog, FragCount n) {
        switch (widthLog) {
        case 0:
            at[0] = static_cast<unsigned char>(n);
            return;
        case 1:
            return storeAs<std::uint16_t>(at, n);
        case 2:
            return storeAs<std::uint32_t>(at, n);
        default:
            return storeAs<FragCount>(at, n);
        }
    }
    template <typename T>
    static void storeAs(unsigned char* at, FragCount n) {
        const auto narrow = static_cast<T>(n);
        std::memcpy(at, &narrow, sizeof narrow);
    }
    // add for a player after the dense rows: kept out of line, so that the per-kill loop of an
    // ordinary log, whose players all have dense rows, stays as small as it was.
    void addLate(std::size_t player, int slot, FragCount frags);
    // Sets the count of `slot` (present or not) to `n`, the row re-encoded or its array grown as
    // needed.
    void put(SparseRow& row, int slot, FragCount n);

    std::size_t m_rows = 0;
    std::vector<WeaponRow> m_dense;   // min(m_rows, kDenseRows) rows
    std::vector<SparseRow> m_sparse;  // the rows after them
    BytePool m_counts;
};

}  // namespace fragtide::engine
