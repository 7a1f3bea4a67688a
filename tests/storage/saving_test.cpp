// SPDX-License-Identifier: GPL-3.0-or-later
// Saving all tabs into one file: the layout, the dialogs, a save that fails or is killed midway.
#include "shared/folder_support.h"
#include "storage/save_file_support.h"
#include "support/named_commands.h"

#include <chrono>
#include <csignal>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace tallisto::testing {
namespace {

namespace fs = std::filesystem;

// Tabs named in several scripts, of every grading system, some deleted, are written in the stored
// layout under the indices of their buttons, and come back from the file as they were saved, also
// once saved again from the opened work.
TEST(Saving, EveryTabIsWrittenInTheStoredLayoutAndComesBackAsItWasSaved) {
    StartedProgram t, other; // the other on another machine, with its own program directory
    fillTab(t, "Maths", {{"45", "50", "20"}, {"17.5", "20", "30"}, {"0", "0", "5"}}, 2);
    addTabs(t, 6);
    for (const auto& [tab, name] : {std::pair{1, "Français"}, {3, "数学"}, {5, "Ökologie"}}) {
        clickTab(t, tab);
        fillTab(t, name, {{"33.335", "40", "12.5"}, {std::to_string(tab), "9", "1E-5"}}, tab % 4);
    }
    for (int deleted : {2, 4}) {
        clickTab(t, deleted);
        deleteTab(t);
    }
    clickTab(t, 3);
    const std::vector<TabState> before = shownTabs(t);
    t.dialogs.choose(t.file("work.tly"));
    t.run(&FrmGradeHelp::mensave_Click); // no file yet: Save As
    const auto marks = [](const char* tab) {
        return "|count=2|yougot0=33.335|outof0=40|weighting0=12.5|yougot1=" + std::string(tab) +
               "|outof1=9|weighting1=0|gradesys=";
    };
    EXPECT_EQ(t.read("work.tly"),
              lines("[TabInfo]|NumTabs=5|[Tab 0]|Name=Maths|count=3|yougot0=45|outof0=50|"
                    "weighting0=20|yougot1=17.5|outof1=20|weighting1=30|yougot2=0|outof2=0|"
                    "weighting2=5|gradesys=2|[Tab 1]|Name=Français" +
                    marks("1") + "1|[Tab 3]|Name=数学" + marks("3") + "3|[Tab 5]|Name=Ökologie" +
                    marks("5") + "1|[Tab 6]|Name=Tab 7|count=0|gradesys=1"));
    EXPECT_EQ(t.form().currentTab, 3) << "the tab shown before saving is shown again";
    EXPECT_EQ(t.form().frmGradeHelp.caption, "work.tly - 83.5% in 数学 - Tallisto");
    EXPECT_FALSE(t.form().mensave.enabled);
    open(other, t.file("work.tly"));
    EXPECT_EQ(shownTabs(other), before);
    EXPECT_EQ(other.form().frmGradeHelp.caption, "work.tly - 88.5% in Maths - Tallisto");
    // Saved again from the opened work, the tabs take the indices 0 to 4 and read the same.
    ASSERT_TRUE(saveAs(other, other.file("again.tly")));
    EXPECT_NE(other.read("again.tly").find("[Tab 3]\r\nName=Ökologie\r\n"), std::string::npos);
    open(t, other.file("again.tly"));
    EXPECT_EQ(shownTabs(t), before);
}

// Save As asks before replacing a file and shows its dialog again after Cancel, and a name is used
// as it stands. A link stays a link, and the file it leads to is replaced whole. A file the user
// made read-only stays as it is: Save offers Save As, which refuses it too.
TEST(Saving, SaveAsAsksBeforeReplacingKeepsLinksAndLeavesReadOnlyFilesAlone) {
    StartedProgram t;
    fs::create_directory(t.dir.path() / "real");
    t.write("real/old.tly", "old");
    fs::create_symlink("real/old.tly", t.file("link.tly"));
    t.enterMark("8", "10", "50");
    t.dialogs.choose(t.file("link.tly"));
    t.dialogs.press(Answer::Cancel);
    ASSERT_TRUE(saveAs(t, t.file("new")));
    EXPECT_EQ(describe(t.dialogs.shown.end()[-2]),
              R"(msgbox "Overwrite File?" "This file already exists. Are you sure you want to )"
              R"(overwrite this file?" OKCancel)");
    EXPECT_EQ(t.read("real/old.tly"), "old");
    t.dialogs.choose(t.file("link.tly"));
    t.dialogs.press(Answer::OK);
    ASSERT_TRUE(saveAs(t));
    EXPECT_EQ(fs::read_symlink(t.file("link.tly")), "real/old.tly");
    const std::string content = t.read("new");
    EXPECT_EQ(t.read("real/old.tly"), content);

