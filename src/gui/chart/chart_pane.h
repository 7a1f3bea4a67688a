// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The drawing of the chart window. Qt Charts draws it, in a module of its own (tallisto_chart)
// that the program loads when the chart is first shown: most starts never show it, and Qt Charts
// with the OpenGL libraries it needs would otherwise be loaded and relocated at every start.
// The program knows the pane only through this header, which needs no Qt Charts.
#include "reports/progress_chart.h"

#include <QWidget>

class QChart;

namespace tallisto::gui {

class ChartPane : public QWidget {
public:
    using QWidget::QWidget;
    // Draws the chart of that data: the lines that changed, or the whole chart anew when its
    // axes, bands, subjects or what-if marks changed; nothing when it is drawn already.
    virtual void draw(const ChartData& data) = 0;
    // The chart as last drawn, for tests.
    virtual const ChartData& drawn() const = 0;
    virtual QChart* chart() const = 0;
};

// The module's one entry point, exported under this name: a new pane, owned by its parent.
using MakeChartPane = ChartPane* (*)(QWidget* parent);
inline constexpr char makeChartPaneName[] = "tallistoMakeChartPane";

} // namespace tallisto::gui
