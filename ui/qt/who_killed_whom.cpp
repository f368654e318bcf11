#include "ui/qt/who_killed_whom.hpp"

#include <QClipboard>
#include <QColor>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPalette>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "engine/display_text.hpp"
#include "reports/report_texts.hpp"
#include "ui/qt/qt_text.hpp"
#include "ui/ui_texts.hpp"

namespace fragtide::ui {

WhoKilledWhom::WhoKilledWhom(QWidget* parent) : QDialog(parent), m_table(new QTableWidget(this)) {
    setWindowTitle(toQString(texts::kWhoKilledWhomTitle));
    setModal(false);
    m_table->setObjectName(QStringLiteral("tblMatrix"));
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto* copy = new QPushButton(toQString(texts::kCopy), this);
    copy->setObjectName(QStringLiteral("cmdCopy"));
    copy->setAutoDefault(false);
    auto* close = new QPushButton(toQString(texts::kClose), this);
    close->setObjectName(QStringLiteral("cmdClose"));
    close->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(copy);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_table, 1);
    layout->addLayout(buttons);
    connect(m_table->horizontalHeader(), &QHeaderView::sectionClicked, this, &WhoKilledWhom::sortByColumn);
    connect(copy, &QPushButton::clicked, this, &WhoKilledWhom::copyToClipboard);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    resize(560, 360);
}

void WhoKilledWhom::setMatrix(reports::RivalsMatrix matrix, engine::NameDisplay display) {
    m_matrix = std::move(matrix);
    m_display = display;
    fill();
}

void WhoKilledWhom::sortByColumn(int column) {
    const int columns = m_matrix.columnCount();
    if (column < 0 || column > columns)
        return;
    const int matrixColumn = column == columns ? reports::RivalsMatrix::kTotalColumn : column;
    m_matrix.sortByHeadingClick(matrixColumn);
    fill();
}

void WhoKilledWhom::copyToClipboard() {
    QGuiApplication::clipboard()->setText(toQString(m_matrix.copyText()));
}

void WhoKilledWhom::fill() {
    const int rows = m_matrix.rowCount();
    const int columns = m_matrix.columnCount();
    const QString total = toQString(reports::texts::kMatrixTotal);
    m_table->clear();
    m_table->setRowCount(rows + 1);
    m_table->setColumnCount(columns + 1);
    QStringList victims;
    for (int c = 0; c < columns; ++c)
        victims << toQString(engine::displayText(m_matrix.columnName(c), m_display));
    victims << total;
    m_table->setHorizontalHeaderLabels(victims);
    QStringList killers;
    for (int r = 0; r < rows; ++r)
        killers << toQString(engine::displayText(m_matrix.rowName(r), m_display));
    killers << total;
    m_table->setVerticalHeaderLabels(killers);
    const auto put = [this](int r, int c, long long value) {
        auto* item = new QTableWidgetItem(value ? QString::number(value) : QString());
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_table->setItem(r, c, item);
        return item;
    };
    // Cells are shaded by count, the largest darkest, so the big rivalries stand out at a glance;
    // the highlight colour at a partial opacity stays readable in light and dark palettes.
    const QColor shade = m_table->palette().color(QPalette::Highlight);
    const double largest = static_cast<double>(m_matrix.largestCell());
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            const long long value = m_matrix.cell(r, c);
            QTableWidgetItem* item = put(r, c, value);
            if (value > 0 && largest > 0) {
                QColor cell = shade;
                cell.setAlphaF(0.15 + 0.55 * static_cast<double>(value) / largest);
                item->setBackground(cell);
            }
        }
        put(r, columns, m_matrix.rowTotal(r));
    }
    for (int c = 0; c < columns; ++c)
        put(rows, c, m_matrix.columnTotal(c));
    put(rows, columns, m_matrix.total());
}

}  // namespace fragtide::ui
