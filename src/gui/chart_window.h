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
class QLineSeries;

namespace tallisto::gui {

class ChartWindow : public QWidget {
    Q_OBJECT
public:
    explicit ChartWindow(CoreEvents& events);

    void sync();
    // The chart as last drawn, for tests.
    const ChartData& drawn() const { return drawn_; }
    QChart* chart() const;
    // Draws the chart of that data: the lines that changed, or the whole chart anew when its
    // axes, bands, subjects or what-if marks changed.
    void draw(const ChartData& data);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    CoreEvents& events_;
    FrmChart& form_;
    std::function<void(EventArgs)> queryUnload_, allSubjects_;
    QCheckBox* allBox_;
    QChartView* view_;
    void drawAnew(const ChartData& data, int marks, double top);
    bool redrawsLines(const ChartData& data, int marks, double top) const;
    void styleLine(QLineSeries* series, std::size_t index, const ChartLine& line, bool withPoints);

    ChartData drawn_;
    bool everDrawn_ = false;
    int marks_ = 0; // the extent of the axes drawn
    double top_ = 0;
    std::vector<QLineSeries*> lines_; // one per subject, as drawn_ has them
    int timesAsked_ = 0;
};

} // namespace tallisto::gui
