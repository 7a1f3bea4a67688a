// SPDX-License-Identifier: GPL-3.0-or-later
// Undo and redo: every change of a student's data taken back and done again, leaving exactly the
// window, the variables and the working file as they were.
#include "app/events.h"
#include "shared/copy_files.h"
#include "support/test_program.h"

#include <random>

namespace tallisto::testing {
namespace {

void click(TestProgram& t, void (FrmGradeHelp::*procedure)()) {
    t.run([procedure](FrmGradeHelp& f) { (f.*procedure)(); });
}

// Shows another tab than the current one, when there is one.
void switchAway(TestProgram& t) {
    const FrmGradeHelp& f = t.form();
    for (int i = 0; i < static_cast<int>(f.cmdTab.size()); ++i)
        if (i != f.currentTab && f.cmdTab[i].visible) return clickTab(t, i);
}

// Two subjects saved, the first shown with two marks and a what-if mark.
void savedTwoSubjects(TestProgram& t) {
    fillTab(t, "Maths", {{"8", "10", "40"}, {"15", "20", "25"}}, 1);
    enterWhatIf(t, "30", "40", "20");
    addTabs(t, 1);
    clickTab(t, 1);
    fillTab(t, "Physics", {{"3", "4", "10"}}, 2);
    clickTab(t, 0);
    ASSERT_TRUE(saveAs(t, t.file("work.tly")));
}

// Each kind of change, undone after the user moved to another tab and redone: the state before
// and after come back property by property, and the items name the change.
TEST(History, EveryKindOfChangeIsUndoneAndRedoneExactlyAcrossATabSwitch) {
    struct Change {
        const char* what;
        int selectedRow; // the row clicked before the change, -1 for none
        std::function<void(TestProgram&)> change;
    };
    const Change changes[] = {
        {"Enter Mark", -1, [](TestProgram& t) { t.enterMark("9", "10", "5"); }},
        {"Enter What-If Mark", -1, [](TestProgram& t) { enterWhatIf(t, "1", "2", "5"); }},
        {"Edit Mark", 1,
         [](TestProgram& t) {
             t.typeMark("16", "20", "30");
             click(t, &FrmGradeHelp::menEditMark_Click);
         }},
        {"Delete Mark", 0, deleteSelectedMark},
        {"Make Mark Real", 2, [](TestProgram& t) { click(t, &FrmGradeHelp::menMakeReal_Click); }},
        {"Clear What-If Marks", -1,
         [](TestProgram& t) { click(t, &FrmGradeHelp::menClearWhatIf_Click); }},
        {"Reset Tab", -1, [](TestProgram& t) { click(t, &FrmGradeHelp::cmdReset_Click); }},
        {"Reset All", -1, [](TestProgram& t) { click(t, &FrmGradeHelp::menResetAll_Click); }},
        {"New Tab", -1, [](TestProgram& t) { addTabs(t, 1); }},
        {"Rename Tab", -1, [](TestProgram& t) { rename(t, "Algebra"); }},
        {"Delete Tab", -1, deleteTab},
        {"Choose Grading System", -1, [](TestProgram& t) { chooseGradeSys(t, 3); }},
    };
    for (const auto& [what, row, change] : changes) {
        SCOPED_TRACE(what);
        StartedProgram t;
        savedTwoSubjects(t);
        if (row >= 0) selectMark(t, row % 4, row);
        const std::string before = workState(t);
        change(t);
        const std::string after = workState(t);
        ASSERT_NE(after, before);
        EXPECT_EQ(t.form().menUndo.caption, std::string("Undo ") + what);
        switchAway(t);
        undo(t);
        EXPECT_EQ(workState(t), before);
        EXPECT_EQ(t.form().menRedo.caption, std::string("Redo ") + what);
        redo(t);
        EXPECT_EQ(workState(t), after);
        EXPECT_FALSE(t.form().menRedo.enabled);
    }
}

// Undoing back to what the file holds clears the unsaved flag, and only that; Reset All, which
// unbinds the file, binds it again when undone. Opening a file starts the history afresh.
TEST(History, TheUnsavedFlagFollowsWhatTheSaveFileHolds) {
    StartedProgram t;
    t.enterMark("8", "10", "50");
    ASSERT_TRUE(saveAs(t, t.file("work.tly")));
    const std::string saved = workState(t);
    t.enterMark("3", "4", "10");
    undo(t);
    EXPECT_EQ(workState(t), saved);
    EXPECT_EQ(t.form().frmGradeHelp.caption, "work.tly - 80% in Tab 1 - Tallisto");
    redo(t);
    t.run([](FrmGradeHelp& f) { f.mensave_Click(); }); // the file now holds both marks
    undo(t);
    EXPECT_TRUE(t.form().unsaved && t.form().mensave.enabled);
    EXPECT_EQ(t.form().frmGradeHelp.caption, "* work.tly - 80% in Tab 1 - Tallisto");
    redo(t);
    EXPECT_FALSE(t.form().unsaved || t.form().mensave.enabled);

    click(t, &FrmGradeHelp::menResetAll_Click);
    EXPECT_EQ(t.form().currentFilePath, "");
    undo(t);
    EXPECT_EQ(t.form().currentFilePath, t.file("work.tly"));
    EXPECT_FALSE(t.form().unsaved);
    EXPECT_EQ(t.form().menUndo.caption, "Undo Enter Mark");

    open(t, t.file("work.tly"));
    EXPECT_FALSE(t.form().menUndo.enabled || t.form().menRedo.enabled);
    EXPECT_EQ(t.form().menUndo.caption, "Undo");
    EXPECT_EQ(t.program->run(*findProcedure("menUndo_Click"), {}), Program::Outcome::OutOfReach);
}

// While the working file cannot be written, the tabs live in memory alone, and the history keeps
// them from there: undoing a deleted tab brings back the other tabs' marks too.
TEST(History, TabsKeptInMemoryOnlyComeBackWithUndo) {
    bool full = false;
    StartedProgram t(shippedRanges(), "",
                     refusingWriter([](const auto& path) { return path.filename() == "temp.tmp"; },
                                    "No space left on device", &full));
    t.enterMark("8", "10", "50");
    addTabs(t);
    full = true;
    t.dialogs.press(Answer::OK); // told that the working file cannot be written
    clickTab(t, 1);
    t.enterMark("3", "4", "10");
    deleteTab(t);
    t.dialogs.press(Answer::OK); // told again: the restored file cannot be written either
    undo(t);
    const std::vector<TabState> tabs = shownTabs(t);
    ASSERT_EQ(tabs.size(), 2u);
    EXPECT_EQ(tabs[0].scores, std::vector<std::string>{"8"});
    EXPECT_EQ(tabs[1].scores, std::vector<std::string>{"3"});
}

// The oldest steps go beyond 100 steps, or once the states kept take more than the budget; a
// saved state among them is then out of reach, and work undone to the oldest left is unsaved.
TEST(History, KeepsItsNewestStepsWithinItsCaps) {
    History history(3, 10000);
    const auto stateWith = [](int n, std::size_t fileBytes) {
        auto work = std::make_shared<KeptWork>();
        work->marks.assign(static_cast<std::size_t>(n), {"1", "2", "3"});
        work->workingFile = SharedBytes(std::string(fileBytes, 'x'));
        return work;
    };
    history.settle(stateWith(0, 0), false); // the start, saved
    for (int n = 1; n <= 5; ++n) {
        history.noteChange("Enter Mark " + std::to_string(n));
        history.settle(stateWith(n, 0), true);
    }
    EXPECT_EQ(history.steps(), 3u);
    EXPECT_EQ(history.undoWhat(), "Enter Mark 5");
    while (history.canUndo())
        history.undo();
    EXPECT_EQ(history.redoWhat(), "Enter Mark 3");
    EXPECT_TRUE(history.unsavedHere()) << "the saved start is gone";
    history.settle(stateWith(2, 0), true);

    for (int n = 0; n < 3; ++n) { // each state brings a working file of its own
        history.noteChange("Rename Tab");
        history.settle(stateWith(n, 4000), true);
    }
    EXPECT_LE(history.bytes(), 10000u);
    EXPECT_EQ(history.steps(), 1u) << "two steps would keep three files of 4000 bytes";
    EXPECT_EQ(history.undoWhat(), "Rename Tab");
    history.noteChange("Huge");
    history.settle(stateWith(1, 50000), true);
    EXPECT_EQ(history.steps(), 1u) << "the newest step stays, however large";
}

// A student giving random commands through the table of events, as the window and the driver
// give them: a command the user cannot reach now is refused and changes nothing.
class RandomStudent {
public:
    explicit RandomStudent(unsigned seed) : random_(seed) {}

