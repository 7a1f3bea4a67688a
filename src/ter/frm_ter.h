// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The score-out-of-20 window, frmTER ("Tertiary Entrance Scores").
#include "app/control.h"
#include "grading/grade_ranges.h"

#include <optional>
#include <string>
#include <vector>

namespace tallisto {

class Program;

class FrmTER {
public:
    explicit FrmTER(Program& program);

    Control frmTER; // the window: Caption, Visible, Left, Top, Width, Height
    Control TimerFrmTer, Frame2, lblGrade, lblGradePer, cmdHide, Frame1, Label2, Label1, cmdOK,
        lblScore, lblTER;

    std::vector<std::string> div20Ranges;     // range0..range3 of the out-of-20 system
    std::vector<std::string> div20RangeNames; // rangename0..rangename4
    int div20RangesRead = 0;

    void Form_Activate();
    void Form_QueryUnload(bool& cancel);
    void TimerFrmTer_Timer();
    void GradeRangeRetrieve();
    void GradeIs();
    void cmdHide_Click();
    void cmdOK_Click();

    void show();
    void hide();

    // The out-of-20 grading system this window grades with, read at its first use in a run.
    OutOf20System outOf20System();

    Control* findControl(const std::string& name);
    const Control* findControl(const std::string& name) const;
    std::vector<Control*> allControls();
    std::optional<std::string> variableText(const std::string& name) const;

private:
    Program& program_;
};

} // namespace tallisto
