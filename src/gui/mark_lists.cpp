// SPDX-License-Identifier: GPL-3.0-or-later
// The four mark lists: one row per mark, each list with its own selected row.
#include "gui/main_window.h"

namespace tallisto::gui {

void MainWindow::buildMarkList(Control& control, QWidget* widget) {
    auto* list = static_cast<MarkList*>(widget);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setUniformItemSizes(true);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lists_.push_back({list, &control, {}});
    // The row the click chose goes to the core, which selects it before the handler runs.
    if (auto mouseUp = mainEvent(control.name, "MouseUp"))
        connect(list, &MarkList::mouseUp, this,
                [list, mouseUp] { mouseUp({list->currentItem() ? list->currentRow() : -1}); });
}

namespace {

void showEntries(MarkList* widget, const std::vector<std::string>& entries,
                 std::vector<std::string>& shown) {
    if (entries == shown) return;
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
    for (ListView& view : lists_) {
        showEntries(view.widget, view.control->list, view.shown);
        showRow(view.widget, selected);
    }
}

} // namespace tallisto::gui