    // The procedure run is the one last asked for.
    const std::string& lastProcedure() const { return last_; }

    void act(TestProgram& t) {
        FrmGradeHelp& f = t.form();
        const int marks = static_cast<int>(f.lstScore.list.size());
        const auto tab = [&] { return pick(static_cast<int>(f.cmdTab.size())); };
        switch (pick(16)) {
        case 0:
        case 1:
            return mark(t, marks, "cmdEasyWork_Click");
        case 2:
            return mark(t, marks, "menWhatIf_Click");
        case 3:
            return run(t, list() + "_MouseUp", {pick(marks + 1) - 1});
        case 4: { // edits the selected mark, or the row double-clicked: asked only for a mark
            if (pick(2))
                return run(t, "menEditMark_Click", {}, f.markToDelete() < 0 ? "" : typedMark());
            const int row = pick(marks + 1) - 1;
            return run(t, list() + "_DblClick", {row}, row < 0 ? "" : typedMark());
        }
        case 5: // a mark selected first, mostly a what-if mark
            if (f.markToDelete() < 0 && marks > 0)
                return run(t, list() + "_MouseUp", {marks - 1 - pick(pick(2) ? 1 : marks)});
            return run(t, f.menMakeReal.enabled && pick(3) ? "menMakeReal_Click"
                                                           : "menDelSelRes_Click");
        case 6:
            return run(t, pick(2) ? "menClearWhatIf_Click" : "cmdReset_Click");
        case 7:
            return run(t, "menResetAll_Click", {}, f.unsaved ? "Yes" : "");
        case 8:
            if (f.tabCount < 5) return run(t, "cmdNewTab_Click");
            return run(t, "menDelete_Click");
        case 9:
            return run(t, "menRename_Click", {}, "T" + std::to_string(pick(100)));
        case 10:
            return run(t, "cmdTab_MouseUp", {tab(), vbMiddleButton});
        case 11:
            return run(t, "cmdTab_Click", {tab()});
        case 12:
            return run(t, "menGradesys_Click", {pick(4)});
        case 13:
        case 14:
            return run(t, "menUndo_Click");
        default:
            return run(t, "menRedo_Click");
        }
    }

private:
    // Runs a command through the table; its answers are queued only if it can be given now.
    void run(TestProgram& t, const std::string& procedure, EventArgs args = {},
             const std::string& answers = "") {
        last_ = procedure;
        const Event& event = *findProcedure(procedure);
        args.resize(static_cast<std::size_t>(event.arity + event.optional), 0);
        if (reachOf(*t.program, event, args) == Reach::Reachable) {
            for (std::size_t at = 0; at < answers.size();) {
                const std::size_t end = std::min(answers.find(' ', at), answers.size());
                const std::string answer = answers.substr(at, end - at);
                if (answer == "Yes")
                    t.dialogs.press(Answer::Yes);
                else
                    t.dialogs.type(answer);
                at = end + 1;
            }
        }
        t.program->run(event, args);
    }
    // A new mark, real or what-if: few enough that the weighting stays far from the limit.
    void mark(TestProgram& t, int marks, const std::string& procedure) {
        last_.clear();
        if (marks < 8) run(t, procedure, {}, typedMark());
    }
    // An edit is asked only when a mark is selected; the marks' weightings stay small.
    std::string typedMark() {
        return std::to_string(pick(40)) + (pick(2) ? ".5 " : " ") + std::to_string(pick(5) * 10) +
               " " + std::to_string(pick(11)) + (pick(3) ? "" : ".25");
    }
    std::string list() {
        static const char* const lists[] = {"lstScore", "lstTotal", "lstWeighting",
                                            "lstPercentage"};
        return lists[pick(4)];
    }
    int pick(int below) { return std::uniform_int_distribution<int>(0, below - 1)(random_); }

