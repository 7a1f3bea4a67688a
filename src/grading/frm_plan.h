// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The planner window, frmPlan ("What Do I Need?"): the plan of the current tab, beside the main
// window. It only shows; it changes no mark, no file and not the unsaved flag.
#include "app/control.h"
#include "grading/planner.h"

#include <string>
#include <vector>

namespace tallisto {

class Program;

class FrmPlan {
public:
    explicit FrmPlan(Program& program);

    Control frmPlan; // the window: Caption, Visible, Left, Top

    // Shows the window to the right of the main window, or leaves it where it is when shown.
    void show();
    void hide();
    // Closed from its title bar the window is hidden, and the menu item shows it again.
    void Form_QueryUnload(bool& cancel);

    // The plan of the current tab, worked out afresh from its totals and its grading system.
    Plan plan();
    // What the plan is of: "Tab 1, graded A to E".
    std::string heading();

    Control* findControl(const std::string& name);
    const Control* findControl(const std::string& name) const;
    std::vector<Control*> allControls();

private:
    Program& program_;
};

} // namespace tallisto
