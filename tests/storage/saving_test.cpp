// Saving all tabs into one file: the layout, the dialogs around it, a save that fails and one
// killed midway.
#include "support/test_program.h"

#include <chrono>
#include <csignal>
#include <random>
#include <sys/wait.h>
#include <thread>

namespace tallisto::testing {
namespace {

namespace fs = std::filesystem;

TEST(Saving, WritesTheTabsInTheStoredLayoutByteForByte) {
    TestProgram t;
    t.start();
    fillTab(t, "Maths", {{"45", "50", "20"}, {"17.5", "20", "30"}}, 0);
    addTabs(t, 2);
    clickTab(t, 1);
    deleteTab(t); // three tabs of which the second is deleted
    fillTab(t, "Physics", {}, 1);
    t.dialogs.choose(t.file("marks.tly"));
    t.run([](FrmGradeHelp& f) { f.mensave_Click(); }); // no file yet: Save As
    EXPECT_EQ(t.dialogs.last(),
              R"(save "Save file..." "Tallisto Save File (*.tly)|*.tly|Text file (*.txt)|*.txt")");
    const std::string example =
        crlf({"[TabInfo]", "NumTabs=2", "[Tab 0]", "Name=Maths", "count=2", "yougot0=45",
              "outof0=50", "weighting0=20", "yougot1=17.5", "outof1=20", "weighting1=30",
              "gradesys=0", "[Tab 2]", "Name=Physics", "count=0", "gradesys=1"});
    EXPECT_EQ(t.read("marks.tly"), example);
    EXPECT_EQ(t.form().currentTab, 2) << "the tab shown before saving is shown again";
    EXPECT_EQ(t.form().frmGradeHelp.caption, "marks.tly - Tallisto");
    EXPECT_FALSE(t.form().mensave.enabled);

    // Save As onto it asks first; Cancel shows the dialog again, and a name is used as it stands.
    t.run([](FrmGradeHelp& f) { f.cmdReset_Click(); });
    t.dialogs.choose(t.file("marks.tly"));
    t.dialogs.press(Answer::Cancel);
    ASSERT_TRUE(saveAs(t, t.file("new")));
    EXPECT_EQ(
        describe(t.dialogs.shown.end()[-2]),
        R"(msgbox "Overwrite File?" "This file already exists. Are you sure you want to overwrite this file?" OKCancel)");
    EXPECT_EQ(t.read("marks.tly"), example);
    t.dialogs.choose(t.file("marks.tly"));
    t.dialogs.press(Answer::OK); // replaces the file whole
    ASSERT_TRUE(saveAs(t));
    EXPECT_EQ(t.read("marks.tly"), t.read("new"));
}

TEST(Saving, EveryTabComesBackFromTheFileAsItWasSaved) {
    TestProgram t, other; // the other on another machine, with its own program directory
    t.start();
    other.start();
    // Nine tabs, four of them deleted, names in several scripts, every grading system.
    fillTab(t, "Maths", {{"45", "50", "20"}, {"17.5", "20", "30"}, {"0", "0", "5"}}, 2);
    addTabs(t, 8);
    for (const auto& [tab, name] :
         {std::pair{1, "Français"}, {3, "数学"}, {4, "Ελληνικά"}, {7, "Öko, Ärger"}}) {
        clickTab(t, tab);
        fillTab(t, name, {{"33.335", "40", "12.5"}, {std::to_string(tab), "9", "1E-5"}}, tab % 4);
    }
    for (int deleted : {2, 5, 6, 8}) {
        clickTab(t, deleted);
        deleteTab(t);
    }
    const std::vector<TabState> before = shownTabs(t);
    ASSERT_TRUE(saveAs(t, t.file("work.tly")));
    open(other, t.file("work.tly"));
    EXPECT_EQ(shownTabs(other), before);
    EXPECT_EQ(other.form().frmGradeHelp.caption, "work.tly - 88.5% in Maths - Tallisto");
    // Saved again from the opened work, the tabs take the indices 0 to 4 and read the same.
    ASSERT_TRUE(saveAs(other, other.file("again.tly")));
    EXPECT_NE(other.read("again.tly").find("[Tab 4]\r\nName=Öko, Ärge\r\n"), std::string::npos);
    open(t, other.file("again.tly"));
    EXPECT_EQ(shownTabs(t), before);
}

// The working file, the settings and the grading systems are never a place to save the work.
TEST(Saving, RefusesTheProgramsOwnFiles) {
    TestProgram t;
    t.write("settings.ini", crlf({"[Settings]", "gradesys=1"}));
    t.start();
    t.enterMark("8", "10", "50");
    addTabs(t, 1);
    clickTab(t, 1); // the working file now holds tab 0
    auto own = [&] {
        return t.read("temp.tmp") + t.read("settings.ini") + t.read("graderanges.txt");
    };
    const std::string bytes = own();
    fs::create_symlink(t.file("graderanges.txt"), t.file("ranges-link"));
    for (const std::string& path : {t.file("temp.tmp"), t.file("no/../settings.ini"),
                                    t.file("ranges-link"), t.file("./graderanges.txt")}) {
        t.dialogs.choose(path);
        t.dialogs.press(Answer::OK);
        t.dialogs.cancel();
        EXPECT_FALSE(saveAs(t)) << "cancelled in the dialog shown again, with no question";
        EXPECT_EQ(describe(t.dialogs.shown.end()[-2]),
                  R"(msgbox "Tallisto" "Tallisto keeps its own settings and working data in )" +
                      path +
                      ", so your work cannot be saved there. Please choose another name.\" OK");
    }
    t.form().currentFilePath = t.file("settings.ini"); // bound by opening it
    t.dialogs.press(Answer::OK);
    t.run([](FrmGradeHelp& f) { EXPECT_FALSE(f.mensave_Click()); });
    EXPECT_EQ(own(), bytes);
    EXPECT_TRUE(t.form().unsaved && t.form().mensave.enabled);
}

// A save that fails leaves the old file as it was and the work open, still marked unsaved; when
// closing asked for the save, the window stays open.
TEST(Saving, ASaveThatFailsKeepsTheOldFileTheWorkAndTheFlag) {
    TestProgram t;
    useWriter(t, refusingWriter([](const fs::path& path) { return path.extension() == ".tly"; },
                                "No space left on device"));
    t.start();
    t.enterMark("3", "4", "50");
    addTabs(t, 1);
    const std::string old = crlf({"[TabInfo]", "NumTabs=1", "[Tab 0]", "Name=Old"});
    t.write("old.tly", old);
    for (const bool bound : {false, true}) { // Save As, then Save to the file bound
        const std::string before = windowState(t.form());
        for (const bool closing : {false, true}) {
            if (closing) t.dialogs.press(Answer::Yes);
            if (!bound) t.dialogs.choose(t.file("old.tly"));
            if (!bound) t.dialogs.press(Answer::OK); // overwrite
            t.dialogs.press(Answer::OK);             // the failure
            EXPECT_TRUE(t.run(
                [=](FrmGradeHelp& f) { closing ? f.exit_Click() : (void)f.mensave_Click(); }));
            EXPECT_EQ(t.dialogs.last(), R"(msgbox "Tallisto" "Your work could not be saved to )" +
                                            t.file("old.tly") +
                                            ". No space left on device. The file was left as it "
                                            "was, and your work is still open.\" OK");
            EXPECT_EQ(windowState(t.form()), before) << "the old names stay bound";
            EXPECT_EQ(t.read("old.tly"), old);
        }
        t.run([&](FrmGradeHelp& f) {
            f.currentFilePath = t.file("old.tly");
            f.currentFileTitle = "old.tly";
            f.formnamerefresh();
        });
    }
    EXPECT_FALSE(t.exists("settings.ini"));
}

