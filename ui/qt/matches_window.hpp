#pragma once

#include <QWidget>

#include "ui/form_ops.hpp"

class QTableWidget;

// View, Matches: the open season's matches in a table, one row per match in season order, with a
// Close button. Non-modal and a window of its own, like Who Killed Whom. GUI thread only.
namespace fragtide::ui {

class MatchesWindow : public QWidget {
    Q_OBJECT
public:
    explicit MatchesWindow(QWidget* parent = nullptr);

    // Shows `table` (its title as the caption), replacing what was shown.
    void setTable(const MatchesTable& table);
    QTableWidget* table() const { return m_table; }

private:
    QTableWidget* m_table;
};

}  // namespace fragtide::ui
