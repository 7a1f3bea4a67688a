// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The planner window, frmPlan: the plan of the current tab as a table of grades, brought up to
// date after every event while it is shown.
#include "gui/core_events.h"

#include <QWidget>

class QLabel;
class QTableWidget;

namespace tallisto::gui {

class PlanWindow : public QWidget {
    Q_OBJECT
public:
    explicit PlanWindow(CoreEvents& events);

    void sync();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void showPlan();
    void placeBesideMainWindow();

    CoreEvents& events_;
    FrmPlan& form_;
    std::function<void(EventArgs)> queryUnload_; // the close box
    QLabel* heading_;
    QLabel* left_;
    QLabel* finals_;
    QTableWidget* grades_;
    QLabel* heading20_;
    QTableWidget* grades20_;
};

} // namespace tallisto::gui
