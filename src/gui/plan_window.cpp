// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/plan_window.h"

#include "gui/control_widgets.h"
#include "gui/twips.h"
#include "shared/number_text.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QScreen>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace tallisto::gui {

namespace {

QString percentText(double value) {
    return qText(numberText(value) + " %");
}

QTableWidget* newGradeTable(QWidget* parent, const QString& name) {
    auto* table = new QTableWidget(0, 3, parent);
    table->setObjectName(name);
    table->setHorizontalHeaderLabels(
        {QStringLiteral("Grade"), QStringLiteral("From"), QStringLiteral("What you need")});
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->setFocusPolicy(Qt::NoFocus);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setWordWrap(false);
    return table;
}

// One row per grade; the table takes the size of its rows, so that nothing is cut or scrolled.
void fillGradeTable(QTableWidget* table, const std::vector<PlannedGrade>& grades,
                    const std::string& unit, double left) {
    table->setRowCount(static_cast<int>(grades.size()));
    for (int row = 0; row < table->rowCount(); ++row) {
        const PlannedGrade& g = grades[static_cast<std::size_t>(row)];
        const QString cells[] = {qText(g.grade.name), qText(g.grade.bound + unit),
                                 qText(needText(g, left))};
        for (int column = 0; column < 3; ++column) {
            QTableWidgetItem* item = table->item(row, column);
            if (!item) table->setItem(row, column, item = new QTableWidgetItem);
            if (item->text() != cells[column]) item->setText(cells[column]);
            if (column == 1) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        }
    }
    table->resizeColumnsToContents();
    // Room beside each text, so that the columns do not run together.
    const int padding = table->fontMetrics().averageCharWidth() * 2;
    for (int column = 0; column < 3; ++column)
        table->setColumnWidth(column, table->columnWidth(column) + padding);
    table->resizeRowsToContents();
    const int frame = 2 * table->frameWidth();
    table->setFixedSize(table->horizontalHeader()->length() + frame,
                        table->horizontalHeader()->height() + table->verticalHeader()->length() +
                            frame);
}

} // namespace

PlanWindow::PlanWindow(CoreEvents& events)
    : QWidget(nullptr, Qt::Window), events_(events), form_(events.program().frmPlan),
      heading_(new QLabel(this)), left_(new QLabel(this)), finals_(new QLabel(this)),
      grades_(newGradeTable(this, QStringLiteral("grades"))),
      heading20_(new QLabel(QStringLiteral("Score out of 20"), this)),
      grades20_(newGradeTable(this, QStringLiteral("grades20"))) {
    setObjectName(QStringLiteral("frmPlan"));
    queryUnload_ = events_.handler(Form::frmPlan, "frmPlan", "QueryUnload");
    // The keyboard stays with the main window, where the marks are entered.
    setAttribute(Qt::WA_ShowWithoutActivating);
    for (QLabel* label : {heading_, left_, finals_, heading20_})
        label->setTextFormat(Qt::PlainText);
    QFont bold = heading_->font();
    bold.setBold(true);
    heading_->setFont(bold);
    heading20_->setFont(bold);
    heading_->setObjectName(QStringLiteral("heading"));
    left_->setObjectName(QStringLiteral("left"));
    finals_->setObjectName(QStringLiteral("finals"));

    auto* layout = new QVBoxLayout(this);
    for (QWidget* widget :
         std::initializer_list<QWidget*>{heading_, left_, finals_, grades_, heading20_, grades20_})
        layout->addWidget(widget);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void PlanWindow::sync() {
    const Control& window = form_.frmPlan;
    const QString caption = qText(window.caption);
    if (windowTitle() != caption) setWindowTitle(caption);
    if (!window.visible) {
        if (isVisible()) hide();
        return;
    }
    showPlan();
    if (!isVisible()) {
        placeBesideMainWindow();
        show();
    }
}

void PlanWindow::showPlan() {
    const Plan plan = form_.plan();
    heading_->setText(qText(form_.heading()));
    left_->setText(QStringLiteral("Weighting left: ") + percentText(plan.left));
    finals_->setText(QStringLiteral("Final percentage: %1 at worst, %2 at best")
                         .arg(percentText(plan.worst), percentText(plan.best)));
    fillGradeTable(grades_, plan.grades, " %", plan.left);
    const bool twenty = !plan.grades20.empty();
    heading20_->setVisible(twenty);
    grades20_->setVisible(twenty);
    if (twenty) fillGradeTable(grades20_, plan.grades20, "", plan.left);
}

// Where the core puts it, pulled onto the screen when the main window stands at its edge.
void PlanWindow::placeBesideMainWindow() {
    adjustSize();
    const Control& window = form_.frmPlan;
    QPoint place(toPixels(window.left), toPixels(window.top));
    const Control& main = events_.form().frmGradeHelp;
    const QScreen* screen =
        QGuiApplication::screenAt(QPoint(toPixels(main.left), toPixels(main.top)));
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (screen) {
        const QRect room = screen->availableGeometry();
        place.setX(
            std::clamp(place.x(), room.left(), std::max(room.left(), room.right() - width())));
        place.setY(
            std::clamp(place.y(), room.top(), std::max(room.top(), room.bottom() - height())));
    }
    move(place);
}

void PlanWindow::closeEvent(QCloseEvent* event) {
    if (!events_.ended() && queryUnload_) queryUnload_({});
    event->accept();
}

} // namespace tallisto::gui
