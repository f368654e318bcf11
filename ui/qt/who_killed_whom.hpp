#pragma once

#include <QDialog>

#include "reports/rivals_matrix.hpp"

class QTableWidget;

// Who killed whom: a non-modal window over the rivals matrix. Rows are killers, columns victims,
// then the row totals; the last row holds the column totals. A click on a column's heading sorts
// the killers by it (largest first, again for smallest first); Copy puts the matrix, in the order
// shown, on the clipboard as tab-separated text.
namespace fragtide::ui {

class WhoKilledWhom : public QDialog {
    Q_OBJECT
public:
    explicit WhoKilledWhom(QWidget* parent = nullptr);

    // Shows `matrix` in place of what was shown, its names shown with `display` (the one the
    // matrix was built with).
    void setMatrix(reports::RivalsMatrix matrix, engine::NameDisplay display);
    const reports::RivalsMatrix& matrix() const { return m_matrix; }

public Q_SLOTS:
    // Sorts the rows by table column `column` (the last is the total).
    void sortByColumn(int column);
    void copyToClipboard();

private:
    void fill();

    reports::RivalsMatrix m_matrix;
    engine::NameDisplay m_display = engine::NameDisplay::Automatic;
    QTableWidget* m_table;
};

}  // namespace fragtide::ui
