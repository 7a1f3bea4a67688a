// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The overview window, frmOverview: a table of every subject, brought up to date after every
// event while it is shown. A double click on a row switches to that subject.
#include "gui/core_events.h"

#include <QWidget>
#include <functional>

class QTableWidget;

namespace tallisto::gui {

class OverviewWindow : public QWidget {
    Q_OBJECT
public:
    explicit OverviewWindow(CoreEvents& events);

    void sync();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void showRows();
    void fitToRows();

    CoreEvents& events_;
    FrmOverview& form_;
    std::function<void(EventArgs)> queryUnload_, doubleClick_;
    QTableWidget* table_;
    int timesAsked_ = 0;
};

} // namespace tallisto::gui
