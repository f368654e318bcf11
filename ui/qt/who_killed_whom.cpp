#include "ui/qt/who_killed_whom.hpp"

#include <QClipboard>
#include <QColor>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QAbstractButton>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

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
    m_table->setWordWrap(false);
    // Compact rows, and killers' names that cannot push the counts out of view.
    const QFontMetrics metrics(m_table->font());
    QHeaderView* rowsHeader = m_table->verticalHeader();
    rowsHeader->setSectionResizeMode(QHeaderView::Fixed);
    rowsHeader->setDefaultSectionSize(metrics.height() + 4);
    rowsHeader->setMinimumSectionSize(metrics.height() + 2);
    rowsHeader->setMaximumWidth(metrics.averageCharWidth() * kWhoKilledWhomRowHeadingChars);
    rowsHeader->setTextElideMode(Qt::ElideRight);
    QHeaderView* columnsHeader = m_table->horizontalHeader();
    columnsHeader->setTextElideMode(Qt::ElideRight);
    columnsHeader->setSortIndicatorShown(true);
    columnsHeader->setSortIndicatorClearable(true);
    columnsHeader->setSortIndicator(-1, Qt::DescendingOrder);
    // The corner button (it selects the whole table) says what rows and columns are.
    if (auto* cornerButton = m_table->findChild<QAbstractButton*>()) {
        m_corner = new QLabel(toQString(texts::kWhoKilledWhomCorner), cornerButton);
        m_corner->setObjectName(QStringLiteral("lblCorner"));
        m_corner->setToolTip(toQString(texts::kWhoKilledWhomCornerTip));
        m_corner->setAlignment(Qt::AlignCenter);
        auto* cornerLayout = new QHBoxLayout(cornerButton);
        cornerLayout->setContentsMargins(2, 0, 2, 0);
        cornerLayout->addWidget(m_corner);
    }
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
    m_view.setMatrix(std::move(matrix));
    m_display = display;
    fill();
}

void WhoKilledWhom::sortByColumn(int column) {
    if (column < 0)
        return;
    m_view.headingClicked(column);
    fill();
}

void WhoKilledWhom::copyToClipboard() {
    QGuiApplication::clipboard()->setText(toQString(m_view.matrix().copyText()));
}

void WhoKilledWhom::showSortIndicator() {
    // The header flips its own arrow on a click; the view's is the one that matches the rows.
    const auto& indicator = m_view.sortIndicator();
    QHeaderView* header = m_table->horizontalHeader();
    if (!indicator || indicator->column < 0)
        header->setSortIndicator(-1, Qt::DescendingOrder);
    else
        header->setSortIndicator(indicator->column, indicator->descending ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void WhoKilledWhom::fill() {
    const reports::RivalsMatrix& matrix = m_view.matrix();
    const int rows = matrix.rowCount();
    const int columns = matrix.columnCount();
    const QString total = toQString(reports::texts::kMatrixTotal);
    m_table->clear();
    m_table->setRowCount(rows + 1);
    m_table->setColumnCount(columns + 1);
    QStringList victims;
    for (int c = 0; c < columns; ++c)
        victims << toQString(engine::displayText(matrix.columnName(c), m_display));
    victims << total;
    m_table->setHorizontalHeaderLabels(victims);
    QStringList killers;
    for (int r = 0; r < rows; ++r)
        killers << toQString(engine::displayText(matrix.rowName(r), m_display));
    killers << total;
    m_table->setVerticalHeaderLabels(killers);
    // Each column as wide as its heading needs (name, margins, arrow) up to a limit, never
    // narrower than the largest count; a name cut short shows whole as its tooltip. Measured from
    // the headings alone: resizing to the contents would visit every cell of a large table.
    QHeaderView* header = m_table->horizontalHeader();
    const QFontMetrics metrics(header->font());
    const int widest = metrics.averageCharWidth() * kWhoKilledWhomColumnChars;
    const int numberWidth = metrics.horizontalAdvance(QString::number(matrix.total()));
    for (int c = 0; c <= columns; ++c) {
        QTableWidgetItem* heading = m_table->horizontalHeaderItem(c);
        const int needed = header->sectionSizeHint(c);
        const int overhead = std::max(0, needed - metrics.horizontalAdvance(victims[c]));
        const int width = std::clamp(needed, numberWidth + overhead, widest + overhead);
        if (width < needed)
            heading->setText(metrics.elidedText(victims[c], Qt::ElideRight, width - overhead));
        heading->setToolTip(victims[c]);
        m_table->setColumnWidth(c, width);
    }
    const int namesWidth = metrics.averageCharWidth() * (kWhoKilledWhomRowHeadingChars - 1);
    for (int r = 0; r < rows; ++r) {
        QTableWidgetItem* heading = m_table->verticalHeaderItem(r);
        heading->setText(metrics.elidedText(killers[r], Qt::ElideRight, namesWidth));
        heading->setToolTip(killers[r]);
    }
    showSortIndicator();
    const auto put = [this](int r, int c, long long value) {
        auto* item = new QTableWidgetItem(value ? QString::number(value) : QString());
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_table->setItem(r, c, item);
        return item;
    };
    // Cells are shaded by count, the largest darkest, so the big rivalries stand out at a glance;
    // the highlight colour at a partial opacity stays readable in light and dark palettes.
    const QColor shade = m_table->palette().color(QPalette::Highlight);
    const double largest = static_cast<double>(matrix.largestCell());
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            const long long value = matrix.cell(r, c);
            QTableWidgetItem* item = put(r, c, value);
            if (value > 0 && largest > 0) {
                QColor cell = shade;
                cell.setAlphaF(0.15 + 0.55 * static_cast<double>(value) / largest);
                item->setBackground(cell);
            }
        }
        put(r, columns, matrix.rowTotal(r));
    }
    for (int c = 0; c < columns; ++c)
        put(rows, c, matrix.columnTotal(c));
    put(rows, columns, matrix.total());
}

}  // namespace fragtide::ui
