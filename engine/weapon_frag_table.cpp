#include "engine/weapon_frag_table.hpp"

#include <algorithm>

namespace fragtide::engine {

WeaponFragTable::ConstRowRef::operator WeaponRow() const {
    WeaponRow row{};
    m_table->forEachCount(m_player, [&row](int slot, FragCount n) { row[static_cast<std::size_t>(slot)] = n; });
    return row;
}

void WeaponFragTable::resize(std::size_t rows) {
    m_dense.resize(std::min(rows, kDenseRows));
    m_sparse.resize(rows > kDenseRows ? rows - kDenseRows : 0);
    m_rows = rows;
}

void WeaponFragTable::reset() {
    // Rows added later are value-initialised: only row 0, which stays, needs its zeros.
    m_sparse = {};
    resize(1);
    m_dense[0] = WeaponRow{};
}

FragCount WeaponFragTable::count(std::size_t player, int slot) const {
    if (player < kDenseRows)
        return m_dense[player][static_cast<std::size_t>(slot)];
    for (const Cell& cell : m_sparse[player - kDenseRows]) {
        if (cell.slot == slot)
            return cell.count;
    }
    return 0;
}

FragCount& WeaponFragTable::at(std::size_t player, int slot) {
    if (player < kDenseRows)
        return m_dense[player][static_cast<std::size_t>(slot)];
    // Kept in slot order, so that rows compare and list alike however they were filled.
    std::vector<Cell>& cells = m_sparse[player - kDenseRows];
    auto it = std::lower_bound(cells.begin(), cells.end(), slot,
                               [](const Cell& cell, int s) { return int{cell.slot} < s; });
    if (it == cells.end() || it->slot != slot)
        it = cells.insert(it, Cell{0, static_cast<std::uint8_t>(slot)});
    return it->count;
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
