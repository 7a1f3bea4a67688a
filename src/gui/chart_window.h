// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The chart window, frmChart: the overall percentage after each mark, of the current subject or
// of all subjects, over the grade bands of the current subject's system. It draws what the core
// works out (FrmChart::data) and draws again only when that changes. The drawing itself comes
// from the chart module (gui/chart/), loaded when the window is first built.
#include "gui/chart/chart_pane.h"
#include "gui/core_events.h"

#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>

class QCheckBox;

namespace tallisto::gui {

class ChartWindow : public QWidget {
    Q_OBJECT
public:
    // The window, with the chart module from the first of those folders that holds it; none when
    // no folder holds one that loads, and then `missing` says so in the user's words.
    static std::unique_ptr<ChartWindow> open(CoreEvents& events, const QStringList& folders,
                                             QString& missing);

    void sync();
    // The chart as last drawn, for tests.
    const ChartData& drawn() const { return pane_->drawn(); }
    QChart* chart() const { return pane_->chart(); }
    void draw(const ChartData& data) { pane_->draw(data); }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    ChartWindow(CoreEvents& events, ChartPane* pane);

    CoreEvents& events_;
    FrmChart& form_;
    std::function<void(EventArgs)> queryUnload_, allSubjects_;
    QCheckBox* allBox_;
    ChartPane* pane_;
    int timesAsked_ = 0;
};

} // namespace tallisto::gui
