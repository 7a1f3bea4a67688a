// SPDX-License-Identifier: GPL-3.0-or-later
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
        StartedProgram t(shippedRanges(),
                         crlf({"[Other]", "kept=no", "[Settings]", "gradesys=2", "x=1"}));
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
    }
}

// No ends without saving. Yes without a file saves through Save As, where Cancel keeps the window
// open and success still writes the settings and removes the working file.
TEST(Closing, NoEndsWithoutSavingAndYesSavesThroughSaveAs) {
    StartedProgram t, u;
    for (TestProgram* p : {&t, &u})
        p->enterMark("8", "10", "50");
    // A cancelled open leaves the work unsaved, so that closing still asks.
    t.dialogs.press(Answer::Yes);
    t.dialogs.cancel();
    t.run([](FrmGradeHelp& f) { f.cmdOpen_Click(); });
    t.dialogs.press(Answer::No);
    EXPECT_FALSE(t.run([](FrmGradeHelp& f) { f.exit_Click(); }));
    EXPECT_EQ(t.read("settings.ini"), settings("1200", "1200", "0"));

    u.dialogs.press(Answer::Yes);
    u.dialogs.cancel();
    EXPECT_TRUE(u.run([](FrmGradeHelp& f) { f.exit_Click(); })) << "cancelled in the save dialog";
    EXPECT_FALSE(u.form().exitAfterSave || !u.form().unsaved || u.exists("settings.ini"));
    addTabs(u, 1);
    clickTab(u, 1); // the working file now holds tab 0
    chooseGradeSys(u, 3);
    u.dialogs.press(Answer::Yes);
    u.dialogs.choose(u.file("new.tly"));
    EXPECT_FALSE(u.run([](FrmGradeHelp& f) { f.exit_Click(); }));
    EXPECT_TRUE(u.exists("new.tly") && !u.exists("temp.tmp"));
    EXPECT_EQ(u.read("settings.ini"), settings("1200", "1200", "3"));
}

} // namespace
} // namespace tallisto::testing