    fs::permissions(t.file("real/old.tly"), fs::perms::owner_read | fs::perms::group_read);
    t.enterMark("1", "2", "3");
    const std::string before = windowState(t.form());
    t.dialogs.press(Answer::No);
    bool saved = true;
    t.run([&](FrmGradeHelp& f) { saved = f.mensave_Click(); });
    EXPECT_FALSE(saved);
    EXPECT_EQ(t.dialogs.last(), "msgbox \"Tallisto\" \"" + t.file("link.tly") +
                                    " is read-only, so Tallisto did not replace it.\n\nDo you "
                                    "want to save your work under another name?\" YesNo");
    EXPECT_EQ(windowState(t.form()), before);
    t.dialogs.press(Answer::Yes);
    t.dialogs.choose(t.file("link.tly"));
    t.dialogs.press(Answer::OK); // refused again
    t.dialogs.choose(t.file("other.tly"));
    t.run(&FrmGradeHelp::mensave_Click);
    EXPECT_EQ(t.read("real/old.tly"), content);
    EXPECT_EQ(t.form().currentFilePath, t.file("other.tly"));
    EXPECT_FALSE(t.form().unsaved);
}

// Every file the program keeps for itself, by every name that reaches it, is refused by Save As,
// Save and both reports and stays as it was; the names beside them are the user's to take.
TEST(Saving, NoSaveOrReportLandsOnAFileTheProgramKeeps) {
    StartedProgram t(shippedRanges(), crlf({"[Settings]", "gradesys=1"}));
    t.enterMark("8", "10", "50");
    addTabs(t, 1);
    clickTab(t, 1); // the working file holds tab 0, the recovery data the unsaved work
    t.enterMark("1", "2", "3");
    t.write("temp-2.tmp", "another copy's tabs");
    t.write("temp-2.tmp.lock", "");
    t.write("tallisto.exe.manifest", "<assembly/>");
    fs::create_directory(t.dir.path() / "sub");
    fs::create_symlink(t.file("graderanges.txt"), t.file("ranges-link.txt"));
    fs::create_symlink(t.file("temp-7.tmp.recovery"), t.file("dangling.tly")); // not yet there
    fs::create_hard_link(t.file("settings.ini"), t.dir.path() / "sub/hard.ini");
    const Files before = filesIn(t.dir.path());
    ASSERT_TRUE(before.contains("temp.tmp.lock"));
    ASSERT_TRUE(before.contains("temp.tmp.recovery"));
    const auto refusal = [&](const std::string& path, const char* what, const char* then) {
        return "Tallisto keeps its own settings and working data in " + path + ", so " + what +
               " cannot be saved there. Please " + then + " another name.";
    };
    for (const char* name :
         {"settings.ini", "sub/../graderanges.txt", "tallisto.exe.manifest", "temp.tmp",
          "temp.tmp.lock", "temp.tmp.recovery", "temp-2.tmp", "temp-2.tmp.lock", "ranges-link.txt",
          "dangling.tly", "sub/hard.ini"}) {
        SCOPED_TRACE(name);
        const std::string path = t.file(name);
        t.form().currentFilePath = path; // as if bound by an earlier Save
        t.dialogs.press(Answer::OK);
        t.run(&FrmGradeHelp::mensave_Click);
        EXPECT_EQ(t.dialogs.last(), "msgbox \"Tallisto\" \"" +
                                        refusal(path, "your work", "use \"Save As\" to choose") +
                                        "\" OK");
        t.form().currentFilePath.clear();
        for (const auto& [command, what] : {std::pair{"cmdsave_Click", "your work"},
                                            {"menSaveReport_Click", "the report"},
                                            {"menReportSet_Click", "the report"}}) {
            t.dialogs.choose(path);
            t.dialogs.press(Answer::OK);
            t.dialogs.cancel();
            give(t, command);
            EXPECT_EQ(t.dialogs.shown.end()[-2].prompt, refusal(path, what, "choose")) << command;
        }
    }
    EXPECT_EQ(filesIn(t.dir.path()), before);
    for (const char* name : {"temp.tmp.bak", "sub/temp.tmp", "temp-10000.tmp", "x.exe.manifest"})
        EXPECT_TRUE(saveAs(t, t.file(name))) << name << " is the user's to take";
}

