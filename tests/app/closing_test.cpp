// Closing the program: the offer to save, each answer, and the settings kept for the next start.
#include "support/test_program.h"

namespace tallisto::testing {
namespace {

std::string settings(const std::string& left, const std::string& top, const std::string& sys) {
    return crlf({"[Settings]", "Left=" + left, "Top=" + top, "gradesys=" + sys});
}

// The close box, Escape and both Exit controls run one sequence: Cancel keeps everything, and
// without unsaved work the program ends at once, writing settings.ini anew.
TEST(Closing, EveryWayToCloseAsksAndCancelKeepsTheWindowOpen) {
    for (const std::function<void(FrmGradeHelp&)>& close :
         {std::function([](FrmGradeHelp& f) { f.exit_Click(); }),
          std::function([](FrmGradeHelp& f) { f.cmdExit_Click(); }),
          std::function([](FrmGradeHelp& f) { f.unloadMainWindow(); }),
          std::function([](FrmGradeHelp& f) { f.cmdEasyWork_KeyDown(vbKeyEscape, 0); })}) {
        TestProgram t;
        t.write("settings.ini", crlf({"[Other]", "kept=no", "[Settings]", "gradesys=2", "x=1"}));
        t.start();
        t.enterMark("8", "10", "50");
        addTabs(t, 1);
        const std::string before = windowState(t.form());
        t.dialogs.press(Answer::Cancel);
        EXPECT_TRUE(t.run(close));
        EXPECT_EQ(t.dialogs.last(),
                  R"(msgbox "Save Changes?" "Save Changes made to: <Unsaved>?" YesNoCancel)");
        EXPECT_EQ(windowState(t.form()), before);

        t.form().unsaved = false;
        t.form().frmGradeHelp.left = 2400;
        t.form().frmGradeHelp.top = -315;
        t.ter().show();
        EXPECT_FALSE(t.run(close));
        EXPECT_EQ(t.read("settings.ini"), settings("2400", "-315", "2"));
        EXPECT_FALSE(t.exists("temp.tmp") || t.ter().frmTER.visible);
        EXPECT_EQ(t.dialogs.shown.size(), 4u) << "no further question";
    }
}

// Cancelling the open dialog keeps the work unsaved, so that closing still offers to save it.
TEST(Closing, NoEndsWithoutSavingAndYesSavesToTheBoundFile) {
    TestProgram t, u;
    t.start();
    t.enterMark("8", "10", "50");
    const std::string before = windowState(t.form());
    t.dialogs.press(Answer::Yes);
    t.dialogs.cancel();
    t.run([](FrmGradeHelp& f) { f.cmdOpen_Click(); });
    EXPECT_EQ(windowState(t.form()), before);
    t.dialogs.press(Answer::No);
    EXPECT_FALSE(t.run([](FrmGradeHelp& f) { f.exit_Click(); }));
    EXPECT_EQ(t.read("settings.ini"), settings("1200", "1200", "0"));

    u.start();
    u.enterMark("8", "10", "50");
    ASSERT_TRUE(saveAs(u, u.file("marks.tly")));
    u.enterMark("3", "4", "20");
    chooseGradeSys(u, 2);
    u.dialogs.press(Answer::Yes);
    EXPECT_FALSE(u.run([](FrmGradeHelp& f) { f.exit_Click(); }));
    EXPECT_EQ(u.dialogs.last(),
              R"(msgbox "Save Changes?" "Save Changes made to: marks.tly?" YesNoCancel)");
    EXPECT_NE(u.read("marks.tly").find("yougot1=3\r\noutof1=4\r\nweighting1=20\r\ngradesys=2"),
              std::string::npos);
    EXPECT_EQ(u.read("settings.ini"), settings("1200", "1200", "2"));
}

// When closing saves through Save As, the settings are still written and the working file goes.
TEST(Closing, YesWithoutAFileGoesThroughSaveAs) {
    TestProgram t;
    t.start();
    t.enterMark("8", "10", "50");
    t.dialogs.press(Answer::Yes);
    t.dialogs.cancel();
    EXPECT_TRUE(t.run([](FrmGradeHelp& f) { f.exit_Click(); })) << "cancelled in the dialog";
    EXPECT_TRUE(t.form().unsaved);
    EXPECT_FALSE(t.form().exitAfterSave || t.exists("settings.ini"));
    addTabs(t, 1);
    clickTab(t, 1);
    chooseGradeSys(t, 3);
    ASSERT_TRUE(t.exists("temp.tmp"));
    t.dialogs.press(Answer::Yes);
    t.dialogs.choose(t.file("new.tly"));
    EXPECT_FALSE(t.run([](FrmGradeHelp& f) { f.exit_Click(); }));
    EXPECT_TRUE(t.exists("new.tly"));
    EXPECT_EQ(t.read("settings.ini"), settings("1200", "1200", "3"));
    EXPECT_FALSE(t.exists("temp.tmp"));
}

} // namespace
} // namespace tallisto::testing
