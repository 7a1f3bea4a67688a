// Start-up from settings.ini and graderanges.txt, and the window caption.
#include "support/sample_ranges.h"

namespace tallisto::testing {
namespace {

std::string settings(const std::string& gradesys, const std::string& left = "0",
                     const std::string& top = "0") {
    return crlf({"[Settings]", "Left=" + left, "Top=" + top, "gradesys=" + gradesys});
}

TEST(Startup, FreshStartShowsOneEmptyTabAndTheDesignedWindow) {
    TestProgram t(sampleRanges());
    t.start();
    const FrmGradeHelp& f = t.form();
    EXPECT_EQ(f.frmGradeHelp.caption, "Unsaved - Tallisto");
    ASSERT_EQ(f.cmdTab.size(), 1u);
    EXPECT_EQ(f.cmdTab[0].caption, "Tab 1");
    EXPECT_TRUE(f.cmdTab[0].checked);
    EXPECT_EQ(f.tabCount, 1);
    EXPECT_FALSE(f.unsaved);
    EXPECT_EQ(f.gradeSys, 0);
    EXPECT_TRUE(f.menGradesys[0].checked);
    EXPECT_EQ(f.menGradesys[0].caption, "Simple");
    EXPECT_EQ(f.menGradesys[3].caption, "Three");
    EXPECT_FALSE(f.menGradesys[2].visible) << "active=0 hides a system";
    EXPECT_TRUE(f.menGradesys[3].visible) << "active=1.0 counts as 1";
    for (const Control* c : {&f.menDelSelRes, &f.cmdsave, &f.mensave, &f.menSaveReport,
                             &f.menReportSet, &f.menResetAll, &f.reset, &f.menDelete})
        EXPECT_FALSE(c->enabled) << c->name;
    EXPECT_FALSE(f.cmdReset.visible);
    EXPECT_FALSE(f.cmdResetAll.visible);
    EXPECT_FALSE(f.HBar.visible);
    EXPECT_FALSE(f.menXP.checked);
    EXPECT_EQ(f.focus, "cmdEasyWork");
    EXPECT_FALSE(t.exists("temp.tmp"));
    EXPECT_FALSE(t.exists("settings.ini")) << "reading creates nothing";
}

TEST(Startup, SavedGradingSystemIsRestoredWithoutMarkingUnsaved) {
    struct Case {
        const char* gradesys;
        int expected;
        bool anyChecked;
    } cases[] = {{"3", 3, true},   {"2", 0, true}, {"1.0", 1, true},   {"7", 0, false},
                 {"abc", 0, true}, {"", 0, true},  {"1E400", 0, true}, {"-1", 0, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.gradesys);
        TestProgram t(sampleRanges());
        t.write("settings.ini", settings(c.gradesys));
        t.start();
        const FrmGradeHelp& f = t.form();
        EXPECT_EQ(f.gradeSys, c.expected);
        bool anyChecked = false;
        for (const Control& item : f.menGradesys)
            anyChecked |= item.checked;
        EXPECT_EQ(anyChecked, c.anyChecked);
        if (c.anyChecked) {
            EXPECT_TRUE(f.menGradesys[c.expected].checked);
        }
        EXPECT_FALSE(f.unsaved);
        EXPECT_FALSE(f.mensave.enabled);
    }
}

TEST(Startup, WindowPositionIsAppliedUnlessItReadsExactlyZero) {
    TestProgram t(sampleRanges());
    t.write("settings.ini", settings("0", "0", "900"));
    t.start();
    const int defaultLeft = TestProgram(sampleRanges()).form().frmGradeHelp.left;
    EXPECT_EQ(t.form().frmGradeHelp.left, defaultLeft);
    EXPECT_EQ(t.form().frmGradeHelp.top, 900);

    TestProgram u(sampleRanges());
    u.write("settings.ini", settings("0", "0.0", "2400.5"));
    u.start();
    EXPECT_EQ(u.form().frmGradeHelp.left, 0) << "0.0 is a position, not a missing one";
    EXPECT_EQ(u.form().frmGradeHelp.top, 2400);
}

TEST(Startup, AnyContentOfTheSettingsAndRangesFilesStartsTheProgram) {
    const std::string garbage[] = {
        std::string("\0\xff\xfe[Settings\r\nLeft=\x01\x02\r\n", 22),
        crlf({"[Settings]", "Left=1e999", "Top=-1e999", "gradesys=1e999"}),
        crlf({"[Settings]", "Left=", "Top=abc", "gradesys="}),
        std::string(5000, '['),
    };
    for (const std::string& content : garbage) {
        TestProgram t(content);
        t.write("settings.ini", content);
        t.start();
        const FrmGradeHelp& f = t.form();
        EXPECT_GE(f.gradeSys, 0);
        EXPECT_LE(f.gradeSys, 3);
        EXPECT_LE(std::abs(f.frmGradeHelp.left), 1'000'000);
        EXPECT_LE(std::abs(f.frmGradeHelp.top), 1'000'000);
        t.enterMark("8", "10", "50");
        EXPECT_EQ(f.lblShit.caption, "80%");
    }
}

TEST(Startup, MissingRangesFileSaysSoInTheMenu) {
    TestProgram t("");
    t.write("settings.ini", settings("2"));
    t.start();
    const FrmGradeHelp& f = t.form();
    EXPECT_EQ(f.menGradesys[0].caption, "graderanges.txt was not found.");
    EXPECT_TRUE(f.menGradesys[1].visible);
    EXPECT_EQ(f.menGradesys[1].caption, "Please Reinstall Tallisto.");
    EXPECT_FALSE(f.menGradesys[2].visible);
    EXPECT_FALSE(f.menGradesys[3].visible);
    EXPECT_FALSE(f.seper3.visible);
    EXPECT_FALSE(f.menEditRanges.visible);
    EXPECT_EQ(f.gradeSys, 0);
    EXPECT_TRUE(t.dialogs.shown.empty());
}

TEST(Startup, LeftoverWorkingFileIsDeletedAndManifestSetsTheCheckMark) {
    TestProgram t(sampleRanges());
    t.write("temp.tmp", crlf({"[Tab 0]", "Name=Old"}));
    t.write("tallisto.exe.manifest", "x");
    t.start();
    EXPECT_FALSE(t.exists("temp.tmp"));
    EXPECT_TRUE(t.form().menXP.checked);
}

TEST(Caption, ShowsFileFlagPercentageAndTab) {
    TestProgram t(sampleRanges());
    t.start();
    FrmGradeHelp& f = t.form();
    t.run([](FrmGradeHelp& f) { f.formnamerefresh(); });
    EXPECT_EQ(f.frmGradeHelp.caption, "Unsaved - Tallisto");
    f.unsaved = true;
    t.run([](FrmGradeHelp& f) { f.formnamerefresh(); });
    EXPECT_EQ(f.frmGradeHelp.caption, "* Unsaved - Tallisto");
    f.currentFileTitle = "marks.tly";
    t.run([](FrmGradeHelp& f) { f.formnamerefresh(); });
    EXPECT_EQ(f.frmGradeHelp.caption, "* marks.tly - Tallisto");
    t.enterMark("171", "200", "100");
    EXPECT_EQ(f.frmGradeHelp.caption, "* marks.tly - 85.5% in Tab 1 - Tallisto");
    f.unsaved = false;
    f.cmdTab[0].caption = "Physics";
    t.run([](FrmGradeHelp& f) { f.formnamerefresh(); });
    EXPECT_EQ(f.frmGradeHelp.caption, "marks.tly - 85.5% in Physics - Tallisto");
}

} // namespace
} // namespace tallisto::testing
