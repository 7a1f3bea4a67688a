// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/overview.h"

#include "app/program.h"
#include "grading/grade_ranges.h"
#include "reports/subject_digests.h"
#include "shared/number_text.h"

#include <map>

namespace tallisto {

namespace {

std::string withoutPercent(std::string caption) {
    if (!caption.empty() && caption.back() == '%') caption.pop_back();
    return caption;
}

// The grading systems of graderanges.txt as switching to a tab would read them now, each read
// once for all rows.
class Systems {
public:
    Systems(IniFiles& ini, std::string rangesFile) : ini_(ini), file_(std::move(rangesFile)) {}

    const PercentSystem& percent(int system) {
        auto [found, added] = percent_.try_emplace(system);
        if (added) found->second = readPercentSystem(ini_, file_, system);
        return found->second;
    }
    bool hasOutOf20(int system) {
        auto [found, added] = outOf20_.try_emplace(system);
        if (added)
            found->second = numberValue(ini_.ReadIniValue(file_, percentSystemSection(system),
                                                          "OutOf20", "0")) == 1;
        return found->second;
    }

private:
    IniFiles& ini_;
    std::string file_;
    std::map<int, PercentSystem> percent_;
    std::map<int, bool> outOf20_;
};

std::string outOf20Text(double overall) {
    return numberText(outOf20Score(gradedPercentage(overall)));
}

} // namespace

FrmOverview::FrmOverview(Program& program) : program_(program) {
    frmOverview =
        makeControl("frmOverview", ControlKind::Form, "", 0, 0, 0, 0, "Overview of All Subjects");
    frmOverview.visible = false;
    grdOverview = makeControl("grdOverview", ControlKind::ListBox, "frmOverview", 0, 0, 0, 0);
}

void FrmOverview::show() {
    ++timesAsked_;
    if (frmOverview.visible) return;
    const Control& main = program_.frmGradeHelp.frmGradeHelp;
    frmOverview.left = main.left;
    frmOverview.top = main.top + main.height;
    frmOverview.visible = true;
}

void FrmOverview::hide() {
    frmOverview.visible = false;
}

void FrmOverview::Form_QueryUnload(bool& cancel) {
    cancel = true;
    hide();
}

void FrmOverview::grdOverview_DblClick(int Row) {
    FrmGradeHelp& f = program_.frmGradeHelp;
    const std::vector<int> shown = f.shownTabs();
    if (!frmOverview.visible || Row < 0 || Row >= static_cast<int>(shown.size())) return;
    const int tab = shown[static_cast<std::size_t>(Row)];
    f.cmdTab_Click(tab);
    if (f.currentTab == tab) f.scrollToTab(tab);
}

std::vector<OverviewRow> FrmOverview::rows() {
    return rows(program_.subjects);
}

std::vector<OverviewRow> FrmOverview::rows(SubjectDigests& digests) {
    FrmGradeHelp& f = program_.frmGradeHelp;
    const StampHold hold(program_.ini);
    Systems systems(program_.ini, f.rangesFile());
    std::vector<OverviewRow> rows;
    for (const int tab : f.shownTabs()) {
        OverviewRow row;
        row.tab = tab;
        row.name = f.cmdTab[static_cast<std::size_t>(tab)].caption;
        if (tab == f.currentTab) {
            // The current tab as its window shows it.
            row.current = true;
            row.whatIf = f.whatIfCount(tab);
            row.percent = withoutPercent(f.lblShit.caption);
            row.grade = f.lblGrade.caption;
            row.weighting = withoutPercent(f.lblWeightingTot.caption);
            const double overall = numberValue(row.percent);
            if (f.cmdTER.visible) row.outOf20 = outOf20Text(overall);
            if (f.cmdReset.visible) {
                const NextGrade next =
                    nextGradeOf(f.planTotals(), overall, systems.percent(f.gradeSys));
                row.nextGrade = next.grade;
                row.need = next.need;
            }
        } else {
            // A tab in the working file as its digest keeps it: reading its section again would
            // split every section that an undo has just brought back.
            const SubjectDigest& d = digests.of(tab);
            row.whatIf = d.whatIf;
            row.percent = d.percent;
            row.weighting = d.weighting;
            const int gradeSys = d.gradeSys.value_or(f.gradeSys);
            const PercentSystem& system = systems.percent(gradeSys);
            row.grade =
                d.hasMarks ? findPercentGrade(system, gradedPercentage(d.overall)).grade : "---";
            if (systems.hasOutOf20(gradeSys)) row.outOf20 = outOf20Text(d.overall);
            if (d.hasMarks) {
                const NextGrade& next = digests.nextGrade(tab, system);
                row.nextGrade = next.grade;
                row.need = next.need;
            }
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

Control* FrmOverview::findControl(const std::string& name) {
    return controlNamed(allControls(), name);
}

const Control* FrmOverview::findControl(const std::string& name) const {
    return const_cast<FrmOverview*>(this)->findControl(name);
}

std::vector<Control*> FrmOverview::allControls() {
    return {&frmOverview, &grdOverview};
}

void FrmGradeHelp::menOverview_Click() {
    program_.frmOverview.show();
    giveFocusToEasyWork();
}

} // namespace tallisto
