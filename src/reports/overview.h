// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The overview of all subjects, frmOverview: one row per shown tab in strip order, with what the
// window would show on that tab. It follows every change and changes nothing itself, but a
// double click on a row switches to that subject.
#include "app/control.h"

#include <optional>
#include <string>
#include <vector>

namespace tallisto {

class Program;
class SubjectDigests;

struct OverviewRow {
    int tab = 0; // the index of the tab button
    bool current = false;
    std::string name;
    std::string percent;                // as the totals show it, without "%"
    std::string grade;                  // as lblGrade shows it ("---" on a tab without marks)
    std::string weighting;              // the weighting entered, as the totals show it, without "%"
    std::optional<std::string> outOf20; // the score out of 20, where the system has one
    std::string nextGrade; // the next grade up; empty at the top and on a tab without marks
    std::string need;      // what the rest must average for it
    int whatIf = 0;        // the number of what-if marks
    bool operator==(const OverviewRow&) const = default;
};

class FrmOverview {
public:
    explicit FrmOverview(Program& program);

    Control frmOverview; // the window: Caption, Visible, Left, Top
    Control grdOverview; // the table of subjects

    // Shows the window under the main window, or brings it to the front when it is shown.
    void show();
    void hide();
    void Form_QueryUnload(bool& cancel);
    // Switches to the subject of that row, as a click on its tab does.
    void grdOverview_DblClick(int Row);
    int timesAsked() const { return timesAsked_; }

    std::vector<OverviewRow> rows();
    // The same, with the tabs of the working file worked out by, and kept in, digests.
    std::vector<OverviewRow> rows(SubjectDigests& digests);

    Control* findControl(const std::string& name);
    const Control* findControl(const std::string& name) const;
    std::vector<Control*> allControls();

private:
    Program& program_;
    int timesAsked_ = 0;
};

} // namespace tallisto
