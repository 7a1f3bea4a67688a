// SPDX-License-Identifier: GPL-3.0-or-later
// Copies of the program running in one program directory, and the work of a copy that ended
// without closing.
#include "app/kept_work.h"
#include "shared/copy_files.h"
#include "support/driver_process.h"
#include "support/named_commands.h"

#include <algorithm>
#include <csignal>
#include <gmock/gmock.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tallisto::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::AnyOf;

// A further copy of the program in the same directory, in this process.
struct Copy {
    explicit Copy(const PlatformFacts& facts) : program(dialogs, facts) {}
    void start() { ASSERT_TRUE(program.start()); }
    void give(const std::string& command, const std::string& answers = "") {
        testing::give(program, dialogs, command, answers);
    }
    ScriptDialogs dialogs;
    Program program;
};

std::string restoreQuestion(const std::string& name) {
    return R"(msgbox "Restore unsaved work?" "Tallisto did not close properly. Restore the unsaved work of: )" +
           name + R"(?" YesNo)";
}

TEST(RunningCopies, EveryCopysFilesAreKnownByTheirNames) {
    const std::tuple<const char*, int, CopyFileKind> rows[] = {
        {"temp.tmp", 1, CopyFileKind::Working},
        {"temp.tmp.lock", 1, CopyFileKind::Lock},
        {"temp-2.tmp", 2, CopyFileKind::Working},
        {"temp-9999.tmp.recovery", 9999, CopyFileKind::Recovery},
        {"temp.tmp.recovery-1", 1, CopyFileKind::RecoveryPart1},
        {"temp-2.tmp.recovery-2", 2, CopyFileKind::RecoveryPart2}};
    for (const auto& [name, copy, kind] : rows) {
        CopyFileKind found{};
        EXPECT_EQ(copyOfFileName(name, &found), copy) << name;
        EXPECT_EQ(found, kind) << name;
        EXPECT_EQ(copyFileName(copy, kind), name);
    }
    for (const char* name :
         {"temp-1.tmp", "temp-02.tmp", "temp-10000.tmp", "temp-.tmp", "temp-2x.tmp",
          "temp.tmp.lock.old", "Temp.tmp", "xtemp.tmp", "temp.tmp.recovery-3"})
        EXPECT_EQ(copyOfFileName(name), 0) << name;
    TempDir dir;
    fs::create_directory(dir.path() / "sub");
    fs::create_symlink(dir.path() / "temp-3.tmp", dir.path() / "link.tly");
    EXPECT_TRUE(isCopyFileIn(dir.path(), dir.path() / "sub/../temp-3.tmp.recovery"));
    EXPECT_TRUE(isCopyFileIn(dir.path(), dir.path() / "link.tly")) << "through a link";
    EXPECT_FALSE(isCopyFileIn(dir.path(), dir.path() / "sub/temp.tmp"));
}