// A save that fails leaves the old file as it was and the work open, still marked unsaved; when
// closing asked for the save, the window stays open, also through the next save that succeeds.
TEST(Saving, ASaveThatFailsKeepsTheOldFileTheWorkAndTheFlag) {
    bool full = true;
    StartedProgram t(shippedRanges(), "",
                     refusingWriter([](const auto& path) { return path.extension() == ".tly"; },
                                    "No space left on device", &full));
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
        t.run(&FrmGradeHelp::formnamerefresh);
    }
    full = false;
    t.dialogs.choose(t.file("new.tly"));
    EXPECT_TRUE(t.run(&FrmGradeHelp::cmdsave_Click)) << "no close left pending";
}

// With the working file failing part way, as on a full disk, opening three tabs and saving them
// keeps every mark: the user is told once, and the save holds every tab as it was read.
TEST(Saving, AWorkingFileThatCannotBeWrittenStillSavesEveryMark) {
    StartedProgram t(shippedRanges(), "", failingAfter(100, [](const auto& path) {
                         return path.filename() == "temp.tmp";
                     }));
    t.write("three.tly", saveFileOf(3, 2));
    openTold(t, t.file("three.tly"));
    EXPECT_NE(t.dialogs.last().find(".\n\nCannot write " + t.file("temp.tmp") + ": File too large"),
              std::string::npos);
    ASSERT_TRUE(saveAs(t, t.file("copy.tly")));
    EXPECT_EQ(t.read("copy.tly"), t.read("three.tly"));
}

// Work that a save file could not give back, a tab of more marks than it can count or more text
// than opening reads, is kept in the window, and a save of it is refused rather than written.
TEST(Saving, WorkThatWouldNotOpenAgainIsKeptButNotSaved) {
    std::string longMarks = "count=31000"; // 31000 marks of about 90 bytes: three tabs pass 8 MB
    for (int j = 0; j < 31000; ++j)
        for (const char* key : {"|yougot", "|outof", "|weighting"})
            longMarks += key + std::to_string(j) + "=123456789.012345";
    const std::tuple<int, std::string, std::string> rows[] = {
        {1, "count=32768",
         R"(The tab "Tab 2" has 32768 marks, and a save file holds at most 32767 marks in a tab)"},
        {3, longMarks, "It would be larger than 8 MB, the largest save file Tallisto opens"}};
    for (const auto& [tabs, section, reason] : rows) {
        SCOPED_TRACE(reason);
        StartedProgram t;
        addTabs(t, tabs);
        clickTab(t, 0);
        std::string working; // what a long session left for the tabs after the first
        for (int i = 1; i <= tabs; ++i)
            working += lines("[Tab " + std::to_string(i) + "]|Name=Tab " + std::to_string(i + 1) +
                             "|" + section);
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
        t.run(&FrmGradeHelp::mensave_Click);
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
