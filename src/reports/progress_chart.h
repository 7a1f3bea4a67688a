// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The chart of the overall percentage over time, frmChart: for the current subject, or for all
// subjects together, the percentage the totals showed after each mark in entry order, over the
// grade bands of the current subject's grading system. The window only shows; it changes no
// mark, no file and not the unsaved flag. What it draws is worked out here; the view only draws.
#include "app/control.h"
#include "grading/grade_ranges.h"
#include "marks/tab_marks.h"

#include <optional>
#include <string>
#include <vector>

namespace tallisto {

class Program;

struct ChartPoint {
    int mark = 0;       // 1 for the first mark entered
    double percent = 0; // the overall percentage the totals showed after it
    MarkKind kind = MarkKind::Real;
    bool operator==(const ChartPoint&) const = default;
};

// The overall percentage after each mark, as the totals showed it then.
std::vector<ChartPoint> progressOf(const std::vector<MarkRow>& marks);

// A grade of a system as a band of percentages: from its lower bound up to the next grade's,
// the highest grade without an upper end.
struct GradeBand {
    std::string grade;
    double from = 0;
    std::optional<double> to;
    bool operator==(const GradeBand&) const = default;
};
std::vector<GradeBand> gradeBands(const PercentSystem& system);

struct ChartLine {
    std::string name;
    bool current = false; // the subject shown in the main window
    std::vector<ChartPoint> points;
    bool operator==(const ChartLine&) const = default;
};

struct ChartData {
    std::string title; // "Maths, graded A to E" or "All subjects, bands of A to E"
    std::vector<GradeBand> bands;
    std::vector<ChartLine> lines; // in tab order
    bool operator==(const ChartData&) const = default;
};

class FrmChart {
public:
    explicit FrmChart(Program& program);

    Control frmChart;       // the window: Caption, Visible, Left, Top
    Control chkAllSubjects; // Checked: every subject's line, not the current one's alone

    // Shows the window under the main window, or brings it to the front when it is shown.
    void show();
    void hide();
    void Form_QueryUnload(bool& cancel);
    void chkAllSubjects_Click();
    // How often the user has asked for the window; a view brings it to the front when this grows.
    int timesAsked() const { return timesAsked_; }

    // What the chart shows now.
    ChartData data();

    Control* findControl(const std::string& name);
    const Control* findControl(const std::string& name) const;
    std::vector<Control*> allControls();

private:
    Program& program_;
    int timesAsked_ = 0;
};

} // namespace tallisto
