#pragma once

#include <QDialog>

#include "reports/rivals_matrix.hpp"
#include "ui/who_killed_whom_view.hpp"

class QLabel;
class QTableWidget;

// Who killed whom: a non-modal window over the rivals matrix. Rows are killers, columns victims,
// then the row totals; the last row holds the column totals; the corner says which is which. A
// click on a column's heading sorts the killers by it (largest first, again for smallest first)
// and the heading shows the arrow; Copy puts the matrix, in the order shown, on the clipboard as
// tab-separated text. Columns are as wide as their names up to a limit, with the full name as
// tooltip, and the headings stay in view while the cells scroll, so that hundreds of people
// stay readable.
namespace fragtide::ui {

class WhoKilledWhom : public QDialog {
    Q_OBJECT
public:
    explicit WhoKilledWhom(QWidget* parent = nullptr);

    // Shows `matrix` in place of what was shown, its names shown with `display` (the one the
    // matrix was built with).
    void setMatrix(reports::RivalsMatrix matrix, engine::NameDisplay display);
    const reports::RivalsMatrix& matrix() const { return m_view.matrix(); }

public Q_SLOTS:
    // Sorts the rows by table column `column` (the last is the total).
    void sortByColumn(int column);
    void copyToClipboard();

private:
    void fill();
    void showSortIndicator();

    WhoKilledWhomView m_view;
    engine::NameDisplay m_display = engine::NameDisplay::Automatic;
    QTableWidget* m_table;
    QLabel* m_corner = nullptr;
};

}  // namespace fragtide::ui
