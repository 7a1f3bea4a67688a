// Opening a save file: the scan of its sections, broken and foreign files, and the questions.
#include "storage/work_helpers.h"

#include <chrono>
#include <gtest/gtest.h>
#include <random>

namespace tallisto::testing {
namespace {

const std::string openFilter =
    "Tallisto Save File (*.tly)|*.tly|Text file (*.txt)|*.txt|All Files|*";

std::vector<std::string> names(TestProgram& t) {
    std::vector<std::string> result;
    for (const TabState& tab : shownTabs(t))
        result.push_back(tab.name);
    return result;
}

// What every opening that reads no tab leaves: one empty tab, the file bound but not named.
void expectOneEmptyTab(TestProgram& t, const std::string& path) {
    FrmGradeHelp& f = t.form();
    EXPECT_EQ(f.cmdTab.size(), 1u);
    EXPECT_EQ(f.cmdTab[0].caption, "Tab 1");
    EXPECT_TRUE(f.lstScore.list.empty());
    EXPECT_EQ(f.currentFilePath, path);
    EXPECT_EQ(f.currentFileTitle, "");
    EXPECT_FALSE(f.unsaved);
    EXPECT_EQ(f.frmGradeHelp.caption, "Unsaved - Tallisto");
}

TEST(Opening, ReadsSectionsInOrderSkippingDeletedAndAbsentOnes) {
    TestProgram t;
    t.start();
    // Written by the Windows version: Windows-1252 text, weightings over 100 % as they stand.
    const std::string file = crlf({"[TabInfo]",
                                   "NumTabs=3",
                                   "[Tab 0]",
                                   "Name=Fran\xe7"
                                   "ais",
                                   "count=2",
                                   "yougot0=8",
                                   "outof0=10",
                                   "weighting0=80",
                                   "yougot1=1",
                                   "outof1=2",
                                   "weighting1=80",
                                   "gradesys=2",
                                   "[Tab 2]",
                                   "Deleted=Yes",
                                   "Name=Gone",
                                   "count=0",
                                   "[Tab 3]",
                                   "Name=Art",
                                   "gradesys=1",
                                   "",
                                   "[Tab 5]",
                                   "Name=Never",
                                   "count=0"});
    t.write("old.tly", file);
    open(t, t.file("old.tly"));

    const std::vector<TabState> tabs = shownTabs(t);
    ASSERT_EQ(tabs.size(), 2u) << "the deleted section uses up one of NumTabs";
    EXPECT_EQ(tabs[0],
              (TabState{"Français", {"8", "1"}, {"10", "2"}, {"80", "80"}, {"64", "40"}, 2}));
    EXPECT_EQ(tabs[1], (TabState{"Art", {}, {}, {}, {}, 1}));
    FrmGradeHelp& f = t.form();
    EXPECT_EQ(f.currentTab, 0);
    EXPECT_EQ(f.tabCount, 2);
    EXPECT_FALSE(f.unsaved);
    EXPECT_FALSE(f.mensave.enabled);
    EXPECT_EQ(f.currentFilePath, t.file("old.tly"));
    EXPECT_EQ(f.currentFileTitle, "old.tly");
    EXPECT_EQ(f.frmGradeHelp.caption.rfind("old.tly - ", 0), 0u);
    EXPECT_EQ(t.read("old.tly"), file) << "reading never alters the file";
    const auto& dialog = t.dialogs.shown.front();
    EXPECT_EQ(dialog.kind, "open");
    EXPECT_EQ(dialog.title, "Open file...");
    EXPECT_EQ(dialog.prompt, openFilter);

    // Gaps in the section numbers: three tabs, renumbered 0, 1, 2.
    t.write("gaps.tly", crlf({"[TabInfo]", "NumTabs=3", "[Tab 0]", "Name=A", "[Tab 2]", "Name=B",
                              "[Tab 5]", "Name=C"}));
    open(t, t.file("gaps.tly"));
    EXPECT_EQ(names(t), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(t.form().cmdTab.size(), 3u);
}

TEST(Opening, ATabNamedZeroIsReadAndTooLargeATabCountEndsTheScan) {
    TestProgram t;
    t.start();
    t.write("zero.tly", crlf({"[TabInfo]", "NumTabs=30000", "[Tab 0]", "Name=0", "count=1",
                              "yougot0=3", "outof0=4", "weighting0=10", "gradesys=0", "[Tab 1]",
                              "count=0", "gradesys=3", "[Tab 4]", "Name=Last"}));
    const auto start = std::chrono::steady_clock::now();
    open(t, t.file("zero.tly"));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    const std::vector<TabState> tabs = shownTabs(t);
    ASSERT_EQ(tabs.size(), 3u);
    EXPECT_EQ(tabs[0], (TabState{"0", {"3"}, {"4"}, {"10"}, {"7.5"}, 0}));
    EXPECT_EQ(tabs[1].name, "0") << "a section without a name is a tab named 0";
    EXPECT_EQ(tabs[1].gradeSys, 3);
    EXPECT_EQ(tabs[2].name, "Last");
    // The scan ended in order: the first tab is shown and Save waits for a change.
    EXPECT_EQ(t.form().currentTab, 0);
    EXPECT_FALSE(t.form().mensave.enabled);
    EXPECT_EQ(t.form().currentFileTitle, "zero.tly");

    // A count of 0 with tabs in the file: every tab is read, up to the last section.
    t.write("none.tly", crlf({"[TabInfo]", "NumTabs=0", "[Tab 0]", "Name=A", "[Tab 1]", "Name=B",
                              "count=1", "yougot0=1", "outof0=1", "weighting0=1"}));
    open(t, t.file("none.tly"));
    EXPECT_EQ(names(t), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(t.form().currentTab, 0);
    EXPECT_FALSE(t.form().mensave.enabled);
}

TEST(Opening, BrokenValuesEndTheReadingWithTheTabsReadSoFar) {
    TestProgram t;
    t.start();

    t.write("a.tly", crlf({"[TabInfo]", "NumTabs=many", "[Tab 0]", "Name=A"}));
    open(t, t.file("a.tly"));
    expectOneEmptyTab(t, t.file("a.tly"));

    // A count that is not a number: the tab being read is current, without marks.
    t.write("b.tly", crlf({"[TabInfo]", "NumTabs=3", "[Tab 0]", "Name=A", "count=1", "yougot0=1",
                           "outof0=2", "weighting0=10", "gradesys=2", "[Tab 1]", "Name=B",
                           "count=1x", "yougot0=5", "[Tab 2]", "Name=C"}));
    open(t, t.file("b.tly"));
    FrmGradeHelp& f = t.form();
    EXPECT_EQ(f.currentTab, 1);
    EXPECT_EQ(f.cmdTab[1].caption, "B");
    EXPECT_TRUE(f.lstScore.list.empty());
    EXPECT_EQ(f.cmdTab.size(), 2u);
    EXPECT_EQ(f.currentFileTitle, "b.tly");
    EXPECT_FALSE(f.unsaved);
    EXPECT_EQ(shownTabs(t)[0], (TabState{"A", {"1"}, {"2"}, {"10"}, {"5"}, 2}));

    // A count beyond 16 bits, and a grading system that is not a number.
    for (const auto& [count, gradesys] :
         {std::pair{"count=70000", "gradesys=0"}, std::pair{"count=1", "gradesys=two"}}) {
        SCOPED_TRACE(std::string(count) + " " + gradesys);
        t.write("c.tly", crlf({"[TabInfo]", "NumTabs=2", "[Tab 0]", "Name=A", count, "yougot0=1",
                               "outof0=2", "weighting0=10", gradesys, "[Tab 1]", "Name=B"}));
        open(t, t.file("c.tly"));
        EXPECT_EQ(t.form().cmdTab.size(), 1u);
        EXPECT_EQ(t.form().cmdTab[0].caption, "A");
    }

    // Missing keys read as 0; a grading system out of range keeps the one in use; blanks
    // around numbers are no fault.
    chooseGradeSys(t, 1);
    t.write("d.tly", crlf({"[TabInfo]", "NumTabs= 2 ", "[Tab 0]", "Name=A", "gradesys=9", "[Tab 1]",
                           "Name=B", "count=1", "yougot0=4", "outof0=4", "weighting0=20"}));
    open(t, t.file("d.tly"));
    EXPECT_EQ(shownTabs(t), (std::vector<TabState>{{"A", {}, {}, {}, {}, 1},
                                                   {"B", {"4"}, {"4"}, {"20"}, {"20"}, 0}}));
    EXPECT_FALSE(t.form().mensave.enabled);
}

TEST(Opening, MoreTabsThanTheLimitStopAtTheLimitWithOneMessage) {
    TestProgram t;
    t.start();
    std::vector<std::string> lines{"[TabInfo]", "NumTabs=50"};
    for (int i = 0; i < 50; ++i) {
        lines.push_back("[Tab " + std::to_string(i) + "]");
        lines.push_back("Name=S" + std::to_string(i));
        lines.push_back("count=1");
        lines.push_back("yougot0=" + std::to_string(i));
        lines.push_back("outof0=50");
        lines.push_back("weighting0=10");
    }
    t.write("big.tly", crlf(lines));
    t.dialogs.choose(t.file("big.tly"));
    t.dialogs.press(Answer::OK);
    t.run([](FrmGradeHelp& f) { f.cmdOpen_Click(); });

    ASSERT_EQ(t.dialogs.shown.size(), 2u);
    EXPECT_EQ(t.dialogs.shown[1].prompt, "Sorry, max number of tabs (43) reached.");
    EXPECT_EQ(t.dialogs.shown[1].title, "Tallisto");
    const std::vector<TabState> tabs = shownTabs(t);
    ASSERT_EQ(tabs.size(), 43u);
    EXPECT_EQ(tabs[42].name, "S42");
    EXPECT_EQ(tabs[42].scores, std::vector<std::string>{"42"});
    EXPECT_EQ(t.form().currentTab, 0);
    EXPECT_FALSE(t.form().unsaved);
}

TEST(Opening, FilesThatAreNotSaveFilesOpenAsOneEmptyTabQuickly) {
    TestProgram t;
    t.start();
    std::mt19937 random(5);
    std::string noise(100'000, '\0');
    for (char& c : noise)
        c = static_cast<char>(random());
    std::string png = "\x89PNG\r\n\x1a\n";
    png += std::string("\0\0\0\rIHDR", 8) + noise.substr(0, 4000);
    std::string text;
    text.reserve(50u << 20);
    while (text.size() < (50u << 20))
        text += "The quick brown fox = jumps over [the] lazy dog; 12345\r\n";

    const std::vector<std::pair<std::string, std::string>> files{
        {"noise.bin", noise}, {"empty.tly", ""}, {"photo.png", png}, {"long.txt", text}};
    for (const auto& [name, bytes] : files) {
        SCOPED_TRACE(name);
        t.write(name, bytes);
        t.enterMark("1", "2", "3"); // unsaved work, given up at the question
        const auto start = std::chrono::steady_clock::now();
        open(t, t.file(name));
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
        expectOneEmptyTab(t, t.file(name));
        EXPECT_EQ(t.read(name), bytes);
    }
    open(t, t.file("missing.tly"));
    expectOneEmptyTab(t, t.file("missing.tly"));
    EXPECT_FALSE(t.exists("missing.tly"));
}

TEST(Opening, NoOrCancelLeavesTheWorkAsItWas) {
    TestProgram t;
    t.start();
    t.enterMark("8", "10", "50");
    const std::string caption = t.form().frmGradeHelp.caption;
    const std::vector<TabState> work = shownTabs(t);

    t.dialogs.press(Answer::No);
    t.run([](FrmGradeHelp& f) { f.cmdOpen_Click(); });
    ASSERT_EQ(t.dialogs.shown.back().kind, "msgbox");
    EXPECT_EQ(t.dialogs.shown.back().prompt, "This will delete all unsaved work, continue?");
    EXPECT_EQ(t.dialogs.shown.back().title, "Delete all unsaved work?");
    EXPECT_EQ(t.dialogs.shown.back().buttons, Buttons::YesNo);

    // Yes, then Cancel in the dialog: the flag stays, so that closing still offers to save.
    t.dialogs.press(Answer::Yes);
    t.dialogs.cancel();
    t.run([](FrmGradeHelp& f) { f.cmdOpen_Click(); });
    EXPECT_EQ(t.dialogs.shown.back().kind, "open");
    EXPECT_TRUE(t.form().unsaved);
    EXPECT_FALSE(t.form().loadingTabs);
    EXPECT_EQ(t.form().frmGradeHelp.caption, caption);
    EXPECT_EQ(shownTabs(t), work);

    // Without unsaved work the dialog comes at once.
    t.form().unsaved = false;
    const std::size_t before = t.dialogs.shown.size();
    t.dialogs.cancel();
    t.run([](FrmGradeHelp& f) { f.cmdOpen_Click(); });
    ASSERT_EQ(t.dialogs.shown.size(), before + 1);
    EXPECT_EQ(t.dialogs.shown.back().kind, "open");
}

} // namespace
} // namespace tallisto::testing