    std::mt19937 random_;
    std::string last_;
};

struct Step {
    std::string before, after;
};

// Random commands, undo and redo among them, each step recorded with the states around it, then
// every step undone to the start and redone to the end: each state comes back exactly.
void checkRandomSequence(TestProgram& t, unsigned seed, int commands) {
    const History& history = t.program->history;
    RandomStudent student(seed);
    std::vector<Step> steps;
    std::string state = workState(t);
    for (int i = 0; i < commands; ++i) {
        const std::size_t position = history.position();
        student.act(t);
        std::string now = workState(t);
        const bool redone = student.lastProcedure() == "menRedo_Click";
        if (history.position() < position) {
            ASSERT_EQ(now, steps[history.position()].before) << "seed " << seed << ", undone";
        } else if (history.position() > position && redone) {
            ASSERT_EQ(now, steps[position].after) << "seed " << seed << ", redone";
        } else if (history.position() > position) {
            steps.resize(position); // a change drops the steps undone before it
            steps.push_back({state, now});
        }
        state = std::move(now);
    }
    ASSERT_EQ(history.steps(), steps.size()) << "seed " << seed;
    for (std::size_t k = history.position(); k-- > 0;) {
        undo(t);
        ASSERT_EQ(workState(t), steps[k].before) << "seed " << seed << ", undoing step " << k;
    }
    ASSERT_FALSE(t.form().menUndo.enabled) << "seed " << seed;
    for (std::size_t k = 0; k < steps.size(); ++k) {
        redo(t);
        ASSERT_EQ(workState(t), steps[k].after) << "seed " << seed << ", redoing step " << k;
    }
}

TEST(History, RandomCommandSequencesAreUndoneToTheStartAndRedoneToTheEndExactly) {
    // Thousands of sequences, the recovery data left unwritten: that is what costs here, and
    // everything else goes to disk as always.
    const FileWriter noRecoveryData = [](const std::filesystem::path& path,
                                         std::string_view bytes) {
        CopyFileKind kind{};
        if (copyOfFileName(path.filename().string(), &kind) && kind != CopyFileKind::Working)
            return IoResult::success();
        return writeScratchFile(path, bytes);
    };
    for (unsigned seed = 1; seed <= 2000; ++seed) {
        StartedProgram t(shippedRanges(), "", noRecoveryData);
        checkRandomSequence(t, seed, 15);
        if (HasFatalFailure()) return;
    }
    // Fewer, longer ones with every file written as in use.
    for (unsigned seed = 5001; seed <= 5050; ++seed) {
        StartedProgram t;
        checkRandomSequence(t, seed, 60);
        if (HasFatalFailure()) return;
    }
}

} // namespace
} // namespace tallisto::testing