// Names, paths and marks of any text come back as they were, what-if marks as what-if marks; data
// cut short, or describing a window that cannot be, is not taken for recovery data at all. Work
// without what-if marks is written as before they existed.
TEST(RunningCopies, RecoveryDataComesBackWholeOrNotAtAll) {
    KeptWork work;
    work.tabs = {{"Tab 1", false}, {" a\\tb=\t ", true}, {"", true}};
    work.currentTab = 2;
    work.marks = {{"8", "10", "50"}, {"x\t", "", "1e3"}};
    work.whatIfMarks = 1;
    work.unsaved = true;
    work.filePath = "/home/a b/line\nbreak\r.tly";
    work.fileTitle = "line\nbreak\r.tly";
    work.selectedMark = "-1";
    const char bytes[] = "[Tab 0]\r\nName=\0\xff\r\n"; // a NUL and a byte that is no text
    work.workingFile = SharedBytes(std::string(bytes, sizeof bytes - 1));
    const std::string text = keptWorkText(keptWorkHead(work), work.workingFile);
    EXPECT_EQ(readKeptWork(text), work);
    for (std::size_t cut = 0; cut < text.size(); ++cut)
        ASSERT_FALSE(readKeptWork(std::string_view(text).substr(0, cut))) << cut;
    // Kept in part 2 of the data, the working file comes back only from that part, whole.
    const std::string named = keptWorkText(keptWorkHead(work), work.workingFile->size(), 2);
    const auto part2 = [](std::string bytes) {
        return [bytes](int part) { return part == 2 ? std::optional(bytes) : std::nullopt; };
    };
    EXPECT_EQ(readKeptWork(named, part2(*work.workingFile)), work);
    EXPECT_FALSE(readKeptWork(named, part2(work.workingFile->substr(1)))) << "a part cut short";
    EXPECT_FALSE(readKeptWork(named)) << "no part";
    EXPECT_FALSE(readKeptWork(named + "x", part2(*work.workingFile))) << "bytes after the name";

    work.workingFile = {};
    work.whatIfMarks = 0;
    EXPECT_NE(keptWorkHead(work).find("format=1\r\n"), std::string::npos);
    EXPECT_EQ(readKeptWork(keptWorkText(keptWorkHead(work), {})), work);
    for (const auto& [shown, hidden] : {std::pair{44, 0}, std::pair{43, 1}}) {
        KeptWork tooMany = work;
        tooMany.tabs.assign(static_cast<std::size_t>(shown), {"t", true});
        tooMany.tabs.resize(static_cast<std::size_t>(shown + hidden), {"t", false});
        EXPECT_FALSE(readKeptWork(keptWorkText(keptWorkHead(tooMany), {})))
            << shown << " shown, then " << hidden << " deleted";
    }
    work.whatIfMarks = 3;
    EXPECT_FALSE(readKeptWork(keptWorkText(keptWorkHead(work), {}))) << "more what-ifs than marks";
}

// Driver commands typing a mark of `score` out of 10, weighted 10; then a second tab shown, so
// that the first lies in the working file.
std::string markThenSecondTab(const std::string& score) {
    return "type " + score + "\ntype 10\ntype 10\ndo cmdEasyWork_Click\ndo cmdNewTab_Click\n" +
           "do cmdTab_Click 1\n";
}

// Ends a copy through Exit after `commands`: it says so, and its process ends without a fault.
void exitAfter(DriverProcess& copy, const std::string& commands) {
    copy.send(commands + "do exit_Click\n");
    EXPECT_TRUE(copy.waitForLine("ended"));
    EXPECT_EQ(copy.finish(), 0);
}

// Two real copies of the program, commands interleaved: neither start nor exit of one touches the
// other's working file, and each saves its own work.
TEST(RunningCopies, TwoCopiesInOneDirectoryKeepTheirOwnWork) {
    TempDir dir;
    putBytes(dir.path() / "graderanges.txt", shippedRanges());
    const fs::path firstFile = dir.path() / "temp.tmp";
    DriverProcess first(dir.path());
    first.send(markThenSecondTab("8") + "type 3\ntype 10\ntype 10\ndo cmdEasyWork_Click\n");
    ASSERT_EQ(first.get("lstScore.List"), "3");
    const std::string firstWorking = bytesOf(firstFile);
    ASSERT_NE(firstWorking.find("yougot0=8"), std::string::npos);

    DriverProcess second(dir.path());
    second.send(markThenSecondTab("1"));
    EXPECT_EQ(second.get("currentTab"), "1");
    EXPECT_EQ(bytesOf(firstFile), firstWorking) << "the second start left it alone";
    exitAfter(second, "choose " + dir.file("second.tly") + "\ndo cmdsave_Click\n");
    EXPECT_EQ(bytesOf(firstFile), firstWorking) << "the second copy's exit left it alone";

    first.send("do cmdTab_Click 0\nchoose " + dir.file("first.tly") + "\ndo cmdsave_Click\n");
    EXPECT_EQ(first.get("unsaved"), "False");
    EXPECT_EQ(bytesOf(dir.path() / "first.tly"),
              crlf({"[TabInfo]", "NumTabs=2", "[Tab 0]", "Name=Tab 1", "count=1", "yougot0=8",
                    "outof0=10", "weighting0=10", "gradesys=0", "[Tab 1]", "Name=Tab 2", "count=1",
                    "yougot0=3", "outof0=10", "weighting0=10", "gradesys=0"}))
        << "each tab with its own marks, nothing of the second copy";
    exitAfter(first, "");
}

