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
        if (!row.counts)
            continue;
        unsigned char* const counts = m_counts.allocate(classOf(row));
        std::memcpy(counts, row.counts, std::size_t{sizeOf(row)} << widthLogOf(row));
        row.counts = counts;
    }
}

WeaponFragTable& WeaponFragTable::operator=(const WeaponFragTable& other) {
    if (this != &other)
        *this = WeaponFragTable(other);
    return *this;
}

void WeaponFragTable::resize(std::size_t rows) {
    for (std::size_t r = rows > kDenseRows ? rows - kDenseRows : 0; r < m_sparse.size(); ++r) {
        if (m_sparse[r].counts)
            m_counts.release(m_sparse[r].counts, classOf(m_sparse[r]));
    }
    m_dense.resize(std::min(rows, kDenseRows));
    m_sparse.resize(rows > kDenseRows ? rows - kDenseRows : 0);
    m_rows = rows;
}

void WeaponFragTable::reset() {
    // Rows added later are value-initialised: only row 0, which stays, needs its zeros.
    m_sparse = {};
    m_counts.clear();
    resize(1);
    m_dense[0] = WeaponRow{};
}

void WeaponFragTable::set(std::size_t player, int slot, FragCount n) {
    if (player < kDenseRows) {
        m_dense[player][static_cast<std::size_t>(slot)] = n;
        return;
    }
    SparseRow& row = m_sparse[player - kDenseRows];
    if (n == 0 && !(row.bits & (std::uint64_t{1} << slot)))
        return;  // reads 0 already
    put(row, slot, n);
}

void WeaponFragTable::addLate(std::size_t player, int slot, FragCount frags) {
    SparseRow& row = m_sparse[player - kDenseRows];
    const std::uint64_t bit = std::uint64_t{1} << slot;
    if (!(row.bits & bit))
        return put(row, slot, frags);
    const unsigned width = widthLogOf(row);
    unsigned char* const at = row.counts + (std::size_t{placeOf(row, bit)} << width);
    const FragCount n = load(at, width) + frags;
    if (widthLogFor(n) <= width) [[likely]]
        return store(at, width, n);
    put(row, slot, n);
}

void WeaponFragTable::put(SparseRow& row, int slot, FragCount n) {
    const std::uint64_t bit = std::uint64_t{1} << slot;
    if (!row.counts) {
        // The row's first count, the commonest case: a passing player scores with few weapons.
        const unsigned width = widthLogFor(n);
        const unsigned cls = BytePool::classFor(std::size_t{1} << width);
        row.counts = m_counts.allocate(cls);
        store(row.counts, width, n);
        row.bits = bit | (std::uint64_t{width} << kWidthShift) | (std::uint64_t{cls} << kClassShift);
        return;
    }
    const bool present = (row.bits & bit) != 0;
    const unsigned width = widthLogOf(row);
    const std::size_t place = placeOf(row, bit);
    const std::size_t size = sizeOf(row);
    const unsigned newWidth = std::max(width, widthLogFor(n));
    if (present && newWidth == width)
        return store(row.counts + (place << width), width, n);
    const std::size_t newBytes = (size + (present ? 0 : 1)) << newWidth;
    if (newWidth == width && newBytes <= BytePool::bytesOf(classOf(row))) {
        unsigned char* const at = row.counts + (place << width);
        if (place < size)
            std::memmove(at + (std::size_t{1} << width), at, (size - place) << width);
        store(at, width, n);
        row.bits |= bit;
        return;
    }
    const unsigned cls = BytePool::classFor(newBytes);
    unsigned char* const counts = m_counts.allocate(cls);
    if (newWidth == width) {
        std::memcpy(counts, row.counts, place << width);
        std::memcpy(counts + ((place + 1) << width), row.counts + (place << width), (size - place) << width);
        store(counts + (place << width), width, n);
    } else {
        // A count outgrew the row's width (rare): every count is re-encoded one width wider or more.
        const unsigned char* from = row.counts;
        unsigned char* to = counts;
        for (std::uint64_t slots = (row.bits | bit) & kSlotBits; slots != 0; slots &= slots - 1) {
            const bool it = std::countr_zero(slots) == slot;
            store(to, newWidth, it ? n : load(from, width));
            if (!it || present)
                from += std::size_t{1} << width;
            to += std::size_t{1} << newWidth;
        }
    }
    m_counts.release(row.counts, classOf(row));
    row.counts = counts;
    row.bits = ((row.bits | bit) & kSlotBits) | (std::uint64_t{newWidth} << kWidthShift) |
               (std::uint64_t{cls} << kClassShift);
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
