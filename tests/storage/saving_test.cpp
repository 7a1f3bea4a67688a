// SPDX-License-Identifier: GPL-3.0-or-later
// Saving all tabs into one file: the layout, the dialogs, a save that fails or is killed midway.
#include "support/test_program.h"

#include <chrono>
#include <csignal>
#include <map>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace tallisto::testing {
namespace {

// Every file under dir by its relative name, with its bytes or, for a link, where it leads.
std::map<std::string, std::string> filesIn(const std::filesystem::path& dir) {
    namespace fs = std::filesystem;
    std::map<std::string, std::string> files;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(dir)) {
        const std::string name = fs::relative(entry.path(), dir).string();
        if (entry.is_symlink())
            files[name] = "-> " + fs::read_symlink(entry.path()).string();
        else if (entry.is_regular_file())
            files[name] = bytesOf(entry.path());
    }
    return files;
}

TEST(Saving, WritesTheTabsInTheStoredLayoutByteForByte) {
    StartedProgram t;
    fillTab(t, "Maths", {{"45", "50", "20"}, {"17.5", "20", "30"}}, 0);
    addTabs(t, 2);
    clickTab(t, 1);
    deleteTab(t); // three tabs of which the second is deleted
    fillTab(t, "Physics", {}, 1);
    t.dialogs.choose(t.file("marks.tly"));
    t.run([](FrmGradeHelp& f) { f.mensave_Click(); }); // no file yet: Save As
    EXPECT_EQ(t.read("marks.tly"),
              crlf({"[TabInfo]", "NumTabs=2", "[Tab 0]", "Name=Maths", "count=2", "yougot0=45",
                    "outof0=50", "weighting0=20", "yougot1=17.5", "outof1=20", "weighting1=30",
                    "gradesys=0", "[Tab 2]", "Name=Physics", "count=0", "gradesys=1"}));
    EXPECT_EQ(t.form().currentTab, 2) << "the tab shown before saving is shown again";
    EXPECT_EQ(t.form().frmGradeHelp.caption, "marks.tly - Tallisto");
    EXPECT_FALSE(t.form().mensave.enabled);
}

// Save As asks before overwriting and shows the dialog again after Cancel; a name is used as it
// stands, and the file is replaced whole.
TEST(Saving, SaveAsAsksBeforeOverwritingAndUsesTheNameAsItStands) {
    StartedProgram t;
    t.write("old.tly", "old");
    t.enterMark("8", "10", "50");
    t.dialogs.choose(t.file("old.tly"));
    t.dialogs.press(Answer::Cancel);
    ASSERT_TRUE(saveAs(t, t.file("new")));
    EXPECT_EQ(
        describe(t.dialogs.shown.end()[-2]),
        R"(msgbox "Overwrite File?" "This file already exists. Are you sure you want to overwrite this file?" OKCancel)");
    EXPECT_EQ(t.read("old.tly"), "old");
    t.dialogs.choose(t.file("old.tly"));
    t.dialogs.press(Answer::OK);
    ASSERT_TRUE(saveAs(t));
    EXPECT_EQ(t.read("old.tly"), t.read("new"));
}

// Every file the program keeps for itself, by every name that reaches it, is refused by Save As,
// Save and both reports and stays as it was; the names beside them are the user's to take.
TEST(Saving, NoSaveOrReportLandsOnAFileTheProgramKeeps) {
    namespace fs = std::filesystem;
    StartedProgram t(shippedRanges(), crlf({"[Settings]", "gradesys=1"}));
    t.enterMark("8", "10", "50");
    addTabs(t, 1);
    clickTab(t, 1); // the working file holds tab 0, the recovery data the unsaved work
    t.write("temp-2.tmp", "another copy's tabs");
    t.write("temp-2.tmp.lock", "");
    t.write("tallisto.exe.manifest", "<assembly/>");
    fs::create_directory(t.dir.path() / "sub");
    fs::create_symlink(t.file("graderanges.txt"), t.file("ranges-link.txt"));
    fs::create_symlink(t.file("temp-7.tmp.recovery"), t.file("dangling.tly")); // not yet there
    fs::create_hard_link(t.file("settings.ini"), t.dir.path() / "sub/hard.ini");
    const std::map<std::string, std::string> before = filesIn(t.dir.path());
    ASSERT_TRUE(before.contains("temp.tmp.lock") && before.contains("temp.tmp.recovery"));
    const char* const own[] = {"settings.ini",
                               "sub/../graderanges.txt",
                               "tallisto.exe.manifest",
                               "temp.tmp",
                               "temp.tmp.lock",
                               "temp.tmp.recovery",
                               "temp-2.tmp",
                               "temp-2.tmp.lock",
                               "temp-9999.tmp.recovery",
                               "ranges-link.txt",
                               "dangling.tly",
                               "sub/hard.ini",
                               "temp.tmp.recovery-1",
                               "temp-3.tmp.recovery-2"};
    const std::string keeps = "Tallisto keeps its own settings and working data in ";
    for (const char* name : own) {
        SCOPED_TRACE(name);
        const std::string path = t.file(name);
        t.dialogs.choose(path);
        t.dialogs.press(Answer::OK);
        t.dialogs.cancel();
        EXPECT_FALSE(saveAs(t));
        EXPECT_EQ(t.dialogs.shown.end()[-2].prompt,
                  keeps + path +
                      ", so your work cannot be saved there. Please choose another name.");
        t.form().currentFilePath = path; // as if bound by an earlier Save
        t.dialogs.press(Answer::OK);
        t.run([](FrmGradeHelp& f) { f.mensave_Click(); });
        EXPECT_EQ(t.dialogs.last(), "msgbox \"Tallisto\" \"" + keeps + path +
                                        ", so your work cannot be saved there. Please use \"Save "
                                        "As\" to choose another name.\" OK");
        t.form().currentFilePath.clear();
        for (auto command :
             {&FrmGradeHelp::menSaveReport_Click, &FrmGradeHelp::menReportSet_Click}) {
            t.dialogs.choose(path);
            t.dialogs.press(Answer::OK);
            t.dialogs.cancel();
            t.run([&](FrmGradeHelp& f) { (f.*command)(); });
            EXPECT_EQ(t.dialogs.shown.end()[-2].prompt,
                      keeps + path +
                          ", so the report cannot be saved there. Please choose another "
                          "name.");
        }
    }
    EXPECT_EQ(filesIn(t.dir.path()), before);
    for (const char* name : {"temp.tmp.bak", "sub/temp.tmp", "temp-10000.tmp", "x.exe.manifest"})
        EXPECT_TRUE(saveAs(t, t.file(name))) << name << " is the user's to take";
}

