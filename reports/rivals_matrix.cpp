#include "reports/rivals_matrix.hpp"

#include <algorithm>

#include "reports/report_texts.hpp"

namespace fragtide::reports {
namespace {

std::string cellText(std::string text) {
    std::replace_if(text.begin(), text.end(), [](char c) { return c == '\t' || c == '\r' || c == '\n'; }, ' ');
    return text;
}

}  // namespace

RivalsMatrix::RivalsMatrix(const engine::PeopleTable& people, engine::NameDisplay display) : m_display(display) {
    const auto& all = people.people();
    // People order is the order of first appearance for rows and columns alike.
    std::vector<int> columnOf(all.size(), -1);
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (all[i].killedBy.empty())
            continue;
        columnOf[i] = static_cast<int>(m_columnNames.size());
        m_columnNames.emplace_back(all[i].name);
    }
    m_columnTotals.assign(m_columnNames.size(), 0);
    for (const auto& person : all) {
        if (person.victims.empty())
            continue;
        Row row{std::string(person.name), {}, 0};
        for (const auto& victim : person.victims) {
            const int column = columnOf[victim.person];
            row.cells.push_back({column, victim.frags});
            row.total += victim.frags;
            m_columnTotals[column] += victim.frags;
            m_largest = std::max(m_largest, victim.frags);
        }
        std::sort(row.cells.begin(), row.cells.end(), [](const Cell& a, const Cell& b) { return a.column < b.column; });
        m_total += row.total;
        m_rows.push_back(std::move(row));
    }
}

PeopleCount RivalsMatrix::cell(int row, int column) const {
    const auto& cells = m_rows[row].cells;
    const auto it = std::lower_bound(cells.begin(), cells.end(), column,
                                     [](const Cell& c, int col) { return c.column < col; });
    return it != cells.end() && it->column == column ? it->frags : 0;
}

void RivalsMatrix::sortByHeadingClick(int column) {
    m_clickedDescending = m_clickedColumn == column ? !m_clickedDescending : true;
    m_clickedColumn = column;
    sortRows(column, m_clickedDescending);
}

void RivalsMatrix::sortRows(int column, bool descending) {
    if (column == kNameColumn) {
        std::vector<std::pair<std::string, Row>> keyed;
        for (Row& row : m_rows)
            keyed.emplace_back(engine::displayText(row.name, m_display), std::move(row));
        std::stable_sort(keyed.begin(), keyed.end(), [descending](const auto& a, const auto& b) {
            return descending ? b.first < a.first : a.first < b.first;
        });
        for (std::size_t i = 0; i < keyed.size(); ++i)
            m_rows[i] = std::move(keyed[i].second);
        return;
    }
    if (column != kTotalColumn && (column < 0 || column >= columnCount()))
        return;
    std::vector<std::pair<PeopleCount, Row>> keyed;
    for (std::size_t i = 0; i < m_rows.size(); ++i)
        keyed.emplace_back(column == kTotalColumn ? m_rows[i].total : cell(static_cast<int>(i), column),
                           std::move(m_rows[i]));
    std::stable_sort(keyed.begin(), keyed.end(), [descending](const auto& a, const auto& b) {
        return descending ? b.first < a.first : a.first < b.first;
    });
    for (std::size_t i = 0; i < keyed.size(); ++i)
        m_rows[i] = std::move(keyed[i].second);
}

std::string RivalsMatrix::copyText() const {
    const std::string total(texts::kMatrixTotal);
    std::string out;
    for (const std::string& name : m_columnNames)
        out += "\t" + cellText(engine::displayText(name, m_display));
    out += "\t" + total + "\n";
    for (int r = 0; r < rowCount(); ++r) {
        out += cellText(engine::displayText(m_rows[r].name, m_display));
        for (int c = 0; c < columnCount(); ++c)
            out += "\t" + std::to_string(cell(r, c));
        out += "\t" + std::to_string(m_rows[r].total) + "\n";
    }
    out += total;
    for (const PeopleCount t : m_columnTotals)
        out += "\t" + std::to_string(t);
    out += "\t" + std::to_string(m_total) + "\n";
    return out;
}

}  // namespace fragtide::reports
