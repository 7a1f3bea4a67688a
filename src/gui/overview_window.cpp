// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/overview_window.h"

#include "gui/control_widgets.h"
#include "gui/side_window.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <array>

namespace tallisto::gui {

namespace {

// Rows shown at once before the table scrolls: a school year's subjects and then some.
constexpr int rowsShown = 16;

const char* const headings[] = {"Subject",
                                "Percentage",
                                "Grade",
                                "Weighting entered",
                                "Score /20",
                                "Next grade",
                                "Average needed on the rest",
                                "What-if marks"};
constexpr int columns = static_cast<int>(std::size(headings));

std::array<QString, columns> cellsOf(const OverviewRow& row) {
    return {qText(row.name),
            qText(row.percent + "%"),
            qText(row.grade),
            qText(row.weighting + "%"),
            row.outOf20 ? qText(*row.outOf20) : QString(),
            qText(row.nextGrade),
            qText(row.need),
            QString::number(row.whatIf)};
}

bool numeric(int column) {
    return column == 1 || column == 3 || column == 4 || column == 7;
}

} // namespace

OverviewWindow::OverviewWindow(CoreEvents& events)
    : QWidget(nullptr, Qt::Window), events_(events), form_(events.program().frmOverview),
      table_(new QTableWidget(0, columns, this)) {
    setObjectName(QStringLiteral("frmOverview"));
    queryUnload_ = events_.handler(Form::frmOverview, "frmOverview", "QueryUnload");
    doubleClick_ = events_.handler(Form::frmOverview, "grdOverview", "DblClick");
    // The keyboard stays with the main window, where the marks are entered.
    setAttribute(Qt::WA_ShowWithoutActivating);
    table_->setObjectName(QStringLiteral("grdOverview"));
    QStringList labels;
    for (const char* heading : headings)
        labels << QString::fromLatin1(heading);
    table_->setHorizontalHeaderLabels(labels);
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setFocusPolicy(Qt::NoFocus);
    table_->setWordWrap(false);
    table_->setToolTip(QStringLiteral("Double-click a subject to show it in the main window."));
    connect(table_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        if (doubleClick_) doubleClick_({row});
    });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(table_);
}

void OverviewWindow::sync() {
    const Control& window = form_.frmOverview;
    const QString caption = qText(window.caption);
    if (windowTitle() != caption) setWindowTitle(caption);
    if (!window.visible) {
        if (isVisible()) hide();
        return;
    }
    const int rowsBefore = table_->rowCount();
    showRows();
    if (!isVisible()) {
        fitToRows();
        placeNearMainWindow(this, window, events_.form().frmGradeHelp);
        show();
    } else if (table_->rowCount() != rowsBefore) {
        fitToRows();
    }
    if (form_.timesAsked() != timesAsked_) {
        timesAsked_ = form_.timesAsked();
        raise();
    }
}

// Only the texts that changed are set, so that the table stays still as the user works.
void OverviewWindow::showRows() {
    const std::vector<OverviewRow> rows = form_.rows();
    table_->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < table_->rowCount(); ++r) {
        const OverviewRow& row = rows[static_cast<std::size_t>(r)];
        const auto cells = cellsOf(row);
        for (int c = 0; c < columns; ++c) {
            QTableWidgetItem* item = table_->item(r, c);
            if (!item) {
                table_->setItem(r, c, item = new QTableWidgetItem);
                item->setTextAlignment((numeric(c) ? Qt::AlignRight : Qt::AlignLeft) |
                                       Qt::AlignVCenter);
            }
            if (item->text() != cells[c]) item->setText(cells[c]);
            // The subject shown in the main window stands out.
            if (item->font().bold() != row.current) {
                QFont font = item->font();
                font.setBold(row.current);
                item->setFont(font);
            }
        }
        if (row.current && table_->currentRow() != r) table_->selectRow(r);
    }
    table_->resizeColumnsToContents();
    const int padding = table_->fontMetrics().averageCharWidth() * 2;
    for (int c = 0; c < columns; ++c)
        table_->setColumnWidth(c, table_->columnWidth(c) + padding);
}

// Wide enough for every column, tall enough for the rows up to rowsShown; more rows scroll.
void OverviewWindow::fitToRows() {
    table_->resizeRowsToContents();
    const int shown = std::min(table_->rowCount(), rowsShown);
    int height = table_->horizontalHeader()->height() + 2 * table_->frameWidth();
    for (int r = 0; r < shown; ++r)
        height += table_->rowHeight(r);
    int width = table_->horizontalHeader()->length() + 2 * table_->frameWidth();
    if (table_->rowCount() > rowsShown) width += table_->verticalScrollBar()->sizeHint().width();
    table_->setMinimumWidth(width);
    table_->setMinimumHeight(height);
    resize(minimumSizeHint());
}

void OverviewWindow::closeEvent(QCloseEvent* event) {
    if (!events_.ended() && queryUnload_) queryUnload_({});
    event->accept();
}

} // namespace tallisto::gui
