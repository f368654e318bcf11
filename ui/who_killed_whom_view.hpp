#pragma once

#include <optional>
#include <string_view>

#include "reports/rivals_matrix.hpp"

// What the who-killed-whom window shows, for every front end: the matrix in the order the user's
// heading clicks gave it, which heading carries the sort arrow, and the sizes that keep a table of
// a few hundred people usable. The front end draws it; it decides nothing itself.
//
// Window columns are numbered as a front end lays them out after the killers' names: 0..n-1 the
// victims, n the row total; kNamesColumn is the killers' names (the row headings). Not
// thread-safe.
namespace fragtide::ui {

class WhoKilledWhomView {
public:
    static constexpr int kNamesColumn = -1;

    // The heading that sorted the rows and its direction (largest, or last name, first when
    // descending).
    struct SortIndicator {
        int column;
        bool descending;
    };

    // A new matrix, in its order of first appearance: no heading carries the arrow.
    void setMatrix(reports::RivalsMatrix matrix);
    const reports::RivalsMatrix& matrix() const { return m_matrix; }

    // A click on a heading: the rows sorted by that column, largest first, or the other way round
    // when it is the column the last click sorted by. A column that does not exist changes nothing.
    void headingClicked(int column);
    const std::optional<SortIndicator>& sortIndicator() const { return m_indicator; }

private:
    reports::RivalsMatrix m_matrix;
    std::optional<SortIndicator> m_indicator;
};

// Sizes, in average character widths of the window's font: a victim's column is as wide as the
// name, up to kWhoKilledWhomColumnChars (the full name is then its tooltip); the killers' names
// take at most kWhoKilledWhomRowHeadingChars, so the counts stay in view.
inline constexpr int kWhoKilledWhomColumnChars = 12;
inline constexpr int kWhoKilledWhomRowHeadingChars = 20;

}  // namespace fragtide::ui
