// SPDX-License-Identifier: GPL-3.0-or-later
// Opening a save file, through Open or named at start: its sections, broken and foreign files.
#include "storage/save_file_support.h"

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

std::string couldNotReadAll(TestProgram& t, const std::string& name, const std::string& problem) {
    return "msgbox \"Tallisto\" \"Tallisto could not read all of " + t.file(name) + ".\n\n" +
           problem +
           "\n\nThe tabs read before that are open. Save will ask where to save them, so that the "
           "file stays as it is.\" OK";
}

// Sections are read in order as the Windows version writes them (Windows-1252, weightings over
// 100 %), a deleted one using up one of NumTabs. The scan ends after the last section whatever
// NumTabs says, never running to the 16-bit limit. A carriage return in a name (found by fuzzing)
// reads as the blank it is stored as, so that the tab's marks are found again on coming back.
TEST(Opening, ReadsTheTabSectionsInOrderAsTheyStand) {
    StartedProgram t;
    const std::tuple<const char*, std::string, const char*, std::vector<TabState>> rows[] = {
        {"windows.tly",
         lines("[TabInfo]|NumTabs=3|[Tab 0]|Name=Fran\347ais|count=2|yougot0=8|outof0=10|"
               "weighting0=80|yougot1=1|outof1=2|weighting1=80|gradesys=2|[Tab 2]|Deleted=Yes|"
               "Name=Gone|count=0|[Tab 3]|Name=Art|gradesys=1||[Tab 5]|Name=Never"),
         "windows.tly - 65% in Français - Tallisto",
         {{"Français", {"8", "1"}, {"10", "2"}, {"80", "80"}, {"64", "40"}, 2},
          {"Art", {}, {}, {}, {}, 1}}},
        {"zero.tly",
         lines("[TabInfo]|NumTabs=30000|[Tab 0]|Name=0|count=1|yougot0=3|outof0=4|weighting0=10|"
               "[Tab 1]|gradesys=3|[Tab 4]|Name=Last"),
         "zero.tly - 75% in 0 - Tallisto",
         {{"0", {"3"}, {"4"}, {"10"}, {"7.5"}, 0},
          {"0", {}, {}, {}, {}, 3},
          {"Last", {}, {}, {}, {}, 0}}},
        {"none.tly",
         lines("[TabInfo]|NumTabs=0|[Tab 0]|Name=A|[Tab 1]|Name=B"),
         "none.tly - Tallisto",
         {{"A", {}, {}, {}, {}, 0}, {"B", {}, {}, {}, {}, 0}}},
        {"cr.tly",
         lines(
             "[TabInfo]|NumTabs=2|[Tab 0]|Name=Ma\rths|count= 1 |yougot0=3|outof0=4|weighting0=10|"
             "gradesys=2|[Tab 1]|Name=Art|gradesys=9"),
         "cr.tly - 75% in Ma ths - Tallisto",
         {{"Ma ths", {"3"}, {"4"}, {"10"}, {"7.5"}, 2}, {"Art", {}, {}, {}, {}, 2}}},
    };
    for (const auto& [name, file, caption, tabs] : rows) {
        SCOPED_TRACE(name);
        t.write(name, file);
        open(t, t.file(name));
        EXPECT_EQ(t.form().frmGradeHelp.caption, caption);
        EXPECT_EQ(shownTabs(t), tabs);
        EXPECT_EQ(t.form().currentFilePath, t.file(name));
        EXPECT_FALSE(t.form().unsaved) << "nor is switching a change";
        EXPECT_FALSE(t.form().mensave.enabled);
        EXPECT_EQ(t.read(name), file) << "reading never alters the file";
    }
}

