#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/display_text.hpp"
#include "engine/people_table.hpp"

// Who killed whom, as a table for a front end to show: rows are killers, columns are victims,
// both in the order of first appearance, each cell the frags of its row's killer on its column's
// victim, with a total per row and per column. Only people with at least one frag on a named
// victim are rows, only people fragged at least once are columns.
//
// Built from a people table and independent of it afterwards (it copies the names). Cells are
// kept sparse, so memory grows with the pairs that met, not with rows times columns. Not
// thread-safe.
namespace fragtide::reports {

using engine::PeopleCount;

class RivalsMatrix {
public:
    // Pseudo-columns for sortRows.
    static constexpr int kNameColumn = -1;   // the killer's name as shown
    static constexpr int kTotalColumn = -2;  // the row total

    RivalsMatrix() = default;
    // Names are shown (sorted, copied) with `display`, as the store's NameDisplayChoice says.
    explicit RivalsMatrix(const engine::PeopleTable& people,
                          engine::NameDisplay display = engine::NameDisplay::Automatic);

    int rowCount() const { return static_cast<int>(m_rows.size()); }
    int columnCount() const { return static_cast<int>(m_columnNames.size()); }
    // Raw name bytes; decode with engine::displayText to show them.
    const std::string& rowName(int row) const { return m_rows[row].name; }
    const std::string& columnName(int column) const { return m_columnNames[column]; }

    PeopleCount cell(int row, int column) const;
    PeopleCount rowTotal(int row) const { return m_rows[row].total; }
    PeopleCount columnTotal(int column) const { return m_columnTotals[column]; }
    PeopleCount total() const { return m_total; }
    // The largest cell, for shading cells by count (0 for an empty matrix).
    PeopleCount largestCell() const { return m_largest; }

    // Orders the rows by a victim column, by kTotalColumn or by kNameColumn, largest (or, for
    // names, last in UTF-8 byte order of the shown text) first when `descending`. Stable: rows that
    // tie keep their order, and the first sort starts from the order of first appearance.
    // Columns never move. Any other column leaves the order alone.
    void sortRows(int column, bool descending);

    // A click on a column's heading: the rows sorted by that column, largest first, or the other
    // way round when it is the column the last click sorted by. A fresh matrix has had no click.
    void sortByHeadingClick(int column);

    // The matrix as tab-separated text for the clipboard: a heading line (an empty corner, the
    // victims, "Total"), one line per row in the current order, and the total line; every line
    // ends in "\n". Names are shown with the matrix's display; a tab or line break inside one
    // becomes a space so that it cannot shift the cells.
    std::string copyText() const;

private:
    struct Cell {
        int column;
        PeopleCount frags;
    };
    struct Row {
        std::string name;
        std::vector<Cell> cells;  // sorted by column
        PeopleCount total = 0;
    };
    std::vector<Row> m_rows;
    std::optional<int> m_clickedColumn;  // the column of the last heading click
    bool m_clickedDescending = true;
    std::vector<std::string> m_columnNames;
    std::vector<PeopleCount> m_columnTotals;
    PeopleCount m_total = 0;
    PeopleCount m_largest = 0;
    engine::NameDisplay m_display = engine::NameDisplay::Automatic;
};

}  // namespace fragtide::reports
