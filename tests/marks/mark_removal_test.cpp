// SPDX-License-Identifier: GPL-3.0-or-later
// Deleting one selected mark, all of a tab's, or everything at once with Reset All.
#include "support/sample_ranges.h"

namespace tallisto::testing {
namespace {

// Any of the four lists selects the mark of its row, and deleting it replays the others: the tab
// equals one where only they were entered. A stale selection ("-1" from a click beside the
// entries of another list, or an index the lists do not hold) deletes nothing and changes nothing.
TEST(MarkRemoval, DeletingTheMiddleMarkEqualsTheTabOfTheOtherTwo) {
    for (int list = 0; list < 4; ++list) {
        StartedProgram t(sampleRanges()), two(sampleRanges());
        for (TestProgram* p : {&t, &two}) {
            addTabs(*p, 1); // among several tabs a deletion is a change to save
            p->enterMark("8", "10", "50");
            if (p == &t) p->enterMark("1", "3", "20");
            p->enterMark("15", "20", "25");
        }
        t.form().unsaved = false;
        t.form().mensave.enabled = false;
        selectMark(t, list, -1);
        EXPECT_FALSE(t.form().menDelSelRes.enabled);
        selectMark(t, list, 1);
        selectMark(t, (list + 1) % 4, -1);
        const std::string before = windowState(t.form());
        for (const char* stale : {"-1", "", "abc", "3", "40000", "1.5", " 1"}) {
            t.form().selectedMark = stale;
            deleteSelectedMark(t);
            EXPECT_EQ(windowState(t.form()), before) << "selectedMark=" << stale;
        }
        EXPECT_FALSE(t.exists("temp.tmp")) << "nothing stored";
        selectMark(t, list, 1);
        deleteSelectedMark(t);
        EXPECT_EQ(windowState(t.form()), windowState(two.form())) << list;
    }
}

// Reset Tab leaves the tab as if it had been named and given its system but no marks: among
// several tabs that is a change to save. The working file is not touched.
TEST(MarkRemoval, ResetTabEmptiesTheTabAndKeepsItsNameAndSystem) {
    StartedProgram t(sampleRanges()), twin(sampleRanges());
    for (TestProgram* p : {&t, &twin}) {
        addTabs(*p, 1);
        fillTab(*p, "Maths", {}, 3);
    }
    t.enterMark("8", "10", "50");
    selectMark(t, 0, 0);
    t.form().unsaved = false;
    t.form().mensave.enabled = false;
    t.run([](FrmGradeHelp& f) { f.reset_Click(); });
    EXPECT_EQ(windowState(t.form()), windowState(twin.form()));
    EXPECT_FALSE(t.exists("temp.tmp"));
    t.enterMark("3", "4", "10");
    twin.enterMark("3", "4", "10");
    EXPECT_EQ(windowState(t.form()), windowState(twin.form())) << "every total starts at 0";
}

TEST(MarkRemoval, ResetAllBringsBackTheStartState) {
    const std::string settings = crlf({"[Settings]", "gradesys=3"});
    StartedProgram fresh(sampleRanges(), settings), t(sampleRanges(), settings);
    addTabs(t, 7);
    rename(t, "Maths");
    t.enterMark("8", "10", "50");
    clickTab(t, 3);
    deleteTab(t);
    pressKey(t, vbKeyTab);
    t.form().currentFilePath = "/somewhere/marks.tly";
    t.dialogs.press(Answer::No); // No changes nothing
    t.run([](FrmGradeHelp& f) { f.menResetAll_Click(); });
    EXPECT_EQ(t.dialogs.last(),
              R"(msgbox "Continue?" "Unsaved work will be lost, continue?" YesNo)");
    EXPECT_EQ(t.form().cmdTab.size(), 8u);

    t.dialogs.press(Answer::Yes);
    t.run([](FrmGradeHelp& f) { f.cmdResetAll_Click(); });
    EXPECT_EQ(windowState(t.form()), windowState(fresh.form()));
    EXPECT_FALSE(t.exists("temp.tmp")) << "nothing of the old tabs may come back";
}

} // namespace
} // namespace tallisto::testing
