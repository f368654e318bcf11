#include "ui/qt/matches_window.hpp"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "ui/qt/qt_text.hpp"
#include "ui/ui_texts.hpp"

namespace fragtide::ui {

MatchesWindow::MatchesWindow(QWidget* parent) : QWidget(parent, Qt::Window), m_table(new QTableWidget(this)) {
    m_table->setObjectName(QStringLiteral("tblMatches"));
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    auto* close = new QPushButton(toQString(texts::kClose), this);
    close->setObjectName(QStringLiteral("cmdClose"));
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_table);
    layout->addLayout(buttons);
    resize(820, 480);
}

void MatchesWindow::setTable(const MatchesTable& table) {
    setWindowTitle(toQString(table.title));
    m_table->clear();
    m_table->setColumnCount(static_cast<int>(table.headings.size()));
    m_table->setRowCount(static_cast<int>(table.rows.size()));
    QStringList headings;
    for (const std::string& heading : table.headings)
        headings << toQString(heading);
    m_table->setHorizontalHeaderLabels(headings);
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        for (std::size_t c = 0; c < table.rows[r].size(); ++c) {
            auto* item = new QTableWidgetItem(toQString(table.rows[r][c]));
            if (c < table.numeric.size() && table.numeric[c])
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_table->setItem(static_cast<int>(r), static_cast<int>(c), item);
        }
    }
    m_table->resizeColumnsToContents();
}

}  // namespace fragtide::ui
