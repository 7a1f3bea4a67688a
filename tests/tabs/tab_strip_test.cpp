// The tab strip's scroll bar and the keys of the big button.
#include "tabs/tab_actions.h"

namespace tallisto::testing {
namespace {

constexpr int W = 854;
constexpr int viewport = 4280;

TEST(TabStrip, ScrollBarShowsExactlyWhileTheTabsAreWiderThanTheViewport) {
    TestProgram t(sampleRanges());
    t.start();
    FrmGradeHelp& f = t.form();
    addTabs(t, 4);
    EXPECT_EQ(f.picInner.width, 5 * W);
    EXPECT_FALSE(f.HBar.visible) << "five tabs fit";
    EXPECT_FALSE(f.Line4.visible);

    addTabs(t, 1);
    EXPECT_TRUE(f.HBar.visible);
    EXPECT_TRUE(f.Line4.visible);
    EXPECT_EQ(f.HBar.min, 0);
    EXPECT_EQ(f.HBar.max, viewport - 6 * W);
    EXPECT_EQ(f.HBar.largeChange, viewport);
    EXPECT_EQ(f.HBar.smallChange, viewport / 5);
    EXPECT_EQ(f.HBar.value, 0);
    addTabs(t, 37);
    EXPECT_EQ(f.HBar.max, viewport - 43 * W) << "43 tabs stay within 16 bits";

    t.run([](FrmGradeHelp& f) {
        f.HBar.value = -3000;
        f.HBar_Change();
    });
    clickTab(t, 40);
    deleteCurrentTab(t);
    EXPECT_EQ(f.HBar.value, 0) << "a deletion scrolls the strip back to its start";
    EXPECT_EQ(f.picInner.left, 0);
    while (f.tabCount > 5) {
        clickTab(t, f.currentTab == 0 ? 1 : 0);
        deleteCurrentTab(t);
    }
    EXPECT_FALSE(f.HBar.visible);
    EXPECT_FALSE(f.Line4.visible);
}

TEST(TabStrip, NarrowerRangeKeepsTheValueInsideAndTheStripFollows) {
    TestProgram t(sampleRanges());
    t.start();
    FrmGradeHelp& f = t.form();
    addTabs(t, 7);
    t.run([](FrmGradeHelp& f) {
        f.HBar.value = f.HBar.max;
        f.HBar_Scroll();
    });
    ASSERT_EQ(f.picInner.left, viewport - 8 * W);

    // Adding widens the range: the strip stays where it is.
    addTabs(t, 1);
    EXPECT_EQ(f.HBar.value, viewport - 8 * W);
    EXPECT_EQ(f.picInner.left, viewport - 8 * W);

    t.run([](FrmGradeHelp& f) {
        f.HBar.value = f.HBar.max;
        f.HBar_Change();
        f.picInner.width = 6 * W;
        f.scrollBarCheck();
    });
    EXPECT_EQ(f.HBar.max, viewport - 6 * W);
    EXPECT_EQ(f.HBar.value, viewport - 6 * W);
    EXPECT_EQ(f.picInner.left, viewport - 6 * W);

    t.run([](FrmGradeHelp& f) {
        f.picInner.width = 3 * W;
        f.scrollBarCheck();
    });
    EXPECT_FALSE(f.HBar.visible);
    EXPECT_EQ(f.HBar.value, 0);
    EXPECT_EQ(f.picInner.left, 0) << "a strip that fits starts at the viewport's edge";
}

TEST(TabStrip, ScrollingSlidesTheStripAndLeavesTheFocusOnTheBigButton) {
    TestProgram t(sampleRanges());
    t.start();
    addTabs(t, 9);
    for (auto handler : {&FrmGradeHelp::HBar_Change, &FrmGradeHelp::HBar_Scroll}) {
        t.run([handler](FrmGradeHelp& f) {
            f.focus = "HBar";
            f.HBar.value = -1234;
            (f.*handler)();
        });
        EXPECT_EQ(t.form().picInner.left, -1234);
        EXPECT_EQ(t.form().focus, "cmdEasyWork");
        t.run([](FrmGradeHelp& f) { f.HBar.value = 0; });
    }
    t.run([](FrmGradeHelp& f) {
        f.focus = "HBar";
        f.HBar_GotFocus();
    });
    EXPECT_EQ(t.form().focus, "cmdEasyWork");
}

TEST(TabStrip, TabKeyMovesToTheNextShownTabAndWraps) {
    TestProgram t(sampleRanges());
    t.start();
    FrmGradeHelp& f = t.form();
    pressKey(t, vbKeyTab);
    EXPECT_EQ(f.currentTab, 0) << "a single tab stays current";
    EXPECT_EQ(f.HBar.value, 0);

    addTabs(t, 3);
    clickTab(t, 2);
    deleteCurrentTab(t); // tabs 0, 1, 3 remain; 3 is current
    std::vector<int> visited;
    for (int i = 0; i < 4; ++i) {
        pressKey(t, vbKeyTab, i % 2); // Shift+Tab acts like Tab
        visited.push_back(f.currentTab);
    }
    EXPECT_EQ(visited, (std::vector<int>{0, 1, 3, 0}));
    EXPECT_FALSE(f.HBar.visible);
    EXPECT_EQ(f.picInner.left, 0);
    EXPECT_EQ(pressedTabs(f), std::vector<int>{0});

    pressKey(t, 65); // any other key does nothing here
    EXPECT_EQ(f.currentTab, 0);
}

TEST(TabStrip, TabKeyScrollsJustFarEnoughToShowTheNextTab) {
    TestProgram t(sampleRanges());
    t.start();
    FrmGradeHelp& f = t.form();
    addTabs(t, 7); // eight tabs, 6832 wide
    clickTab(t, 4);
    pressKey(t, vbKeyTab);
    EXPECT_EQ(f.currentTab, 5);
    EXPECT_EQ(f.HBar.value, viewport - 6 * W);
    EXPECT_EQ(f.picInner.left, viewport - 6 * W);
    pressKey(t, vbKeyTab);
    pressKey(t, vbKeyTab);
    EXPECT_EQ(f.currentTab, 7);
    EXPECT_EQ(f.HBar.value, viewport - 8 * W);
    EXPECT_EQ(f.HBar.value, f.HBar.max);

    pressKey(t, vbKeyTab);
    EXPECT_EQ(f.currentTab, 0);
    EXPECT_EQ(f.HBar.value, 0) << "wrapping scrolls back to the start";
    EXPECT_EQ(f.picInner.left, 0);

    // A next tab left of the viewport, scrolled past by the user, is not scrolled into view.
    t.run([](FrmGradeHelp& f) {
        f.HBar.value = f.HBar.max;
        f.HBar_Scroll();
    });
    pressKey(t, vbKeyTab);
    EXPECT_EQ(f.currentTab, 1);
    EXPECT_EQ(f.HBar.value, f.HBar.max);
}

TEST(TabStrip, EscapeClosesTheWindowThroughTheClosingQuestion) {
    TestProgram t(sampleRanges());
    t.start();
    t.enterMark("8", "10", "50");
    t.dialogs.press(Answer::Cancel);
    EXPECT_TRUE(t.run([](FrmGradeHelp& f) { f.cmdEasyWork_KeyDown(vbKeyEscape, 0); }));
    ASSERT_EQ(t.dialogs.shown.back().kind, "msgbox");
    EXPECT_EQ(t.dialogs.shown.back().title, "Save Changes?");
    EXPECT_EQ(t.form().lstScore.list, std::vector<std::string>{"8"}) << "cancelled: nothing goes";

    t.run([](FrmGradeHelp& f) { f.cmdReset_Click(); });
    EXPECT_FALSE(t.run([](FrmGradeHelp& f) { f.cmdEasyWork_KeyDown(vbKeyEscape, 1); }))
        << "nothing unsaved: the program ends without a question";
}

} // namespace
} // namespace tallisto::testing
