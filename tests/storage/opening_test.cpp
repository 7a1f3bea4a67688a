// SPDX-License-Identifier: GPL-3.0-or-later
// Opening a save file, through Open or named at start: its sections, broken and foreign files.
#include "support/test_program.h"

#include <algorithm>
#include <random>

namespace tallisto::testing {
namespace {

namespace fs = std::filesystem;

// What every opening that reads no tab leaves: the start state, with the file bound but unnamed.
void expectOneEmptyTab(TestProgram& t, const std::string& path) {
    StartedProgram fresh;
    fresh.form().currentFilePath = path;
    EXPECT_EQ(windowState(t.form()), windowState(fresh.form()));
}

TEST(Opening, ReadsSectionsInOrderSkippingDeletedAndAbsentOnes) {
    StartedProgram t;
    // Written by the Windows version: Windows-1252 text, weightings over 100 % as they stand.
    const std::string file =
        crlf({"[TabInfo]",     "NumTabs=3",  "[Tab 0]",       "Name=Fran\347ais", "count=2",
              "yougot0=8",     "outof0=10",  "weighting0=80", "yougot1=1",        "outof1=2",
              "weighting1=80", "gradesys=2", "[Tab 2]",       "Deleted=Yes",      "Name=Gone",
              "count=0",       "[Tab 3]",    "Name=Art",      "gradesys=1",       "",
              "[Tab 5]",       "Name=Never"});
    t.write("old.tly", file);
    open(t, t.file("old.tly"));
    EXPECT_EQ(t.form().frmGradeHelp.caption, "old.tly - 65% in Français - Tallisto");
    // The deleted section uses up one of NumTabs.
    EXPECT_EQ(
        shownTabs(t),
        (std::vector<TabState>{{"Français", {"8", "1"}, {"10", "2"}, {"80", "80"}, {"64", "40"}, 2},
                               {"Art", {}, {}, {}, {}, 1}}));
    EXPECT_FALSE(t.form().unsaved || t.form().mensave.enabled) << "nor is switching a change";
    EXPECT_EQ(t.read("old.tly"), file) << "reading never alters the file";
}

// A section that exists is read even when its name is "0"; a NumTabs larger than the sections
// in the file, or 0, ends the scan after the last section without running to the 16-bit limit.
TEST(Opening, ATabNamedZeroIsReadAndTheTabCountDoesNotOutrunTheSections) {
    StartedProgram t;
    t.write("zero.tly",
            crlf({"[TabInfo]", "NumTabs=30000", "[Tab 0]", "Name=0", "count=1", "yougot0=3",
                  "outof0=4", "weighting0=10", "[Tab 1]", "gradesys=3", "[Tab 4]", "Name=Last"}));
    open(t, t.file("zero.tly"));
    EXPECT_EQ(t.form().frmGradeHelp.caption, "zero.tly - 75% in 0 - Tallisto");
    EXPECT_EQ(shownTabs(t), (std::vector<TabState>{{"0", {"3"}, {"4"}, {"10"}, {"7.5"}, 0},
                                                   {"0", {}, {}, {}, {}, 3},
                                                   {"Last", {}, {}, {}, {}, 0}}));
    t.write("none.tly", crlf({"[TabInfo]", "NumTabs=0", "[Tab 0]", "Name=A", "[Tab 1]", "Name=B"}));
    open(t, t.file("none.tly"));
    EXPECT_EQ(t.form().cmdTab[1].caption, "B");
}

// A value that is no number ends the reading; the tabs read until then stay, the last current.
// Missing keys read as 0, and a grading system out of range keeps the one in use.
TEST(Opening, BrokenValuesEndTheReadingWithTheTabsReadSoFar) {
    StartedProgram t;
    auto openWith = [&](const std::string& numTabs, const std::string& count,
                        const std::string& gradesys) {
        t.write("b.tly", crlf({"[TabInfo]", numTabs, "[Tab 0]", "Name=A", "count=1", "yougot0=1",
                               "outof0=2", "weighting0=10", "gradesys=2", "[Tab 1]", "Name=B",
                               count, "yougot0=5", "outof0=5", gradesys, "[Tab 2]", "Name=C"}));
        open(t, t.file("b.tly"));
    };
    openWith("NumTabs=many", "count=1", "gradesys=0");
    expectOneEmptyTab(t, t.file("b.tly"));
    const std::tuple<const char*, const char*, const char*, std::size_t, int> rows[] = {
        {"NumTabs=3", "count=1x", "gradesys=0", 2, 1},
        {"NumTabs=3", "count=1", "gradesys=two", 2, 1},
        {"NumTabs= 3 ", "count= 1 ", "gradesys=9", 3, 0}};
    for (const auto& [numTabs, count, gradesys, tabs, current] : rows) {
        openWith(numTabs, count, gradesys);
        EXPECT_EQ(t.form().currentTab, current) << count << " " << gradesys;
        const std::vector<TabState> read = shownTabs(t);
        ASSERT_EQ(read.size(), tabs);
        EXPECT_EQ(read[0], (TabState{"A", {"1"}, {"2"}, {"10"}, {"5"}, 2}));
        EXPECT_TRUE(tabs < 3 || read[1] == (TabState{"B", {"5"}, {"5"}, {"0"}, {"0"}, 2}));
    }
}

TEST(Opening, MoreTabsThanTheLimitStopAtTheLimitWithOneMessage) {
    StartedProgram t;
    t.write("big.tly", saveFileOf(50, 1));
    t.dialogs.choose(t.file("big.tly"));
    t.dialogs.press(Answer::OK);
    t.run([](FrmGradeHelp& f) { f.cmdOpen_Click(); });
    EXPECT_EQ(describe(t.dialogs.shown.at(1)),
              R"(msgbox "Tallisto" "Sorry, max number of tabs (43) reached." OK)");
    EXPECT_EQ(shownTabs(t).back(), (TabState{"S42", {"42"}, {"50"}, {"0.01"}, {"0.01"}, 2}));
    EXPECT_EQ(t.form().frmGradeHelp.caption, "big.tly - 0% in S0 - Tallisto");
}

// How long a large foreign file takes to open is measured by BM_OpenForeignFile.
TEST(Opening, FilesThatAreNotSaveFilesOpenAsOneEmptyTab) {
    StartedProgram t;
    std::string noise(100'000, '\0');
    std::generate(noise.begin(), noise.end(), std::mt19937(5));
    std::string text = "The quick brown fox = jumps over [the] lazy dog; 12345\r\n";
    while (text.size() < (1u << 20))
        text += text;
    for (const auto& [name, bytes] : std::vector<std::pair<std::string, std::string>>{
             {"noise.bin", noise}, {"empty.tly", ""}, {"long.txt", text}}) {
        SCOPED_TRACE(name);
        t.write(name, bytes);
        t.enterMark("1", "2", "3"); // unsaved work, given up at the question
        open(t, t.file(name));
        expectOneEmptyTab(t, t.file(name));
    }
}

TEST(Opening, AFileNamedAtStartOpensAsOpenDoesWithoutTheDialog) {
    StartedProgram t;
    t.write("marks.tly", saveFileOf(2, 1));
    const fs::path before = fs::current_path();
    fs::current_path(t.dir.path());
    openAtStart(t, "./sub/../marks.tly"); // a relative name is bound to the full path
    fs::current_path(before);
    EXPECT_EQ(t.form().currentFilePath, t.file("marks.tly"));
    EXPECT_EQ(t.form().frmGradeHelp.caption, "marks.tly - 0% in S0 - Tallisto");
    EXPECT_EQ(shownTabs(t).back(), (TabState{"S1", {"1"}, {"50"}, {"0.01"}, {"0"}, 1}));

    // A file that cannot be opened is reported, and the program starts empty.
    t.run([](FrmGradeHelp& f) { f.cmdResetAll_Click(); });
    fs::create_directory(t.dir.path() / "folder.tly");
    for (const auto& [name, why] :
         {std::pair{"missing.tly", "does not exist."}, {"folder.tly", "cannot be read."}}) {
        t.dialogs.press(Answer::OK);
        openAtStart(t, t.file(name));
        EXPECT_EQ(t.dialogs.last(), R"(msgbox "Tallisto" "Tallisto cannot open )" + t.file(name) +
                                        " because the file " + why + R"(" OK)");
        expectOneEmptyTab(t, ""); // Save must not write to the file named
    }
}

} // namespace
} // namespace tallisto::testing
