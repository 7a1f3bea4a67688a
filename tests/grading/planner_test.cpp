// SPDX-License-Identifier: GPL-3.0-or-later
// The planner: for every grade, what the rest of a subject must average, checked against what the
// program itself shows once the rest is entered, for every average from 0 % to 100 %. Showing
// the plan changes nothing.
#include "shared/number_text.h"
#include "support/test_program.h"

#include <algorithm>
#include <gmock/gmock.h>

namespace tallisto::testing {
namespace {

using Grades = std::vector<GradeLevel>; // highest first

// What the program shows once the rest, `left` percent of weighting, is entered as one more mark
// with each average from 0 % to 100 %: the mark goes through the program's own mark entry after
// the tab's marks, as switching to the tab replays them, and the grade panel shows its grade.
struct Shown {
    std::vector<std::string> grades, grades20; // by average, in hundredths
    std::string worst, best;                   // the overall percentage at 0 % and at 100 %
};

Shown showRest(TestProgram& t, const std::string& left, bool twenty) {
    FrmGradeHelp& f = t.form();
    std::vector<Mark> marks;
    for (std::size_t i = 0; i < f.lstScore.list.size(); ++i)
        marks.push_back({f.lstScore.list[i], f.lstTotal.list[i], f.lstWeighting.list[i]});
    Shown shown;
    StampHold hold(t.program->ini); // nothing edits graderanges.txt meanwhile
    for (int average = 0; average <= 10000; ++average) {
        marks.push_back({numberText(average / 100.0), "100", left});
        // Straight through the procedures: a command's bookkeeping (files, recovery data) is
        // not what is checked, and 10001 of them a case would cost minutes.
        f.ResetTab();
        f.loadingMarks = true;
        for (const Mark& m : marks) {
            f.storedYouGot = m.score;
            f.storedOutOf = m.outOf;
            f.storedWeighting = m.weighting;
            f.cmdEasyWork_Click();
        }
        f.loadingMarks = false;
        f.GradeIs();
        marks.pop_back();
        shown.grades.push_back(f.lblGrade.caption);
        (average == 0 ? shown.worst : shown.best) = f.lblShit.caption;
        if (twenty) {
            t.ter().TimerFrmTer_Timer();
            shown.grades20.push_back(t.ter().lblGrade.caption);
        }
    }
    return shown;
}

// A grade's line: "NAME BOUND secured", "... possible NEED" or "... out-of-reach".
std::string lineOf(const GradeLevel& grade, PlanStatus status, int need) {
    return grade.name + " " + grade.bound +
           (status == PlanStatus::Secured      ? " secured"
            : status == PlanStatus::OutOfReach ? " out-of-reach"
                                               : " possible " + numberText(need / 100.0));
}

std::vector<std::string> linesOf(const std::vector<PlannedGrade>& planned) {
    std::vector<std::string> lines;
    for (const PlannedGrade& p : planned)
        lines.push_back(lineOf(p.grade, p.status, p.need));
    return lines;
}

// The lines the program's own grades call for, NEED being the first average at which it shows
// this grade or a higher one.
std::vector<std::string> linesOf(const Grades& grades, const std::vector<std::string>& shown) {
    const auto place = [&](const std::string& name) { // 0 for the highest grade, last if unknown
        return std::find_if(grades.begin(), grades.end(),
                            [&](const GradeLevel& g) { return g.name == name; }) -
               grades.begin();
    };
    std::vector<std::string> lines;
    for (const GradeLevel& grade : grades) {
        const auto earned = std::find_if(shown.begin(), shown.end(), [&](const std::string& name) {
            return place(name) <= place(grade.name);
        });
        const int average = static_cast<int>(earned - shown.begin());
        lines.push_back(lineOf(grade,
                               earned == shown.end() ? PlanStatus::OutOfReach
                               : average == 0        ? PlanStatus::Secured
                                                     : PlanStatus::Possible,
                               average));
    }
    return lines;
}

struct Row {
    Row(const char* name, std::string ranges, int gradeSys, std::vector<Mark> marks, bool hand,
        const char* left, Grades grades, const char* landmark, Grades grades20 = {})
        : name(name), ranges(std::move(ranges)), gradeSys(gradeSys), marks(std::move(marks)),
          handWritten(hand), left(left), grades(std::move(grades)), grades20(std::move(grades20)),
          landmark(landmark) {}
    const char* name;
    std::string ranges;
    int gradeSys;
    std::vector<Mark> marks; // typed
    bool handWritten;        // a save file written by hand opened first: weightings of 120 %
    const char* left;
    Grades grades, grades20;
    const char* landmark; // the line of one grade that this row is about
};

TEST(Planner, EveryGradeNeedsWhatTheProgramShowsOnceTheRestIsEntered) {
    const Grades aToE = {{"A", "85"}, {"B", "70"}, {"C", "55"}, {"D", "40"}, {"E", "0"}};
    const Grades sace = {{"A", "90"}, {"B", "75"}, {"C", "60"}, {"D", "50"}, {"E", "0"}};
    const Grades sace20 = {{"A", "18"}, {"B", "15"}, {"C", "12"}, {"D", "10"}, {"E", "0"}};
    const std::string shipped = shippedRanges();
    // Gradesys0 has one bound; Gradesys1 is missing.
    const std::string oneBound = crlf({"[Gradesys0]", "name=Pass or fail", "active=1", "range0=50",
                                       "rangename0=Fail", "rangename1=Pass"});
    const Row rows[] = {
        Row("no marks: all 100 % left", shipped, 0, {}, false, "100", aToE, "A 85 possible 84.75"),
        Row("all weighting entered", shipped, 0, {{"8", "10", "50"}, {"15", "20", "50"}}, false,
            "0", aToE, "B 70 secured"),
        Row("a hand-written file over 100 %", shipped, 0, {}, true, "0", aToE, "A 85 out-of-reach"),
        Row("exactly 100 % needed", shipped, 0, {{"80.9325", "100", "80"}}, false, "20", aToE,
            "A 85 possible 100"),
        Row("a hair more than 100 % needed", shipped, 0, {{"80.93", "100", "80"}}, false, "20",
            aToE, "A 85 out-of-reach"),
        Row("the final lands on the rounded bound", shipped, 0, {{"73.125", "100", "40"}}, false,
            "60", aToE, "A 85 possible 92.5"),
        Row("the final falls a hair short", shipped, 0, {{"73.11", "100", "40"}}, false, "60", aToE,
            "A 85 possible 92.51"),
        Row("84.75 % is shown as an A", shipped, 0, {{"84.75", "100", "100"}}, false, "0", aToE,
            "A 85 secured"),
        Row("a mark out of 0 counts as 0 %", shipped, 0, {{"7", "10", "50"}, {"5", "0", "20"}},
            false, "30", aToE, "B 70 out-of-reach"),
        Row("one bound", oneBound, 0, {{"3", "10", "30"}}, false, "70",
            {{"Pass", "50"}, {"Fail", "0"}}, "Pass 50 possible 58.21"),
        Row("a missing system", oneBound, 1, {{"3", "10", "30"}}, false, "70",
            {{"??", "0"}, {"0", "0"}}, "?? 0 secured"),
        Row("the grades out of 20", shipped, 3, {{"8", "10", "50"}}, false, "50", sace,
            "A 18 possible 97.5", sace20),
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        StartedProgram t(row.ranges);
        chooseGradeSys(t, row.gradeSys);
        if (row.handWritten) {
            t.write("hand.tly", crlf({"[TabInfo]", "NumTabs=1", "[Tab 0]", "Name=Hand", "count=2",
                                      "yougot0=90", "outof0=100", "weighting0=80", "yougot1=50",
                                      "outof1=100", "weighting1=40", "gradesys=0"}));
            open(t, t.file("hand.tly"));
        }
        for (const Mark& m : row.marks)
            t.enterMark(m.score, m.outOf, m.weighting);

        const std::string before = workState(t);
        t.run(&FrmGradeHelp::menPlan_Click);
        const Plan plan = t.program->frmPlan.plan();
        EXPECT_EQ(workState(t), before) << "showing the plan changes nothing";
        EXPECT_EQ(numberText(plan.left), row.left);
        const Shown shown = showRest(t, row.left, !row.grades20.empty());
        std::vector<std::string> planned = linesOf(plan.grades);
        EXPECT_EQ(planned, linesOf(row.grades, shown.grades));
        const std::vector<std::string> planned20 = linesOf(plan.grades20);
        EXPECT_EQ(planned20, linesOf(row.grades20, shown.grades20));
        planned.insert(planned.end(), planned20.begin(), planned20.end());
        EXPECT_THAT(planned, ::testing::Contains(row.landmark));
        EXPECT_EQ(numberText(plan.worst) + "% " + numberText(plan.best) + "%",
                  shown.worst + " " + shown.best);
    }
}

} // namespace
} // namespace tallisto::testing
