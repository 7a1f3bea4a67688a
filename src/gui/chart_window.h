// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The chart window, frmChart: the overall percentage after each mark, of the current subject or
// of all subjects, over the grade bands of the current subject's system. It draws what the core
// works out (FrmChart::data) and draws again only when that changes.
#include "gui/core_events.h"

#include <QWidget>
#include <functional>

class QChart;
class QChartView;
class QCheckBox;

namespace tallisto::gui {

class ChartWindow : public QWidget {
    Q_OBJECT
public:
    explicit ChartWindow(CoreEvents& events);

    void sync();
    // The chart as last drawn, for tests.
    const ChartData& drawn() const { return drawn_; }
    QChart* chart() const;
    // Draws the chart of that data.
    void draw(const ChartData& data);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    CoreEvents& events_;
    FrmChart& form_;
    std::function<void(EventArgs)> queryUnload_, allSubjects_;
    QCheckBox* allBox_;
    QChartView* view_;
    ChartData drawn_;
    bool everDrawn_ = false;
    int timesAsked_ = 0;
};

} // namespace tallisto::gui