TEST(Saving, EveryTabComesBackFromTheFileAsItWasSaved) {
    StartedProgram t, other; // the other on another machine, with its own program directory
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

// A save that fails leaves the old file as it was and the work open, still marked unsaved; when
// closing asked for the save, the window stays open.
TEST(Saving, ASaveThatFailsKeepsTheOldFileTheWorkAndTheFlag) {
    StartedProgram t(shippedRanges(), "",
                     refusingWriter([](const auto& path) { return path.extension() == ".tly"; },
                                    "No space left on device"));
    t.enterMark("3", "4", "50");
    addTabs(t, 1);
    t.write("old.tly", "old");
    for (const bool bound : {false, true}) { // Save As, then Save to the file bound
        const std::string before = windowState(t.form());
        for (const bool closing : {false, true}) {
            if (closing) t.dialogs.press(Answer::Yes);
            if (!bound) t.dialogs.choose(t.file("old.tly"));
            if (!bound) t.dialogs.press(Answer::OK); // overwrite
            t.dialogs.press(Answer::OK);             // the failure
            EXPECT_TRUE(t.run(
                [=](FrmGradeHelp& f) { closing ? f.exit_Click() : (void)f.mensave_Click(); }));
            EXPECT_NE(t.dialogs.last().find(t.file("old.tly") + ". No space left on device."),
                      std::string::npos);
            EXPECT_EQ(windowState(t.form()), before) << "the old names stay bound";
            EXPECT_EQ(t.read("old.tly"), "old");
        }
        t.form().currentFilePath = t.file("old.tly");
        t.form().currentFileTitle = "old.tly";
        t.run([](FrmGradeHelp& f) { f.formnamerefresh(); });
    }
}

// With the working file failing part way, as on a full disk, opening three tabs and saving them
// keeps every mark: the user is told once, and the save holds every tab as it was read.
TEST(Saving, AWorkingFileThatCannotBeWrittenStillSavesEveryMark) {
    StartedProgram t(shippedRanges(), "", failingAfter(100, [](const auto& path) {
                         return path.filename() == "temp.tmp";
                     }));
    t.write("three.tly", saveFileOf(3, 2));
    t.dialogs.choose(t.file("three.tly"));
    t.dialogs.press(Answer::OK);
    t.run([](FrmGradeHelp& f) { f.cmdOpen_Click(); });
    EXPECT_NE(t.dialogs.last().find(".\n\nCannot write " + t.file("temp.tmp") + ": File too large"),
              std::string::npos);
    ASSERT_TRUE(saveAs(t, t.file("copy.tly")));
    EXPECT_EQ(t.read("copy.tly"), t.read("three.tly"));
}

// Work that a save file could not give back, a tab of more marks than it can count or more text
// than opening reads, is kept in the window, and a save of it is refused rather than written.
TEST(Saving, WorkThatWouldNotOpenAgainIsKeptButNotSaved) {
    std::string longMarks; // 31000 marks of about 90 bytes: three such tabs pass 8 MB
    for (int j = 0; j < 31000; ++j) {
        const std::string n = std::to_string(j), v = "=123456789.012345\r\n";
        longMarks += "yougot" + n + v + "outof" + n + v + "weighting" + n + v;
    }
    const std::tuple<int, std::string, std::string> rows[] = {
        {1, "count=32768\r\n",
         R"(The tab "Tab 2" has 32768 marks, and a save file holds at most 32767 marks in a tab)"},
        {3, "count=31000\r\n" + longMarks,
         "It would be larger than 8 MB, the largest save file Tallisto opens"}};
    for (const auto& [tabs, section, reason] : rows) {
        SCOPED_TRACE(reason);
        StartedProgram t;
        addTabs(t, tabs);
        clickTab(t, 0);
        std::string working; // what a long session left for the tabs after the first
        for (int i = 1; i <= tabs; ++i)
            working += "[Tab " + std::to_string(i) + "]\r\nName=Tab " + std::to_string(i + 1) +
                       "\r\n" + section;
        t.write("temp.tmp", working);
        t.enterMark("1", "2", "3");
        t.dialogs.choose(t.file("big.tly"));
        t.dialogs.press(Answer::OK);
        EXPECT_FALSE(saveAs(t));
        EXPECT_EQ(t.dialogs.last(), "msgbox \"Tallisto\" \"Your work could not be saved to " +
                                        t.file("big.tly") + ". " + reason +
                                        ". No file was written, and your work is still open.\" OK");
        EXPECT_FALSE(t.exists("big.tly"));
        EXPECT_TRUE(t.form().unsaved);
        clickTab(t, tabs);
        EXPECT_EQ(t.form().lstScore.list.size(), tabs == 1 ? 32768u : 31000u);
    }
}

// A file the user made read-only stays as it is: Save offers Save As, which refuses it too.
TEST(Saving, AReadOnlySaveFileIsNotReplaced) {
    StartedProgram t;
    t.enterMark("3", "4", "50");
    ASSERT_TRUE(saveAs(t, t.file("mine.tly")));
    const std::string content = t.read("mine.tly");
    std::filesystem::permissions(t.file("mine.tly"), std::filesystem::perms::owner_read |
                                                         std::filesystem::perms::group_read |
                                                         std::filesystem::perms::others_read);
    t.enterMark("1", "2", "3");
    const std::string before = windowState(t.form());
    t.dialogs.press(Answer::No);
    bool saved = true;
    t.run([&](FrmGradeHelp& f) { saved = f.mensave_Click(); });
    EXPECT_FALSE(saved);
    EXPECT_EQ(t.dialogs.last(), "msgbox \"Tallisto\" \"" + t.file("mine.tly") +
                                    " is read-only, so Tallisto did not replace it.\n\nDo you "
                                    "want to save your work under another name?\" YesNo");
    EXPECT_EQ(windowState(t.form()), before);
    t.dialogs.press(Answer::Yes);
    t.dialogs.choose(t.file("mine.tly"));
    t.dialogs.press(Answer::OK); // refused again
    t.dialogs.choose(t.file("other.tly"));
    t.run([](FrmGradeHelp& f) { f.mensave_Click(); });
    EXPECT_EQ(t.read("mine.tly"), content);
    EXPECT_EQ(t.form().currentFilePath, t.file("other.tly"));
    EXPECT_FALSE(t.form().unsaved);
}

// Saving to a symbolic link replaces the file it leads to, and the link stays a link.
TEST(Saving, SavingThroughALinkKeepsTheLink) {
    StartedProgram t;
    std::filesystem::create_directory(t.dir.path() / "real");
    t.write("real/marks.tly", "old");
    std::filesystem::create_symlink("real/marks.tly", t.file("link.tly"));
    t.enterMark("3", "4", "50");
    t.dialogs.choose(t.file("link.tly"));
    t.dialogs.press(Answer::OK); // overwrite
    ASSERT_TRUE(saveAs(t));
    EXPECT_EQ(std::filesystem::read_symlink(t.file("link.tly")), "real/marks.tly");
    EXPECT_NE(t.read("real/marks.tly").find("yougot0=3"), std::string::npos);
}

// Each round a child saves two versions by turns until it is killed, at a moment anywhere in its
// first few saves: the file is always one version whole.
TEST(Saving, AKilledSaveLeavesTheOldOrTheNewFileWhole) {
    StartedProgram t;
    t.write("source.tly", saveFileOf(6, 200));
    open(t, t.file("source.tly"));
    ASSERT_TRUE(saveAs(t, t.file("kill.tly")));
    auto save = [&](int version) {
        t.form().cmdTab[0].caption = version == 0 ? "Alpha" : "Beta";
        t.form().unsaved = true;
        t.run([](FrmGradeHelp& f) { f.mensave_Click(); });
        return t.read("kill.tly");
    };
    const std::string beta = save(1);
    const auto began = std::chrono::steady_clock::now();
    const std::string alpha = save(0);
    const auto oneSave = std::chrono::steady_clock::now() - began;
    int changed = 0;
    std::mt19937 random(20261206);
    for (int round = 0; round < 50; ++round) {
        const std::string before = t.read("kill.tly");
        const pid_t child = fork();
        ASSERT_GE(child, 0); // kill(-1) would reach every process
        if (child == 0)
            for (int version = 1;; version = 1 - version)
                save(version);
        std::this_thread::sleep_for(oneSave * (random() % 400) / 100);
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        const std::string after = t.read("kill.tly");
        ASSERT_TRUE(after == alpha || after == beta) << "round " << round << ": a torn file";
        changed += after != before;
    }
    EXPECT_GT(changed, 0) << "the kills fell while saving was under way";
}

} // namespace
} // namespace tallisto::testing
