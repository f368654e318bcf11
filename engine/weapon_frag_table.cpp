#include "engine/weapon_frag_table.hpp"

#include <algorithm>

namespace fragtide::engine {

WeaponFragTable::ConstRowRef::operator WeaponRow() const {
    WeaponRow row{};
    m_table->forEachCount(m_player, [&row](int slot, FragCount n) { row[static_cast<std::size_t>(slot)] = n; });
    return row;
}

WeaponFragTable::WeaponFragTable(const WeaponFragTable& other)
    : m_rows(other.m_rows), m_dense(other.m_dense), m_sparse(other.m_sparse) {
    for (SparseRow& row : m_sparse) {
        if (row.capacity == 0)
            continue;
        Cell* const cells = m_cells.allocate(row.capacity);
        std::copy(row.cells, row.cells + row.size, cells);
        row.cells = cells;
    }
}

WeaponFragTable& WeaponFragTable::operator=(const WeaponFragTable& other) {
    if (this != &other)
        *this = WeaponFragTable(other);
    return *this;
}

void WeaponFragTable::resize(std::size_t rows) {
    for (std::size_t r = rows > kDenseRows ? rows - kDenseRows : 0; r < m_sparse.size(); ++r) {
        if (m_sparse[r].capacity > 0)
            m_cells.release(m_sparse[r].cells, m_sparse[r].capacity);
    }
    m_dense.resize(std::min(rows, kDenseRows));
    m_sparse.resize(rows > kDenseRows ? rows - kDenseRows : 0);
    m_rows = rows;
}

void WeaponFragTable::reset() {
    // Rows added later are value-initialised: only row 0, which stays, needs its zeros.
    m_sparse = {};
    m_cells.clear();
    resize(1);
    m_dense[0] = WeaponRow{};
}

FragCount WeaponFragTable::count(std::size_t player, int slot) const {
    if (player < kDenseRows)
        return m_dense[player][static_cast<std::size_t>(slot)];
    const SparseRow& row = m_sparse[player - kDenseRows];
    for (const Cell* cell = row.cells; cell != row.cells + row.size; ++cell) {
        if (cell->slot == slot)
            return load(cell->count);
    }
    return 0;
}

unsigned char* WeaponFragTable::at(std::size_t player, int slot) {
    if (player < kDenseRows)
        return reinterpret_cast<unsigned char*>(&m_dense[player][static_cast<std::size_t>(slot)]);
    // Kept in slot order, so that rows compare and list alike however they were filled.
    SparseRow& row = m_sparse[player - kDenseRows];
    Cell* const end = row.cells + row.size;
    Cell* it = std::lower_bound(row.cells, end, slot, [](const Cell& cell, int s) { return int{cell.slot} < s; });
    if (it != end && it->slot == slot)
        return it->count;
    const std::size_t at = static_cast<std::size_t>(it - row.cells);
    if (row.size == row.capacity) {
        const std::uint32_t capacity = row.capacity == 0 ? 1 : row.capacity * 2;
        Cell* const cells = m_cells.allocate(capacity);
        if (row.capacity > 0) {
            std::copy(row.cells, end, cells);
            m_cells.release(row.cells, row.capacity);
        }
        row.cells = cells;
        row.capacity = capacity;
    }
    std::copy_backward(row.cells + at, row.cells + row.size, row.cells + row.size + 1);
    store(row.cells[at].count, 0);
    row.cells[at].slot = static_cast<std::uint8_t>(slot);
    ++row.size;
    return row.cells[at].count;
}

bool WeaponFragTable::operator==(const WeaponFragTable& other) const {
    if (m_rows != other.m_rows)
        return false;
    for (std::size_t p = 0; p < m_rows; ++p) {
        if (WeaponRow((*this)[p]) != WeaponRow(other[p]))
            return false;
    }
    return true;
}

bool WeaponFragTable::operator==(const std::vector<WeaponRow>& rows) const {
    if (m_rows != rows.size())
        return false;
    for (std::size_t p = 0; p < m_rows; ++p) {
        if (WeaponRow((*this)[p]) != rows[p])
            return false;
    }
    return true;
}

}  // namespace fragtide::engine