// Tabs added, named, marked, deleted (the first among them), saved and changed again, the strip
// scrolled and a mark selected.
void makeWork(TestProgram& t, const std::string& saveFile) {
    addTabs(t, 9);
    clickTab(t, 1);
    fillTab(t, "Maths", {{"45", "50", "20"}, {"17.5", "20", "30"}}, 1);
    clickTab(t, 2);
    fillTab(t, "Physics", {{"3", "4", "10"}}, 2);
    clickTab(t, 0);
    deleteTab(t);
    clickTab(t, 3);
    deleteTab(t);
    saveAs(t, saveFile);
    clickTab(t, 5);
    fillTab(t, "Art", {{"8", "10", "50"}, {"9", "10", "25"}}, 3);
    scrollTo(t, t.form().HBar.max);
    selectMark(t, 0, 1);
}

// Runs `work` in a copy of this process that then dies by SIGKILL, unless it ended before; whether
// it died so.
bool killedAfter(const std::function<void()>& work) {
    const pid_t copy = ::fork();
    if (copy == 0) {
        work();
        ::raise(SIGKILL);
    }
    int status = 0;
    ::waitpid(copy, &status, 0);
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

// A copy killed with SIGKILL: its work is offered back at the next start and restored exactly as
// it stood, or discarded whole.
TEST(RunningCopies, KilledCopysWorkIsOfferedBackAndRestoredExactlyOrDiscarded) {
    for (const Answer answer : {Answer::Yes, Answer::No}) {
        TempDir elsewhere;
        TestProgram t;
        ASSERT_TRUE(killedAfter([&] {
            t.start();
            makeWork(t, elsewhere.file("work.tly"));
            putBytes(elsewhere.path() / "state", workState(t));
        }));
        t.dialogs.press(answer);
        t.start();
        EXPECT_EQ(t.dialogs.last(), restoreQuestion("work.tly"));
        if (answer == Answer::No) {
            StartedProgram fresh;
            EXPECT_EQ(workState(t), workState(fresh));
            continue;
        }
        // The file named at start is the restored work's own, or given up only when asked.
        t.dialogs.press(Answer::No);
        openAtStart(t, elsewhere.file("other.tly"));
        EXPECT_EQ(
            t.dialogs.last(),
            R"(msgbox "Delete all unsaved work?" "This will delete all unsaved work, continue?" YesNo)");
        openAtStart(t, elsewhere.file("work.tly"));
        EXPECT_EQ(workState(t), bytesOf(elsewhere.path() / "state"));
    }
}

// Writes as the program does, counting them in *count; at the write numbered killAt (from 1) the
// process is killed, before the write or right after it.
FileWriter killingWriter(int* count, int killAt, bool afterIt) {
    return [=](const fs::path& path, std::string_view bytes) {
        const bool last = ++*count == killAt;
        if (last && !afterIt) ::raise(SIGKILL);
        IoResult written = writeScratchFile(path, bytes);
        if (last) ::raise(SIGKILL);
        return written;
    };
}

// The work as a restore brings it back. The name of the grading system last worked out, shown
// nowhere, is left out: a tab without marks keeps the one the tab before it worked out, which a
// restore does not.
std::string restorable(std::string state) {
    const auto line = state.find("\ngradeSysName=");
    if (line != std::string::npos) state.erase(line + 1, state.find('\n', line + 1) - line);
    return state;
}

// Changes of the current tab alone, of the working file, and of both, undone and redone: each
// command leaves the work unsaved. `after` runs after each.
void giveSomeCommands(
    TestProgram& t, const std::function<void()>& after = [] {}) {
    for (const char* answer : {"8", "10", "50", "3", "4", "10", "Maths"})
        t.dialogs.type(answer);
    for (const char* command :
         {"cmdEasyWork_Click", "cmdNewTab_Click", "cmdTab_Click 1", "cmdEasyWork_Click",
          "cmdTab_Click 0", "menRename_Click", "menUndo_Click", "menUndo_Click", "menRedo_Click",
          "menDelete_Click", "menUndo_Click"}) {
        give(t, command);
        after();
    }
}

// Killed at any moment, a copy leaves recovery data that brings back the work of the last command
// that finished, or of the one finishing once all its data is written: never a mix of the two, a
// working file of one with the marks of the other.
TEST(RunningCopies, AKillAtAnyWriteLeavesTheWorkOfACommandWhole) {
    std::vector<std::string> states; // after each command
    std::vector<int> writes;         // done by the end of each command
    {
        int count = 0;
        StartedProgram t(shippedRanges(), "", killingWriter(&count, 0, false));
        giveSomeCommands(t, [&] {
            states.push_back(restorable(workState(t)));
            writes.push_back(count);
        });
    }
    states.push_back(states.back()); // no command after the last
    for (int killAt = writes.front() + 1; killAt <= writes.back(); ++killAt) {
        for (const bool afterIt : {false, true}) {
            SCOPED_TRACE("killed at write " + std::to_string(killAt) + (afterIt ? ", after" : ""));
            TestProgram t;
            ASSERT_TRUE(killedAfter([&] {
                int count = 0;
                t.program = std::make_unique<Program>(t.dialogs, t.facts,
                                                      killingWriter(&count, killAt, afterIt));
                if (t.program->start()) giveSomeCommands(t);
                ::_exit(1); // never killed
            }));
            // The commands that had finished, all their writes done before this one.
            const auto finished = static_cast<std::size_t>(
                std::upper_bound(writes.begin(), writes.end(), killAt - 1) - writes.begin());
            t.dialogs.press(Answer::Yes);
            t.start();
            EXPECT_THAT(restorable(workState(t)), AnyOf(states[finished - 1], states[finished]))
                << "after " << finished << " commands";
        }
    }
}

// Files left by copies that closed in order, by earlier versions or with everything saved go
// without a word; of several copies that left work, the newest is offered first, and what the
// user does not take now waits for the next start.
TEST(RunningCopies, LeftoversGoSilentlyAndEachCopysWorkIsOfferedInTurn) {
    TestProgram t;
    const std::vector<std::string> leftovers = {"temp.tmp", "temp-7.tmp", "temp-7.tmp.lock",
                                                "temp-8.tmp.recovery"};
    for (const std::string& name : leftovers)
        t.write(name, crlf({"[Tab 0]", "Name=Old"}));
    {
        Copy a(t.facts), b(t.facts), c(t.facts);
        int score = 0;
        for (Copy* copy : {&a, &b, &c}) { // each starts beside the unsaved work of the others
            copy->start();
            copy->give("cmdEasyWork_Click", std::to_string(++score) + " 10 10");
        }
        EXPECT_EQ(present(t, leftovers), "");
        c.give("cmdNewTab_Click");
        c.give("cmdTab_Click 1");
        c.dialogs.choose(t.file("c.tly"));
        c.give("cmdsave_Click");
        EXPECT_EQ(present(t, {"temp.tmp.recovery", "temp-2.tmp.recovery", "temp-3.tmp.recovery"}),
                  "temp.tmp.recovery temp-2.tmp.recovery")
            << "nothing unsaved in the third";
        fs::last_write_time(t.file("temp.tmp.recovery"),
                            fs::last_write_time(t.file("temp-2.tmp.recovery")) -
                                std::chrono::minutes(1));
    } // all three end without closing

    t.dialogs.press(Answer::Yes);
    t.start();
    EXPECT_EQ(t.form().lstScore.list, std::vector<std::string>{"2"}) << "the newest first";
    EXPECT_EQ(fs::path(t.form().workingFile()).filename(), "temp-2.tmp");
    EXPECT_EQ(present(t, {"temp.tmp.recovery", "temp-3.tmp", "temp-3.tmp.lock"}),
              "temp.tmp.recovery")
        << "the other copy's work waits; the copy that saved left nothing";

    Copy d(t.facts);
    d.dialogs.press(Answer::No);
    d.start();
    EXPECT_EQ(describe(d.dialogs.shown.at(0)), restoreQuestion("<Unsaved>"));
    EXPECT_EQ(fs::path(d.program.frmGradeHelp.workingFile()).filename(), "temp.tmp");
    EXPECT_EQ(present(t, {"temp.tmp.recovery", "temp-2.tmp.recovery"}), "temp-2.tmp.recovery")
        << "declined work goes; the running copy's own stays";
    EXPECT_EQ(t.form().lstScore.list, std::vector<std::string>{"2"});
}

} // namespace
} // namespace tallisto::testing