// A value that is no number, or a count of more marks than the tab holds, ends the reading: the
// tabs read until then stay, the last current, and the user is told what could not be read. The
// work is bound to no file, so that Save asks where, and asks before replacing the file.
TEST(Opening, ADamagedFileOpensAsFarAsItCanBeReadAndIsNotTakenOver) {
    StartedProgram t;
    const TabState a{"A", {"1"}, {"2"}, {"10"}, {"5"}, 2}, b{"B", {"5"}, {"5"}, {"1"}, {"1"}, 2};
    // count and grading system of tab B, whether its mark was read, what could not be read
    const std::tuple<const char*, const char*, bool, const char*> rows[] = {
        {"count=1x", "gradesys=0", false, R"(its number of marks, "1x", is not a number.)"},
        {"count=1", "gradesys=two", true, R"(its grading system, "two", is not a number.)"},
        {"count=32767", "gradesys=0", true, "the file holds only 1 of its 32767 marks."}};
    for (const auto& [count, gradesys, marked, problem] : rows) {
        SCOPED_TRACE(problem);
        const std::string file =
            lines("[TabInfo]|NumTabs=3|[Tab 0]|Name=A|count=1|yougot0=1|outof0=2|weighting0=10|"
                  "gradesys=2|[Tab 1]|Name=B|" +
                  std::string(count) + "|yougot0=5|outof0=5|weighting0=1|" + gradesys +
                  "|[Tab 2]|Name=C");
        t.write("b.tly", file);
        openTold(t, t.file("b.tly"));
        EXPECT_EQ(t.dialogs.last(),
                  couldNotReadAll(t, "b.tly", "Tab \"B\": " + std::string(problem)));
        EXPECT_EQ(t.form().currentTab, 1);
        EXPECT_EQ(t.form().currentFilePath, "");
        EXPECT_EQ(shownTabs(t), (std::vector{a, marked ? b : TabState{"B", {}, {}, {}, {}, 2}}));
        t.dialogs.choose(t.file("b.tly"));
        t.dialogs.press(Answer::Cancel); // "Overwrite File?"
        t.dialogs.cancel();
        t.run(&FrmGradeHelp::mensave_Click);
        EXPECT_EQ(t.read("b.tly"), file);
    }
}

TEST(Opening, MoreTabsThanTheLimitStopAtTheLimitAndAreNotTakenOver) {
    StartedProgram t;
    t.write("big.tly", saveFileOf(50, 1));
    openTold(t, t.file("big.tly"), 2);
    EXPECT_EQ(describe(t.dialogs.shown.at(1)),
              R"(msgbox "Tallisto" "Sorry, max number of tabs (43) reached." OK)");
    EXPECT_EQ(t.dialogs.last(), couldNotReadAll(t, "big.tly",
                                                "It holds more tabs than the 43 Tallisto can show; "
                                                "the tabs from \"S43\" on are not open."));
    EXPECT_EQ(shownTabs(t).back(), (TabState{"S42", {"42"}, {"50"}, {"0.01"}, {"0.01"}, 2}));
    EXPECT_EQ(t.form().frmGradeHelp.caption, "Unsaved - 84% in S42 - Tallisto");
}

// A file that is no save file, larger than any save file, or unreadable is refused before
// anything is cleared: the work stays as it was, unsaved flag included. A file that does not
// exist opens as one empty tab bound to its name, for Save to create.
TEST(Opening, FilesThatAreNotSaveFilesAreRefusedAndChangeNothing) {
    StartedProgram t;
    std::string noise(100'000, '\0');
    std::generate(noise.begin(), noise.end(), std::mt19937(5));
    std::string essay = "The quick brown fox = jumps over [the] lazy dog; 12345\r\n";
    while (essay.size() < 100'000)
        essay += essay;
    const std::string notSaveFile = "it is not a Tallisto save file.";
    const std::vector<std::tuple<std::string, std::string, std::string>> rows = {
        {"noise.bin", noise, notSaveFile},
        {"essay.txt", essay, notSaveFile},
        {"empty.tly", "", notSaveFile},
        {"huge.tly", lines("[TabInfo]|NumTabs=2147483647|[Tab 0]|Name=A"), notSaveFile},
        {"notabs.tly", lines("[TabInfo]|NumTabs=1"), notSaveFile},
        {"noinfo.tly", lines("[Tab 0]|Name=A"), notSaveFile},
        {"large.tly", saveFileOf(1, 1) + std::string(8 << 20, ';'),
         "it is larger than 8 MB, far larger than any save file."},
        {"folder.tly", "", "the file cannot be read."}};
    fs::create_directory(t.dir.path() / "folder.tly");
    t.enterMark("1", "2", "3");
    const std::string before = windowState(t.form());
    for (const auto& [name, bytes, why] : rows) {
        if (name != "folder.tly") t.write(name, bytes);
        openTold(t, t.file(name));
        EXPECT_EQ(t.dialogs.last(), "msgbox \"Tallisto\" \"Tallisto cannot open " + t.file(name) +
                                        " because " + why + "\" OK");
        EXPECT_EQ(windowState(t.form()), before);
    }
    open(t, t.file("missing.tly"));
    expectOneEmptyTab(t, t.file("missing.tly"));
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
    t.run(&FrmGradeHelp::cmdResetAll_Click);
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
