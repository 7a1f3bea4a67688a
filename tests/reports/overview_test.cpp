// SPDX-License-Identifier: GPL-3.0-or-later
// The overview of all subjects and the chart of percentages: each shows of every tab what the
// window shows on it, and follows every change without working unchanged tabs out again.
#include "grading/grade_ranges.h"
#include "reports/subject_digests.h"
#include "shared/number_text.h"
#include "support/sample_ranges.h"
#include "support/test_program.h"

namespace tallisto::testing {
namespace {

// A caption without its closing "%" or ".".
std::string number(std::string caption) {
    if (!caption.empty() && (caption.back() == '%' || caption.back() == '.')) caption.pop_back();
    return caption;
}

std::vector<OverviewRow> rows(TestProgram& t) {
    return t.program->frmOverview.rows();
}

// Subjects of every kind the totals know: a last mark out of 0, weightings adding up to 99.99,
// a score out of 20, no marks, a tab never visited, a deleted tab and a tab at the top grade.
void fillSubjects(TestProgram& t) {
    fillTab(t, "Maths", {{"8", "10", "50"}, {"15", "20", "25"}, {"5", "0", "25"}}, 0);
    addTabs(t, 5);
    clickTab(t, 1);
    fillTab(t, "Bio", {{"1", "3", "33.33"}, {"2", "3", "33.33"}, {"17", "20", "33.33"}}, 1);
    clickTab(t, 2);
    fillTab(t, "Empty", {}, 3);
    clickTab(t, 4);
    deleteTab(t);
    clickTab(t, 5);
    fillTab(t, "Top", {{"19", "20", "10"}}, 0);
    clickTab(t, 0);
}

TEST(Overview, EachRowShowsWhatTheWindowShowsOnceThatTabIsChosen) {
    StartedProgram t(sampleRanges());
    fillSubjects(t);
    clickTab(t, 1);
    enterWhatIf(t, "2", "4", "0.01");
    clickTab(t, 5);
    t.program->subjects.clear(); // every other tab counted from the working file
    const std::string before = workState(t);
    const std::vector<OverviewRow> overview = rows(t);
    EXPECT_EQ(workState(t), before) << "looking changes nothing";
    std::vector<std::string> names;
    for (const OverviewRow& row : overview)
        names.push_back(row.name);
    EXPECT_EQ(names, (std::vector<std::string>{"Maths", "Bio", "Empty", "Tab 4", "Top"}));
    for (const OverviewRow& row : overview) {
        SCOPED_TRACE(row.name);
        clickTab(t, row.tab);
        const FrmGradeHelp& f = t.form();
        std::optional<std::string> outOf20;
        if (f.cmdTER.visible) {
            t.run([](FrmGradeHelp& main) { main.program().frmTER.TimerFrmTer_Timer(); });
            outOf20 = number(t.ter().lblScore.caption);
        }
        // The next grade is the planner's grade just above the one shown, with its need.
        const Plan plan = t.program->frmPlan.plan();
        std::string next, need;
        for (auto g = plan.grades.begin(); f.cmdReset.visible && g + 1 < plan.grades.end(); ++g) {
            if ((g + 1)->grade.name != f.lblGrade.caption) continue;
            next = g->grade.name;
            need = g->status == PlanStatus::Possible ? numberText(g->need / 100.0) + " %"
                                                     : needText(*g, plan.left);
        }
        EXPECT_EQ(std::tuple(row.percent, row.grade, row.weighting, row.outOf20, row.whatIf,
                             row.nextGrade, row.need),
                  std::tuple(number(f.lblShit.caption), f.lblGrade.caption,
                             number(f.lblWeightingTot.caption), outOf20, f.whatIfMarks, next,
                             need));
    }
}

// A tab is taken from the window as it is left; its marks are counted again from the working file
// only when the file changed behind the program's back.
TEST(Overview, FollowsEveryChangeWithoutCountingTheMarksOfTabsLeftAgain) {
    StartedProgram t(sampleRanges());
    fillSubjects(t);
    t.run(&FrmGradeHelp::menOverview_Click);
    SubjectDigests& kept = t.program->subjects;
    rows(t);
    const auto followed = [&](const char* change, std::size_t workedOut) {
        const std::size_t before = kept.workedOut();
        const std::vector<OverviewRow> shown = rows(t);
        EXPECT_EQ(kept.workedOut() - before, workedOut) << change;
        SubjectDigests fresh(*t.program);
        EXPECT_EQ(shown, t.program->frmOverview.rows(fresh))
            << change << ": a tab kept as it was before";
    };
    followed("nothing", 0);
    t.enterMark("3", "0", "0"); // out of 0 on no weighting: the same percentage, one more mark
    followed("a mark on the current tab", 0);
    clickTab(t, 1);
    followed("a switch: the tab left is stored", 0);
    selectMark(t, 0, 0);
    t.run(&FrmGradeHelp::menDelSelRes_Click);
    chooseGradeSys(t, 0);
    followed("a mark deleted and a grading system chosen", 0);
    clickTab(t, 0);
    followed("back to Maths: Bio stored without the mark", 0);
    // Each undo takes the whole working file back: the second leaves Empty, current after the
    // first, stored without the mark it had when last left.
    clickTab(t, 5);
    t.enterMark("10", "20", "10");
    clickTab(t, 2);
    t.enterMark("5", "10", "10");
    clickTab(t, 0);
    followed("marks entered on two tabs", 0);
    t.run(&FrmGradeHelp::menUndo_Click);
    followed("one undone across a switch", 1);
    t.run(&FrmGradeHelp::menUndo_Click);
    followed("the other undone across a switch", 2);
    clickTab(t, 0);
    std::string stored = t.read("temp.tmp");
    const std::string top = "Name=Top\r\ncount=1\r\nyougot0=19";
    stored.replace(stored.find(top), top.size(), "Name=Top\r\ncount=1\r\nyougot0=9.5");
    t.write("temp.tmp", stored);
    followed("the working file edited on disk, unchanged sections kept", 2);
    EXPECT_EQ(rows(t).back().percent, "47.5");
    std::string edited = sampleRanges(); // by the user: the lowest bound of Simple moves
    edited.replace(edited.find("range0=50"), 9, "range0=45.5");
    t.write("graderanges.txt", edited);
    followed("bounds edited: grades and plans change, the tabs' marks do not", 0);
    deleteTab(t);
    followed("a tab deleted", 0);
    t.dialogs.press(Answer::Yes); // to lose the unsaved work
    t.run(&FrmGradeHelp::cmdResetAll_Click);
    followed("Reset All", 0);
    EXPECT_EQ(rows(t).size(), 1u);
    t.write("saved.tly", saveFileOf(4, 30));
    open(t, t.file("saved.tly"));
    followed("a file opened", 0);
    ASSERT_EQ(rows(t).size(), 4u);
    EXPECT_EQ(rows(t)[3].percent, "35");
}

TEST(Chart, ShowsThePercentageAfterEachMarkOverTheCurrentSystemsGradeBands) {
    const std::vector<MarkRow> marks = {
        {"8", "10", "50"}, {"5", "0", "25"}, {"15", "20", "25", MarkKind::WhatIf}};
    EXPECT_EQ(progressOf(marks),
              (std::vector<ChartPoint>{{1, 80, MarkKind::Real},
                                       {2, 80, MarkKind::Real}, // out of 0: the totals stay
                                       {3, 58.75, MarkKind::WhatIf}}));
    PercentSystem system;
    system.ranges = {"50", "65.5", "0", "0", "0", "0"};
    system.names = {"E", "D", "C", "0", "0", "0", "0"};
    EXPECT_EQ(gradeBands(system),
              (std::vector<GradeBand>{{"E", 0, 50}, {"D", 50, 65.5}, {"C", 65.5, std::nullopt}}));

    // The window, following a deletion, and every subject's line, the current one marked.
    StartedProgram t(sampleRanges());
    fillSubjects(t);
    t.run(&FrmGradeHelp::menChart_Click);
    selectMark(t, 0, 0);
    t.run(&FrmGradeHelp::menDelSelRes_Click);
    FrmChart& chart = t.program->frmChart;
    EXPECT_EQ(chart.data().title, "Maths, graded Simple");
    EXPECT_EQ(chart.data().lines.at(0).points,
              (std::vector<ChartPoint>{{1, 75, MarkKind::Real}, {2, 75, MarkKind::Real}}));
    t.run([](FrmGradeHelp& f) { f.program().frmChart.chkAllSubjects_Click(); });
    const ChartData shown = chart.data();
    EXPECT_EQ(shown.title, "All subjects, with the grades of Simple");
    std::vector<std::string> lines;
    for (const ChartLine& line : shown.lines)
        lines.push_back(line.name + (line.current ? "*" : "") + " " +
                        std::to_string(line.points.size()));
    EXPECT_EQ(lines,
              (std::vector<std::string>{"Maths* 2", "Bio 3", "Empty 0", "Tab 4 0", "Top 1"}));
}

} // namespace
} // namespace tallisto::testing
