// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/progress_chart.h"

#include "app/program.h"
#include "reports/subject_digests.h"
#include "shared/number_text.h"

namespace tallisto {

std::vector<ChartPoint> progressOf(const std::vector<MarkRow>& marks) {
    std::vector<ChartPoint> points;
    points.reserve(marks.size());
    MarkTotals totals;
    for (const MarkRow& mark : marks) {
        totals.count(mark);
        points.push_back({static_cast<int>(points.size()) + 1, totals.overall(), mark.kind});
    }
    return points;
}

std::vector<GradeBand> gradeBands(const PercentSystem& system) {
    const std::vector<GradeLevel> levels = percentGrades(system);
    std::vector<GradeBand> bands;
    for (std::size_t k = 0; k < levels.size(); ++k) {
        GradeBand band{levels[k].name, numberValue(levels[k].bound), std::nullopt};
        if (k + 1 < levels.size()) band.to = numberValue(levels[k + 1].bound);
        bands.push_back(std::move(band));
    }
    return bands;
}

FrmChart::FrmChart(Program& program) : program_(program) {
    frmChart = makeControl("frmChart", ControlKind::Form, "", 0, 0, 0, 0, "Chart of Percentages");
    frmChart.visible = false;
    chkAllSubjects = makeControl("chkAllSubjects", ControlKind::CheckBox, "frmChart", 0, 0, 0, 0,
                                 "All subjects");
}

void FrmChart::show() {
    ++timesAsked_;
    if (frmChart.visible) return;
    const Control& main = program_.frmGradeHelp.frmGradeHelp;
    frmChart.left = main.left + main.width;
    frmChart.top = main.top;
    frmChart.visible = true;
}

void FrmChart::hide() {
    frmChart.visible = false;
}

void FrmChart::Form_QueryUnload(bool& cancel) {
    cancel = true;
    hide();
}

void FrmChart::chkAllSubjects_Click() {
    chkAllSubjects.checked = !chkAllSubjects.checked;
}

ChartData FrmChart::data() {
    FrmGradeHelp& f = program_.frmGradeHelp;
    const StampHold hold(program_.ini);
    const auto systemName = [&](int system) {
        return system >= 0 && system < 4 ? f.menGradesys[static_cast<std::size_t>(system)].caption
                                         : std::string();
    };
    ChartData data;
    data.bands = gradeBands(readPercentSystem(program_.ini, f.rangesFile(), f.gradeSys));
    const std::string& name = f.cmdTab[static_cast<std::size_t>(f.currentTab)].caption;
    if (!chkAllSubjects.checked) {
        data.title = name + ", graded " + systemName(f.gradeSys);
        data.lines.push_back({name, true, progressOf(f.subjectMarks(f.currentTab).marks)});
        return data;
    }
    data.title = "All subjects, with the grades of " + systemName(f.gradeSys);
    for (const int tab : f.shownTabs()) {
        if (tab == f.currentTab)
            data.lines.push_back({name, true, progressOf(f.subjectMarks(tab).marks)});
        else
            data.lines.push_back({f.cmdTab[static_cast<std::size_t>(tab)].caption, false,
                                  program_.subjects.progress(tab)});
    }
    return data;
}

Control* FrmChart::findControl(const std::string& name) {
    return controlNamed(allControls(), name);
}

const Control* FrmChart::findControl(const std::string& name) const {
    return const_cast<FrmChart*>(this)->findControl(name);
}

std::vector<Control*> FrmChart::allControls() {
    return {&frmChart, &chkAllSubjects};
}

void FrmGradeHelp::menChart_Click() {
    program_.frmChart.show();
    giveFocusToEasyWork();
}

} // namespace tallisto