// Saves the work with the first tab named "Alpha" (version 0) or "Beta"; gives the time taken.
std::chrono::microseconds saveVersion(TestProgram& t, int version) {
    const auto began = std::chrono::steady_clock::now();
    t.form().cmdTab[0].caption = version == 0 ? "Alpha" : "Beta";
    t.form().unsaved = true;
    t.run([](FrmGradeHelp& f) { f.mensave_Click(); });
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() -
                                                                 began);
}

// Each round a child saves the two versions by turns until it is killed, at a moment anywhere in
// its first few saves: the file is always one version whole.
TEST(Saving, AKilledSaveLeavesTheOldOrTheNewFileWhole) {
    TestProgram t;
    t.start();
    t.write("source.tly", saveFileOf(6, 200));
    open(t, t.file("source.tly"));
    ASSERT_TRUE(saveAs(t, t.file("kill.tly")));
    saveVersion(t, 1);
    const std::string beta = t.read("kill.tly");
    const auto oneSave = saveVersion(t, 0);
    const std::string alpha = t.read("kill.tly");
    int changed = 0;
    std::mt19937 random(20261206);
    for (int round = 0; round < 50; ++round) {
        const std::string before = t.read("kill.tly");
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        for (int version = 1; child == 0; version = 1 - version)
            saveVersion(t, version);
        std::this_thread::sleep_for(std::chrono::microseconds(random() % (4 * oneSave.count())));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status));
        const std::string after = t.read("kill.tly");
        ASSERT_TRUE(after == alpha || after == beta) << "round " << round << ": a torn file";
        changed += after != before;
    }
    EXPECT_GT(changed, 0) << "the kills fell while saving was under way";
    std::cout << "[ kill test ] 50 rounds, the file whole every time, changed in " << changed
              << " (one save " << oneSave.count() << " us)\n";
}

} // namespace
} // namespace tallisto::testing
