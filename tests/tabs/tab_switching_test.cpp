// Switching tabs: each tab keeps its marks, totals and grading system through the working file.
#include "tabs/tab_actions.h"

namespace tallisto::testing {
namespace {

TEST(TabSwitching, RoundTripsKeepMarksTotalsAndGradingSystems) {
    TestProgram t(sampleRanges());
    t.start();
    t.enterMark("8", "10", "50");
    t.enterMark("15", "20", "25");
    t.run([](FrmGradeHelp& f) { f.menGradesys_Click(1); }); // out of 20: shows the /20 button
    const TabView first = viewOf(t.form());
    ASSERT_TRUE(first.terButton);

    addTabs(t, 1);
    clickTab(t, 1);
    EXPECT_TRUE(t.form().lstScore.list.empty()) << "a tab never visited opens empty";
    EXPECT_EQ(t.form().gradeSys, 1) << "and keeps the grading system in use";
    t.enterMark("3", "4", "10");
    t.enterMark("5", "0", "20");
    t.run([](FrmGradeHelp& f) { f.menGradesys_Click(3); });
    const TabView second = viewOf(t.form());
    const std::size_t dialogs = t.dialogs.shown.size();

    for (int round = 0; round < 2; ++round) {
        clickTab(t, 0);
        EXPECT_EQ(viewOf(t.form()), first);
        EXPECT_TRUE(t.form().menGradesys[1].checked);
        // The caption is refreshed before the grade rounds the percentage to a half.
        EXPECT_EQ(t.form().frmGradeHelp.caption, "* Unsaved - 78.33% in Tab 1 - Tallisto");
        clickTab(t, 1);
        EXPECT_EQ(viewOf(t.form()), second);
        EXPECT_TRUE(t.form().menGradesys[3].checked);
        EXPECT_FALSE(t.form().menGradesys[1].checked);
    }
    EXPECT_EQ(pressedTabs(t.form()), std::vector<int>{1});
    EXPECT_EQ(t.form().focus, "cmdEasyWork");
    EXPECT_EQ(t.dialogs.shown.size(), dialogs) << "switching asks nothing";
}

TEST(TabSwitching, SwitchingItselfChangesNothingUnsaved) {
    TestProgram t(sampleRanges());
    t.start();
    addTabs(t, 1);
    t.run([](FrmGradeHelp& f) {
        f.unsaved = false;
        f.mensave.enabled = false;
    });
    clickTab(t, 1);
    clickTab(t, 0);
    EXPECT_FALSE(t.form().unsaved);
    EXPECT_FALSE(t.form().mensave.enabled);
    EXPECT_EQ(t.form().frmGradeHelp.caption, "Unsaved - Tallisto")
        << "a tab without marks shows no percentage";
}

TEST(TabSwitching, StoredNameDecidesWhetherATabIsFoundAgain) {
    TestProgram t(sampleRanges());
    t.start();
    addTabs(t, 2);
    // Sections a hand-edited or older working file may hold.
    t.write("temp.tmp", crlf({"[Tab 1]", "Name=Other", "count=1", "yougot0=5", "outof0=10",
                              "weighting0=10", "gradesys=3", "[Tab 2]", "Name=tab 3", "count=1",
                              "yougot0=5", "outof0=10", "weighting0=10", "gradesys=3"}));
    clickTab(t, 1);
    EXPECT_TRUE(t.form().lstScore.list.empty()) << "stored under another name";
    EXPECT_EQ(t.form().gradeSys, 0) << "its stored grading system is not applied";
    clickTab(t, 2);
    EXPECT_TRUE(t.form().lstScore.list.empty()) << "names are compared with letter case";

    // A renamed tab is stored under its new name when it is left, and found again by it.
    t.enterMark("6", "8", "40");
    rename(t, "Biology");
    clickTab(t, 0);
    clickTab(t, 2);
    EXPECT_EQ(t.form().lstScore.list, std::vector<std::string>{"6"});
    EXPECT_EQ(t.form().frmGradeHelp.caption, "* Unsaved - 75% in Biology - Tallisto");
}

TEST(TabSwitching, TabNamedZeroWithoutASectionOpensEmptyWithTheFirstSystem) {
    TestProgram t(sampleRanges());
    t.start();
    t.run([](FrmGradeHelp& f) { f.menGradesys_Click(3); });
    addTabs(t, 1);
    t.form().cmdTab[1].caption = "0"; // as a rename of a tab never stored leaves it
    clickTab(t, 1);
    EXPECT_TRUE(t.form().lstScore.list.empty());
    EXPECT_EQ(t.form().gradeSys, 0) << "the missing section reads as name 0 and gradesys 0";
}

TEST(TabSwitching, StoredGradingSystemOutsideTheFourLeavesTheOneInUse) {
    TestProgram t(sampleRanges());
    t.start();
    addTabs(t, 1);
    t.write("temp.tmp", crlf({"[Tab 1]", "Name=Tab 2", "count=0", "gradesys=7"}));
    t.run([](FrmGradeHelp& f) { f.menGradesys_Click(3); });
    clickTab(t, 1);
    EXPECT_EQ(t.form().gradeSys, 3);
    EXPECT_FALSE(t.form().loadingTabs);
}

TEST(TabSwitching, ClickOnTheCurrentTabStoresNothingAndShowsTheGradeAgain) {
    TestProgram t(sampleRanges());
    t.start();
    t.enterMark("8", "10", "50");
    const std::string grade = t.form().lblGrade.caption;
    t.run([](FrmGradeHelp& f) {
        f.lblGrade.caption = "?";
        f.focus = "cmdTab(0)";
    });
    clickTab(t, 0);
    EXPECT_EQ(t.form().lblGrade.caption, grade);
    EXPECT_EQ(t.form().focus, "cmdEasyWork");
    EXPECT_FALSE(t.exists("temp.tmp"));
}

TEST(TabSwitching, WhileLoadingTabsASwitchOnlyStoresTheTabLeft) {
    TestProgram t(sampleRanges());
    t.start();
    t.enterMark("8", "10", "50");
    addTabs(t, 1);
    const std::string caption = t.form().frmGradeHelp.caption;
    t.run([](FrmGradeHelp& f) {
        f.loadingTabs = true;
        f.cmdTab_Click(1);
        f.loadingTabs = false;
    });
    EXPECT_EQ(t.form().currentTab, 1);
    EXPECT_EQ(t.form().lstScore.list, std::vector<std::string>{"8"}) << "the caller fills them";
    EXPECT_EQ(t.form().frmGradeHelp.caption, caption);
    EXPECT_NE(t.read("temp.tmp").find("[Tab 0]\r\nName=Tab 1\r\ncount=1\r\n"), std::string::npos);
}

TEST(TabSwitching, MiddleClickDeletesTheTabUnderTheMouse) {
    TestProgram t(sampleRanges());
    t.start();
    addTabs(t, 3);
    clickTab(t, 1);
    t.enterMark("9", "10", "30");

    // Another tab: it goes, and the user stays where they were, marks and all.
    t.run([](FrmGradeHelp& f) { f.cmdTab_MouseUp(2, vbMiddleButton); });
    EXPECT_FALSE(t.form().cmdTab[2].visible);
    EXPECT_EQ(t.form().currentTab, 1);
    EXPECT_EQ(t.form().lstScore.list, std::vector<std::string>{"9"});
    EXPECT_EQ(t.form().tabCount, 3);

    // Other buttons do nothing.
    for (int button : {vbLeftButton, vbRightButton})
        t.run([button](FrmGradeHelp& f) { f.cmdTab_MouseUp(3, button); });
    EXPECT_TRUE(t.form().cmdTab[3].visible);

    // The current tab: it goes, and its neighbour to the right becomes current.
    t.run([](FrmGradeHelp& f) { f.cmdTab_MouseUp(1, vbMiddleButton); });
    EXPECT_FALSE(t.form().cmdTab[1].visible);
    EXPECT_EQ(t.form().currentTab, 3);
    EXPECT_EQ(t.form().tabCount, 2);

    // A hidden tab cannot be clicked, nor the last tab shown deleted.
    t.run([](FrmGradeHelp& f) { f.cmdTab_MouseUp(1, vbMiddleButton); });
    EXPECT_EQ(t.form().tabCount, 2);
    t.run([](FrmGradeHelp& f) { f.cmdTab_MouseUp(0, vbMiddleButton); });
    t.run([](FrmGradeHelp& f) { f.cmdTab_MouseUp(3, vbMiddleButton); });
    EXPECT_EQ(t.form().tabCount, 1);
    EXPECT_TRUE(t.form().cmdTab[3].visible);
    EXPECT_EQ(t.form().currentTab, 3);
}

TEST(TabSwitching, DoubleClickRenamesTheTabAndFocusGoesToTheBigButton) {
    TestProgram t(sampleRanges());
    t.start();
    addTabs(t, 1);
    t.dialogs.type("Chemistry");
    t.run([](FrmGradeHelp& f) {
        f.cmdTab_Click(1);
        f.cmdTab_DblClick(1);
    });
    EXPECT_EQ(t.form().cmdTab[1].caption, "Chemistry");
    EXPECT_EQ(t.dialogs.shown.back().prompt, "Enter the new name of Tab 2");
    t.run([](FrmGradeHelp& f) {
        f.focus = "cmdTab(0)";
        f.cmdTab_GotFocus(0);
    });
    EXPECT_EQ(t.form().focus, "cmdEasyWork");
}

TEST(TabSwitching, TabThatCannotBeStoredStaysOpenWithNothingLost) {
    TestProgram t(sampleRanges());
    FullDisk disk;
    useWriter(t, disk.writer());
    t.start();
    t.enterMark("8", "10", "50");
    addTabs(t, 2);
    clickTab(t, 1);
    t.enterMark("3", "4", "10");
    const std::string storedBefore = t.read("temp.tmp");
    const TabView before = viewOf(t.form());
    const std::string caption = t.form().frmGradeHelp.caption;

    disk.full = true;
    t.dialogs.press(Answer::OK);
    clickTab(t, 0);
    ASSERT_EQ(t.dialogs.shown.back().kind, "msgbox");
    EXPECT_EQ(t.dialogs.shown.back().title, "Tallisto");
    EXPECT_EQ(t.dialogs.shown.back().buttons, Buttons::OK);
    EXPECT_NE(t.dialogs.shown.back().prompt.find("\"Tab 2\" could not be stored"),
              std::string::npos);
    EXPECT_NE(t.dialogs.shown.back().prompt.find("No space left on device"), std::string::npos);
    EXPECT_EQ(t.form().currentTab, 1);
    EXPECT_EQ(viewOf(t.form()), before);
    EXPECT_EQ(t.form().frmGradeHelp.caption, caption);
    EXPECT_EQ(pressedTabs(t.form()), std::vector<int>{1});
    EXPECT_EQ(t.read("temp.tmp"), storedBefore);

    // A middle click on another tab must not delete the tab the user is kept on.
    t.dialogs.press(Answer::OK);
    t.run([](FrmGradeHelp& f) { f.cmdTab_MouseUp(2, vbMiddleButton); });
    EXPECT_EQ(t.form().tabCount, 3);
    EXPECT_TRUE(t.form().cmdTab[1].visible);
    EXPECT_TRUE(t.form().cmdTab[2].visible);

    // Deleting the current tab needs nothing of it stored: it goes without a message.
    const std::size_t dialogs = t.dialogs.shown.size();
    deleteCurrentTab(t);
    EXPECT_EQ(t.dialogs.shown.size(), dialogs);
    EXPECT_EQ(t.form().currentTab, 2);

    disk.full = false;
    clickTab(t, 0);
    EXPECT_EQ(t.form().lstScore.list, std::vector<std::string>{"8"});
    clickTab(t, 2);
    EXPECT_TRUE(t.form().lstScore.list.empty());
}

TEST(TabSwitching, DeferredCheckWritesTheWorkingFileOnceAtTheEnd) {
    TestProgram t(sampleRanges());
    FullDisk disk;
    useWriter(t, disk.writer());
    t.start();
    addTabs(t, 2);
    t.enterMark("8", "10", "50");
    const std::string file = t.file("temp.tmp");
    t.run([&](FrmGradeHelp& f) {
        f.deferWorkingFileCheck = true;
        f.cmdTab_Click(1);
        f.cmdTab_Click(2);
        f.cmdTab_Click(0);
        f.deferWorkingFileCheck = false;
        EXPECT_FALSE(std::filesystem::exists(file)) << "nothing written while the loop ran";
        EXPECT_TRUE(f.program().ini.exists(file));
        EXPECT_TRUE(f.workingFileStored());
        EXPECT_TRUE(std::filesystem::exists(file));
    });
    EXPECT_NE(t.read("temp.tmp").find("[Tab 2]"), std::string::npos);
    EXPECT_EQ(t.form().lstScore.list, std::vector<std::string>{"8"});

    disk.full = true;
    t.dialogs.press(Answer::OK);
    t.run([](FrmGradeHelp& f) {
        f.deferWorkingFileCheck = true;
        f.cmdTab_Click(1);
        f.cmdTab_Click(0);
        f.deferWorkingFileCheck = false;
        EXPECT_FALSE(f.workingFileStored());
    });
    EXPECT_NE(t.dialogs.shown.back().prompt.find("could not be stored"), std::string::npos);
    EXPECT_EQ(t.form().lstScore.list, std::vector<std::string>{"8"});
}

} // namespace
} // namespace tallisto::testing
