// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The score-out-of-20 window, frmTER, drawn from the core's control states; its timer follows
// the core's TimerFrmTer.
#include "gui/control_widgets.h"
#include "gui/core_events.h"

#include <QTimer>
#include <QWidget>
#include <vector>

namespace tallisto::gui {

class TerWindow : public QWidget {
    Q_OBJECT
public:
    explicit TerWindow(CoreEvents& events);

    void sync();
    QTimer& timer() { return *timer_; }

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void buildControls();
    // What the table runs for that event of a control of this window; empty when nothing.
    std::function<void(EventArgs)> terEvent(const std::string& control, const std::string& event);
    void syncTimer();
    void syncFrame();

    CoreEvents& events_;
    FrmTER& form_;
    std::vector<BoundWidget> bound_;
    QTimer* timer_;
    std::function<void(EventArgs)> activate_, queryUnload_; // the window's own events
    bool placing_ = false; // the window is being moved to the core's place
};

} // namespace tallisto::gui
