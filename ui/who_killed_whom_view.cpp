#include "ui/who_killed_whom_view.hpp"

#include <utility>

namespace fragtide::ui {

void WhoKilledWhomView::setMatrix(reports::RivalsMatrix matrix) {
    m_matrix = std::move(matrix);
    m_indicator.reset();
}

void WhoKilledWhomView::headingClicked(int column) {
    const int columns = m_matrix.columnCount();
    if (column < kNamesColumn || column > columns)
        return;
    const int matrixColumn = column == kNamesColumn ? reports::RivalsMatrix::kNameColumn
                             : column == columns    ? reports::RivalsMatrix::kTotalColumn
                                                    : column;
    m_matrix.sortByHeadingClick(matrixColumn);
    // The matrix keeps the same rule: the same heading again reverses, another starts descending.
    const bool again = m_indicator && m_indicator->column == column;
    m_indicator = SortIndicator{column, again ? !m_indicator->descending : true};
}

}  // namespace fragtide::ui
