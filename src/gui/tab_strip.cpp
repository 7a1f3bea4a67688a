// SPDX-License-Identifier: GPL-3.0-or-later
// The tab strip: the viewport picOuter, the sliding panel picInner with one button per tab, and
// the scroll bar HBar beside them.
#include "gui/main_window.h"

#include <QButtonGroup>
#include <QScrollBar>

namespace tallisto::gui {

void MainWindow::buildTabStrip(Control& control, QWidget* widget) {
    if (auto* bar = qobject_cast<QScrollBar*>(widget)) {
        hbar_ = bar;
        connect(bar, &QScrollBar::valueChanged, this,
                [this] { scrollBarMoved(hbar_->isSliderDown()); });
        // Dragging reports Scroll as it goes; letting go reports the change.
        connect(bar, &QScrollBar::sliderReleased, this, [this] { scrollBarMoved(false); });
        return;
    }
    auto* panel = static_cast<StripPanel*>(widget);
    containers_[control.name] = panel;
    // picInner lies over picOuter: a double click on the empty part of either is picOuter's.
    if (auto dblClick = mainEvent("picOuter", "DblClick"))
        connect(panel, &StripPanel::doubleClicked, this, [dblClick] { dblClick({}); });
    if (control.name == "picInner") {
        tabGroup_ = new QButtonGroup(this);
        tabGroup_->setExclusive(true);
    }
}

void MainWindow::scrollBarMoved(bool dragging) {
    if (syncing_) return;
    const Control& bar = form_.HBar;
    const int value = hbar_->value();
    // The core's bar runs from Min on the left down to a lower Max on the right.
    const int coreValue = bar.min >= bar.max ? bar.min - value : value;
    if (auto moved = mainEvent("HBar", dragging ? "Scroll" : "Change")) moved({coreValue});
}

void MainWindow::addTabButton(int index) {
    auto* button = new TabButton(index, containers_.at("picInner"));
    button->setObjectName(qText(form_.cmdTab[static_cast<std::size_t>(index)].qualifiedName()));
    tabGroup_->addButton(button, index);
    tabButtons_.push_back(button);
    if (auto click = mainEvent("cmdTab", "Click"))
        connect(button, &QPushButton::clicked, this, [click, index] { click({index}); });
    if (auto dblClick = mainEvent("cmdTab", "DblClick"))
        connect(button, &TabButton::doubleClicked, this, [dblClick](int i) { dblClick({i}); });
    if (auto mouseUp = mainEvent("cmdTab", "MouseUp"))
        connect(button, &TabButton::mouseUp, this, [mouseUp](int i, int mouseButton) {
            mouseUp({i, mouseButton});
        });
}

void MainWindow::syncTabButtons() {
    const std::vector<Control>& tabs = form_.cmdTab;
    while (tabButtons_.size() < tabs.size())
        addTabButton(static_cast<int>(tabButtons_.size()));
    while (tabButtons_.size() > tabs.size()) {
        // The button may be the one whose event unloaded it: it goes once the event is over.
        TabButton* gone = tabButtons_.back();
        tabButtons_.pop_back();
        tabGroup_->removeButton(gone);
        gone->setObjectName(QString());
        gone->hide();
        gone->deleteLater();
    }
    int pressed = -1;
    for (std::size_t i = 0; i < tabs.size(); ++i) {
        syncCommon(tabButtons_[i], tabs[i]);
        syncCaption(tabButtons_[i], tabs[i]);
        if (tabs[i].checked) pressed = static_cast<int>(i);
    }
    if (pressed >= 0) {
        if (!tabButtons_[static_cast<std::size_t>(pressed)]->isChecked())
            tabButtons_[static_cast<std::size_t>(pressed)]->setChecked(true);
    } else if (QAbstractButton* shown = tabGroup_->checkedButton()) {
        // No tab pressed: an exclusive group will not let go of its button by itself.
        tabGroup_->setExclusive(false);
        shown->setChecked(false);
        tabGroup_->setExclusive(true);
    }
}

void MainWindow::syncScrollBar() {
    const Control& bar = form_.HBar;
    syncing_ = true;
    if (bar.min >= bar.max) {
        hbar_->setRange(0, bar.min - bar.max);
        hbar_->setValue(bar.min - bar.value);
    } else {
        hbar_->setRange(bar.min, bar.max);
        hbar_->setValue(bar.value);
    }
    hbar_->setPageStep(bar.largeChange);
    hbar_->setSingleStep(bar.smallChange);
    syncing_ = false;
}

void MainWindow::syncTabStrip() {
    syncTabButtons();
    syncScrollBar();
}

} // namespace tallisto::gui
