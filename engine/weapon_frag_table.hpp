#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <vector>

#include "engine/people_storage.hpp"

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
    // One count, writable: read and written as a FragCount. Valid until the table changes.
    class CountRef {
    public:
        operator FragCount() const { return load(m_bytes); }
        CountRef& operator=(FragCount n) {
            store(m_bytes, n);
            return *this;
        }
        CountRef& operator+=(FragCount n) { return *this = load(m_bytes) + n; }
        CountRef& operator-=(FragCount n) { return *this = load(m_bytes) - n; }
        CountRef& operator++() { return *this += 1; }

    private:
        friend class WeaponFragTable;
        explicit CountRef(unsigned char* bytes) : m_bytes(bytes) {}
        unsigned char* m_bytes;
    };
    // One player's row, writable: a count read through it is created (as 0) when missing, and the
    // reference stays valid until the table changes.
    class RowRef {
    public:
        CountRef operator[](int slot) { return CountRef(m_table->at(m_player, slot)); }
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
    // A copy has cells of its own.
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
        if (player < kDenseRows) [[likely]] {
            m_dense[player][static_cast<std::size_t>(slot)] += frags;
        } else {
            unsigned char* const count = at(player, slot);
            store(count, load(count) + frags);
        }
    }
    FragCount count(std::size_t player, int slot) const;
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
        for (const Cell* cell = row.cells; cell != row.cells + row.size; ++cell)
            if (const FragCount n = load(cell->count); n != 0)
                visit(int{cell->slot}, n);
    }

    bool operator==(const WeaponFragTable& other) const;
    bool operator==(const std::vector<WeaponRow>& rows) const;

private:
    // 9 bytes, unaligned: most of a log of very many names' memory is these cells.
    struct Cell {
        unsigned char count[sizeof(FragCount)];
        std::uint8_t slot;
    };
    static FragCount load(const unsigned char* bytes) {
        FragCount n;
        std::memcpy(&n, bytes, sizeof n);
        return n;
    }
    static void store(unsigned char* bytes, FragCount n) { std::memcpy(bytes, &n, sizeof n); }
    // A row after the dense ones: its cells in slot order, in an array of m_cells. A log of a
    // million players pays no heap block (and no malloc and free at each batch) per player.
    struct SparseRow {
        Cell* cells = nullptr;
        std::uint32_t size = 0;
        std::uint32_t capacity = 0;  // 0 or a power of two
    };
    // The bytes of the count of (player, slot), created as 0 when missing.
    unsigned char* at(std::size_t player, int slot);

    std::size_t m_rows = 0;
    std::vector<WeaponRow> m_dense;   // min(m_rows, kDenseRows) rows
    std::vector<SparseRow> m_sparse;  // the rows after them
    PooledArrays<Cell> m_cells;
};

}  // namespace fragtide::engine
