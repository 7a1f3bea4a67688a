// SPDX-License-Identifier: GPL-3.0-or-later
// Grades: the search through a system's bounds, the shipped systems, the grade panel and the
// choice of a system.
#include "grading/grade_ranges.h"
#include "shared/number_text.h"
#include "support/sample_ranges.h"
#include "support/test_program.h"

#include <gmock/gmock.h>
#include <tuple>
#include <vector>

namespace tallisto::testing {
namespace {

using Texts = std::vector<std::string>;

// A system with the given bounds and names; the rest reads "0", as missing keys do.
template <typename System> System make(const Texts& ranges, const Texts& names) {
    System system;
    system.ranges.fill("0");
    system.names.fill("0");
    std::copy(ranges.begin(), ranges.end(), system.ranges.begin());
    std::copy(names.begin(), names.end(), system.names.begin());
    return system;
}

TEST(GradeRanges, boundsEndTheirListAndShowAsTheyAreWritten) {
    const Texts six = {"40", "50", "60", "70", "80", "90"};
    // name, percent or out-of-20 system, bounds, names, value, grade
    const std::tuple<const char*, int, Texts, Texts, double, GradeResult> rows[] = {
        {"six bounds", 100, six, {"U", "E", "D", "C", "B", "A", "A*"}, 90, {"A*", "(>90%)", 6}},
        {"50.0 is 50", 100, {"50.0", "65"}, {"E", "D"}, 50, {"D", "(>50.0% <65%)", 1}},
        {"0.0 ends it", 100, {"50", "0.0", "65"}, {"F", "P", "C"}, 70, {"P", "(>50%)", 1}},
        {"missing", 100, {}, {}, 72.5, {"??", "(>0%)", 1}},
        {"a missing name shows 0", 100, {"50", "60"}, {"E", "D"}, 70, {"0", "(>60%)", 2}},
        {"only the text 0 ends it", 20, {"10", "0", "15"}, {"F", "P", "C"}, 16, {"P", "(>10)", 1}},
        {"0.0 does not", 20, {"10", "0.0", "15"}, {"F", "P", "C"}, 12, {"C", "(>0.0 <15)", 2}},
        {"missing", 20, {}, {}, 14.5, {"??", "(>0)", 1}},
    };
    for (const auto& [name, outOf, ranges, names, value, expected] : rows)
        EXPECT_EQ(outOf == 20 ? findOutOf20Grade(make<OutOf20System>(ranges, names), value)
                              : findPercentGrade(make<PercentSystem>(ranges, names), value),
                  expected)
            << name << " out of " << outOf;
}

// Bounds ascend until their list ends, and every grade they leave room for has a name.
void expectWellFormed(const std::vector<GradeLevel>& grades, const std::string& label) {
    for (std::size_t k = 0; k < grades.size(); ++k) {
        EXPECT_THAT(grades[k].name, ::testing::Not(::testing::AnyOf("0", "??"))) << label << k;
        if (k > 1) {
            EXPECT_GT(numberValue(grades[k].bound), numberValue(grades[k - 1].bound)) << label;
        }
    }
}

TEST(ShippedGradeRanges, everySystemIsOfferedWithNamedAscendingGrades) {
    const std::string file = std::string(TALLISTO_DATA_DIR) + "/graderanges.txt";
    const std::string bytes = bytesOf(file);
    ASSERT_FALSE(bytes.empty());
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'),
              std::count(bytes.begin(), bytes.end(), '\r'))
        << "lines end in CR LF";
    IniFiles ini;
    for (int n = 0; n < 4; ++n) {
        const std::string section = percentSystemSection(n);
        EXPECT_NE(ini.ReadIniValue(file, section, "name", "0"), "0") << section;
        EXPECT_EQ(ini.ReadIniValue(file, section, "active", "0"), "1") << section;
        expectWellFormed(percentGrades(readPercentSystem(ini, file, n)), section);
    }
    expectWellFormed(outOf20Grades(readOutOf20System(ini, file)), outOf20Section);
}

TEST(GradingMenu, ChoosingASystemMarksUnsavedRegradesAndShowsTheOutOf20Button) {
    StartedProgram t(sampleRanges());
    FrmGradeHelp& f = t.form();
    chooseGradeSys(t, 3);
    EXPECT_EQ(std::tuple(f.menGradesys[3].checked, f.menGradesys[0].checked, f.gradeSys, f.unsaved,
                         f.mensave.enabled),
              std::tuple(true, false, 3, true, true));
    EXPECT_EQ(f.lblGradeSys.caption, "") << "no marks: the panel stays as it was";

    t.enterMark("72.25", "100", "100");
    EXPECT_EQ(f.lblGrade.caption + " at " + f.lblShit.caption, "High at 72.25%")
        << "the label keeps the unrounded value";
    chooseGradeSys(t, 1);
    EXPECT_EQ(f.lblGrade.caption + " " + f.lblGradeSys.caption, "Pass Using Twenty grading.");
    EXPECT_TRUE(f.cmdTER.visible);
    t.run(&FrmGradeHelp::cmdTER_Click);

    // An edited bound counts at the next grade; a system without "OutOf20" hides the window and
    // leaves its timer running.
    std::string edited = sampleRanges();
    edited.replace(edited.find("range0=50\r"), 10, "range0=73\r");
    t.write("graderanges.txt", edited);
    chooseGradeSys(t, 0);
    EXPECT_EQ(f.lblGrade.caption + " " + f.lblGradePer.caption, "E (<73%)");
    EXPECT_EQ(std::tuple(f.cmdTER.visible, t.ter().frmTER.visible, t.ter().TimerFrmTer.enabled),
              std::tuple(false, false, true));

    t.run(&FrmGradeHelp::menEditRanges_Click);
    EXPECT_EQ(t.dialogs.last(), describe({"editor", "", t.file("graderanges.txt")}));
    // Where no program can show the file, the user learns where it is.
    t.dialogs.editorStarts = false;
    t.dialogs.press(Answer::OK);
    t.run(&FrmGradeHelp::menEditRanges_Click);
    EXPECT_EQ(t.dialogs.last(),
              describe({"msgbox", "Tallisto",
                        "No program could be started to open " + t.file("graderanges.txt") + "."}));
}

} // namespace
} // namespace tallisto::testing
