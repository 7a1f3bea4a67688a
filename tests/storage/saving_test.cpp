// Saving all tabs into one file: the layout, the dialogs around it and a save that fails.
#include "storage/work_helpers.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace tallisto::testing {
namespace {

namespace fs = std::filesystem;

const std::string saveFilter = "Tallisto Save File (*.tly)|*.tly|Text file (*.txt)|*.txt";

// Three tabs of which the second is deleted: Maths with two marks, Physics on grading system 1.
void buildThreeTabsSecondDeleted(TestProgram& t) {
    fillTab(t, "Maths", {{"45", "50", "20"}, {"17.5", "20", "30"}}, 0);
    newTab(t);
    newTab(t);
    switchTo(t, 1);
    t.run([](FrmGradeHelp& f) { f.menDelete_Click(); });
    ASSERT_EQ(t.form().currentTab, 2);
    rename(t, "Physics");
    chooseGradeSys(t, 1);
}

const std::string threeTabsFile =
    crlf({"[TabInfo]", "NumTabs=2", "[Tab 0]", "Name=Maths", "count=2", "yougot0=45", "outof0=50",
          "weighting0=20", "yougot1=17.5", "outof1=20", "weighting1=30", "gradesys=0", "[Tab 2]",
          "Name=Physics", "count=0", "gradesys=1"});

TEST(Saving, WritesTheTabsInTheStoredLayoutByteForByte) {
    TestProgram t;
    t.start();
    buildThreeTabsSecondDeleted(t);
    t.dialogs.choose(t.file("marks.tly"));
    t.run([](FrmGradeHelp& f) { f.mensave_Click(); }); // no file yet: Save As
    EXPECT_EQ(t.read("marks.tly"), threeTabsFile);

    FrmGradeHelp& f = t.form();
    EXPECT_EQ(f.currentTab, 2) << "the tab shown before saving is shown again";
    EXPECT_FALSE(f.unsaved);
    EXPECT_FALSE(f.mensave.enabled);
    EXPECT_EQ(f.currentFilePath, t.file("marks.tly"));
    EXPECT_EQ(f.currentFileTitle, "marks.tly");
    EXPECT_EQ(f.frmGradeHelp.caption, "marks.tly - Tallisto");
    const std::size_t dialogsShown = t.dialogs.shown.size();
    EXPECT_EQ(t.dialogs.shown.back().kind, "save");
    EXPECT_EQ(t.dialogs.shown.back().title, "Save file...");
    EXPECT_EQ(t.dialogs.shown.back().prompt, saveFilter);

    // Save writes to the same file at once, without a dialog, and drops the old content whole.
    switchTo(t, 0);
    t.run([](FrmGradeHelp& f) { f.cmdReset_Click(); });
    t.run([](FrmGradeHelp& f) { f.mensave_Click(); });
    EXPECT_EQ(t.read("marks.tly"),
              crlf({"[TabInfo]", "NumTabs=2", "[Tab 0]", "Name=Maths", "count=0", "gradesys=0",
                    "[Tab 2]", "Name=Physics", "count=0", "gradesys=1"}));
    EXPECT_EQ(t.dialogs.shown.size(), dialogsShown);
    EXPECT_EQ(f.currentTab, 0);
}

TEST(Saving, EveryTabComesBackFromTheFileAsItWasSaved) {
    TestProgram t;
    t.start();
    // Nine tabs, four of them deleted, names in several scripts, every grading system.
    fillTab(t, "Maths", {{"45", "50", "20"}, {"17.5", "20", "30"}, {"0", "0", "5"}}, 2);
    for (int i = 0; i < 8; ++i)
        newTab(t);
    switchTo(t, 1);
    fillTab(t, "Français", {{"33.335", "40", "12.5"}}, 1);
    switchTo(t, 3);
    fillTab(t, "数学", {{"7", "9", "33.33"}, {"8", "9", "33.33"}, {"9", "9", "33.34"}}, 3);
    switchTo(t, 4);
    fillTab(t, "Ελληνικά", {{"1E-5", "3", "1"}}, 0);
    switchTo(t, 7);
    fillTab(t, "Öko, Ärger", {{"19", "20", "100"}}, 2); // cut to nine characters
    for (int deleted : {2, 5, 6, 8}) {
        switchTo(t, deleted);
        t.run([](FrmGradeHelp& f) { f.menDelete_Click(); });
    }
    switchTo(t, 3);
    const std::vector<TabState> before = shownTabs(t);
    ASSERT_EQ(before.size(), 5u);
    EXPECT_EQ(before[4].name, "Öko, Ärge");

    ASSERT_TRUE(saveAs(t, t.file("work.tly")));
    const std::string bytes = t.read("work.tly");
    EXPECT_NE(bytes.find("NumTabs=5\r\n"), std::string::npos);
    for (const char* gone : {"[Tab 2]", "[Tab 5]", "[Tab 6]", "[Tab 8]"})
        EXPECT_EQ(bytes.find(gone), std::string::npos) << gone;

    TestProgram other; // another machine: its own program directory
    other.start();
    open(other, t.file("work.tly"));
    EXPECT_EQ(shownTabs(other), before);
    EXPECT_EQ(other.form().tabCount, 5);
    EXPECT_EQ(other.form().currentTab, 0);
    EXPECT_FALSE(other.form().unsaved);
    const std::string caption = other.form().frmGradeHelp.caption;
    EXPECT_EQ(caption.rfind("work.tly - ", 0), 0u) << caption;
    EXPECT_NE(caption.find("% in Maths - Tallisto"), std::string::npos) << caption;

    // Saved again from the opened work, the tabs take the indices 0 to 4 and read the same.
    ASSERT_TRUE(saveAs(other, other.file("again.tly")));
    open(t, other.file("again.tly"));
    EXPECT_EQ(shownTabs(t), before);
}

TEST(Saving, AnExistingFileIsOverwrittenOnlyAfterOK) {
    TestProgram t;
    t.start();
    t.enterMark("8", "10", "50");
    const std::string old = crlf({"[TabInfo]", "NumTabs=3", "[Tab 0]", "Name=Old"});
    t.write("old.tly", old);

    // Cancel in the question shows the dialog again; another name is then used.
    t.dialogs.choose(t.file("old.tly"));
    t.dialogs.press(Answer::Cancel);
    t.dialogs.choose(t.file("new"));
    t.run([](FrmGradeHelp& f) { f.cmdsave_Click(); });
    EXPECT_EQ(t.read("old.tly"), old);
    EXPECT_TRUE(t.exists("new")) << "a name without extension is used as it stands";
    EXPECT_EQ(t.form().currentFileTitle, "new");
    ASSERT_EQ(t.dialogs.shown.size(), 6u); // three mark questions, dialog, question, dialog
    EXPECT_EQ(t.dialogs.shown[4].kind, "msgbox");
    EXPECT_EQ(t.dialogs.shown[4].title, "Overwrite File?");
    EXPECT_EQ(t.dialogs.shown[4].prompt,
              "This file already exists. Are you sure you want to overwrite this file?");
    EXPECT_EQ(t.dialogs.shown[4].buttons, Buttons::OKCancel);
    EXPECT_EQ(t.dialogs.shown[5].kind, "save");

    // OK replaces the file whole: nothing of its three old tabs is left.
    t.dialogs.choose(t.file("old.tly"));
    t.dialogs.press(Answer::OK);
    t.run([](FrmGradeHelp& f) { f.cmdsave_Click(); });
    EXPECT_EQ(t.read("old.tly"), t.read("new"));
    EXPECT_EQ(t.form().currentFileTitle, "old.tly");

    // Cancel in the question and then in the dialog: nothing saved, nothing changed.
    t.enterMark("1", "2", "10");
    t.form().exitAfterSave = true;
    t.dialogs.choose(t.file("new"));
    t.dialogs.press(Answer::Cancel);
    t.dialogs.cancel();
    const std::string before = t.read("new");
    t.run([](FrmGradeHelp& f) { f.cmdsave_Click(); });
    EXPECT_EQ(t.read("new"), before);
    EXPECT_TRUE(t.form().unsaved);
    EXPECT_FALSE(t.form().exitAfterSave);
    EXPECT_EQ(t.form().currentFilePath, t.file("old.tly"));
    EXPECT_EQ(t.form().frmGradeHelp.caption.rfind("* old.tly - ", 0), 0u);
}

TEST(Saving, RefusesTheProgramsOwnFiles) {
    TestProgram t;
    t.write("settings.ini", crlf({"[Settings]", "gradesys=1"}));
    t.start();
    t.enterMark("8", "10", "50");
    switchTo(t, 0);
    newTab(t);
    switchTo(t, 1); // the working file now holds tab 0
    const std::string working = t.read("temp.tmp");
    const std::string settings = t.read("settings.ini");
    const std::string ranges = t.read("graderanges.txt");
    fs::create_directory(t.dir.path() / "sub");
    fs::create_symlink(t.dir.path() / "graderanges.txt", t.dir.path() / "ranges-link");

    for (const std::string& own : {t.file("temp.tmp"), t.file("sub/../settings.ini"),
                                   t.file("ranges-link"), t.file("./graderanges.txt")}) {
        SCOPED_TRACE(own);
        t.dialogs.shown.clear();
        t.dialogs.choose(own);
        t.dialogs.press(Answer::OK);
        t.dialogs.cancel();
        bool saved = true;
        t.run([&](FrmGradeHelp& f) { saved = f.cmdsave_Click(); });
        EXPECT_FALSE(saved) << "cancelled in the dialog shown again";
        // The refusal comes before any overwrite question.
        ASSERT_EQ(t.dialogs.shown.size(), 3u);
        EXPECT_EQ(t.dialogs.shown[1].kind, "msgbox");
        EXPECT_NE(t.dialogs.shown[1].prompt.find(own), std::string::npos);
        EXPECT_EQ(t.dialogs.shown[1].buttons, Buttons::OK);
        EXPECT_EQ(t.dialogs.shown[2].kind, "save");
    }
    EXPECT_EQ(t.read("temp.tmp"), working);
    EXPECT_EQ(t.read("settings.ini"), settings);
    EXPECT_EQ(t.read("graderanges.txt"), ranges);
    EXPECT_TRUE(t.form().unsaved);
    EXPECT_TRUE(t.form().currentFilePath.empty());

    // A file bound by opening the program's own file is refused by Save as well.
    t.form().currentFilePath = t.file("settings.ini");
    t.dialogs.press(Answer::OK);
    bool saved = true;
    t.run([&](FrmGradeHelp& f) { saved = f.mensave_Click(); });
    EXPECT_FALSE(saved);
    EXPECT_EQ(t.read("settings.ini"), settings);
    EXPECT_TRUE(t.form().mensave.enabled);
}

TEST(Saving, ASaveThatFailsKeepsTheOldFileTheWorkAndTheFlag) {
    TestProgram t;
    // The disk refuses save files, nothing else: the working file still works.
    int refused = 0;
    t.program = std::make_unique<Program>(t.dialogs, t.facts,
                                          [&](const fs::path& path, std::string_view bytes) {
                                              if (path.extension() != ".tly")
                                                  return writeFileAtomically(path, bytes);
                                              ++refused;
                                              return IoResult::failure("No space left on device");
                                          });
    t.start();
    fillTab(t, "Maths", {{"45", "50", "20"}}, 1);
    newTab(t);
    switchTo(t, 1);
    fillTab(t, "Art", {{"3", "4", "50"}}, 2);
    const std::vector<TabState> work = shownTabs(t);
    const std::string old = crlf({"[TabInfo]", "NumTabs=1", "[Tab 0]", "Name=Old"});
    t.write("old.tly", old);

    // Save As: the message names the file and the reason; the old names stay bound.
    t.dialogs.choose(t.file("old.tly"));
    t.dialogs.press(Answer::OK); // overwrite
    t.dialogs.press(Answer::OK); // the failure
    bool saved = true;
    t.run([&](FrmGradeHelp& f) { saved = f.cmdsave_Click(); });
    EXPECT_FALSE(saved);
    EXPECT_EQ(refused, 1);
    const auto& message = t.dialogs.shown.back();
    EXPECT_EQ(message.kind, "msgbox");
    EXPECT_EQ(message.title, "Tallisto");
    EXPECT_NE(message.prompt.find(t.file("old.tly")), std::string::npos);
    EXPECT_NE(message.prompt.find("No space left on device"), std::string::npos);
    FrmGradeHelp& f = t.form();
    EXPECT_EQ(t.read("old.tly"), old);
    EXPECT_TRUE(f.unsaved);
    EXPECT_TRUE(f.mensave.enabled);
    EXPECT_TRUE(f.currentFilePath.empty());
    EXPECT_EQ(f.frmGradeHelp.caption, "* Unsaved - 75% in Art - Tallisto");
    EXPECT_EQ(f.currentTab, 1);
    EXPECT_EQ(shownTabs(t), work);

    // Save to a bound file that cannot be written: the same, and the file stays bound.
    f.currentFilePath = t.file("old.tly");
    f.currentFileTitle = "old.tly";
    t.dialogs.press(Answer::OK);
    saved = true;
    t.run([&](FrmGradeHelp& f) { saved = f.mensave_Click(); });
    EXPECT_FALSE(saved);
    EXPECT_EQ(t.read("old.tly"), old);
    EXPECT_TRUE(f.unsaved);
    EXPECT_TRUE(f.mensave.enabled);
    EXPECT_EQ(f.currentFilePath, t.file("old.tly"));
    EXPECT_EQ(shownTabs(t), work);
    // Nothing half-written waits to be flushed by a later command.
    t.run([](FrmGradeHelp& f) { f.formnamerefresh(); });
    EXPECT_EQ(t.read("old.tly"), old);
    EXPECT_EQ(refused, 2);
}

} // namespace
} // namespace tallisto::testing
