// SPDX-License-Identifier: GPL-3.0-or-later
// The current tab's grade, shown in the grade panel.
#include "app/frm_grade_help.h"
#include "app/program.h"
#include "grading/grade_ranges.h"
#include "shared/number_text.h"

#include <algorithm>

namespace tallisto {

void FrmGradeHelp::GradeRangeRetrieve() {
    const PercentSystem system = readPercentSystem(program_.ini, rangesFile(), gradeSys);
    gradeRanges.assign(system.ranges.begin(), system.ranges.end());
    gradeRangeNames.assign(system.names.begin(), system.names.end());
}

void FrmGradeHelp::GradeIs() {
    double& overall = overallPercentage();
    overall = gradedPercentage(overall);
    lblShit.toolTipText = "Rounded Percentage: " + numberText(overall) + "%";

    // Read afresh each time, so that an edited graderanges.txt counts at the next grade.
    GradeRangeRetrieve();
    PercentSystem system;
    std::copy_n(gradeRanges.begin(), system.ranges.size(), system.ranges.begin());
    std::copy_n(gradeRangeNames.begin(), system.names.size(), system.names.begin());
    const GradeResult result = findPercentGrade(system, overall);
    lblGrade.caption = result.grade;
    lblGradePer.caption = result.rangeText;
}

} // namespace tallisto
