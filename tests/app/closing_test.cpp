// SPDX-License-Identifier: GPL-3.0-or-later
// Closing the program: the offer to save, each answer, and the settings kept for the next start.
#include "support/named_commands.h"

namespace tallisto::testing {
namespace {

std::string settings(const std::string& left, const std::string& top, const std::string& sys) {
    return crlf({"[Settings]", "Left=" + left, "Top=" + top, "gradesys=" + sys});
}

// The close box, Escape and both Exit controls run one sequence: Cancel keeps everything, and
// without unsaved work the program ends at once, writing settings.ini anew.
TEST(Closing, EveryWayToCloseAsksAndCancelKeepsTheWindowOpen) {
    for (const char* close :
         {"exit_Click", "cmdExit_Click", "Form_QueryUnload", "cmdEasyWork_KeyDown 27"}) {
        SCOPED_TRACE(close);
        StartedProgram t(shippedRanges(),
                         crlf({"[Other]", "kept=no", "[Settings]", "gradesys=2", "x=1"}));
        t.enterMark("8", "10", "50");
        addTabs(t, 1);
        const std::string before = windowState(t.form());
        EXPECT_EQ(give(t, close, "Cancel"), Program::Outcome::Ran);
        EXPECT_EQ(t.dialogs.last(),
                  R"(msgbox "Save Changes?" "Save Changes made to: <Unsaved>?" YesNoCancel)");
        EXPECT_EQ(windowState(t.form()), before);
        t.form().unsaved = false;
        t.form().frmGradeHelp.left = 2400;
        t.form().frmGradeHelp.top = -315;
        t.ter().show();
        EXPECT_EQ(give(t, close), Program::Outcome::Ended);
        EXPECT_EQ(t.read("settings.ini"), settings("2400", "-315", "2"));
        EXPECT_EQ(present(t, {"temp.tmp"}), "");
        EXPECT_FALSE(t.ter().frmTER.visible);
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
    give(t, "cmdOpen_Click");
    EXPECT_EQ(give(t, "exit_Click", "No"), Program::Outcome::Ended);
    EXPECT_EQ(t.read("settings.ini"), settings("1200", "1200", "0"));

    u.dialogs.press(Answer::Yes);
    u.dialogs.cancel();
    EXPECT_EQ(give(u, "exit_Click"), Program::Outcome::Ran) << "cancelled in the save dialog";
    EXPECT_EQ(std::tuple(u.form().exitAfterSave, u.form().unsaved, present(u, {"settings.ini"})),
              std::tuple(false, true, ""));
    addTabs(u, 1);
    clickTab(u, 1); // the working file now holds tab 0
    chooseGradeSys(u, 3);
    u.dialogs.press(Answer::Yes);
    u.dialogs.choose(u.file("new.tly"));
    EXPECT_EQ(give(u, "exit_Click"), Program::Outcome::Ended);
    EXPECT_EQ(present(u, {"new.tly", "temp.tmp"}), "new.tly");
    EXPECT_EQ(u.read("settings.ini"), settings("1200", "1200", "3"));
}

} // namespace
} // namespace tallisto::testing
