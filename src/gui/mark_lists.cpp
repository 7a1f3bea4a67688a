// SPDX-License-Identifier: GPL-3.0-or-later
// The four mark lists: one row per mark, each list with its own selected row. What-if marks are
// drawn in italics, in the colour of the line that says they are counted.
#include "gui/main_window.h"

#include <QBrush>
#include <QFont>

namespace tallisto::gui {

void MainWindow::buildMarkList(Control& control, QWidget* widget) {
    auto* list = static_cast<MarkList*>(widget);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setUniformItemSizes(true);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lists_.push_back({list, &control, {}, 0});
    // The row the click chose goes to the core, which selects it before the handler runs.
    if (auto mouseUp = mainEvent(control.name, "MouseUp"))
        connect(list, &MarkList::mouseUp, this,
                [list, mouseUp] { mouseUp({list->currentItem() ? list->currentRow() : -1}); });
    // A double click on a row edits the mark of that row; beside the rows it does nothing.
    if (auto dblClick = mainEvent(control.name, "DblClick"))
        connect(list, &QListWidget::itemDoubleClicked, this,
                [list, dblClick](QListWidgetItem* item) { dblClick({list->row(item)}); });
}

QColor whatIfColour() {
    return QColor(0x1a, 0x56, 0xb0);
}

namespace {

// False when the list already showed these entries.
bool showEntries(MarkList* widget, const std::vector<std::string>& entries,
                 std::vector<std::string>& shown) {
    if (entries == shown) return false;
    // A mark entered is one entry more; only a change elsewhere rebuilds the list.
    const bool appended =
        entries.size() > shown.size() && std::equal(shown.begin(), shown.end(), entries.begin());
    if (!appended) {
        widget->clear();
        shown.clear();
    }
    QStringList added;
    for (std::size_t i = shown.size(); i < entries.size(); ++i)
        added << qText(entries[i]);
    widget->addItems(added);
    shown = entries;
    return true;
}

void showKinds(MarkList* widget, std::size_t realMarks) {
    QFont whatIfFont = widget->font();
    whatIfFont.setItalic(true);
    const QBrush whatIfBackground(QColor(0xe6, 0xee, 0xfa));
    for (int row = 0; row < widget->count(); ++row) {
        QListWidgetItem* item = widget->item(row);
        const bool whatIf = static_cast<std::size_t>(row) >= realMarks;
        item->setFont(whatIf ? whatIfFont : widget->font());
        item->setForeground(whatIf ? QBrush(whatIfColour()) : QBrush());
        item->setBackground(whatIf ? whatIfBackground : QBrush());
    }
}

void showRow(MarkList* widget, int row) {
    if (row < 0 || row >= widget->count()) {
        if (widget->currentItem() || !widget->selectedItems().isEmpty()) {
            widget->setCurrentRow(-1);
            widget->clearSelection();
        }
        return;
    }
    if (widget->currentRow() != row || !widget->item(row)->isSelected()) widget->setCurrentRow(row);
}

} // namespace

// Every list highlights the row of the mark that Delete Selected Mark acts on, and nothing when it
// acts on none: a highlight that Del ignores would mislead.
void MainWindow::syncMarkLists() {
    const int selected = form_.markToDelete();
    const std::size_t marks = form_.lstScore.list.size();
    const auto whatIfs = static_cast<std::size_t>(std::max(form_.whatIfMarks, 0));
    const std::size_t realMarks = marks > whatIfs ? marks - whatIfs : 0;
    for (ListView& view : lists_) {
        if (showEntries(view.widget, view.control->list, view.shown) ||
            view.realMarks != realMarks) {
            showKinds(view.widget, realMarks);
            view.realMarks = realMarks;
        }
        showRow(view.widget, selected);
    }
}

} // namespace tallisto::gui
