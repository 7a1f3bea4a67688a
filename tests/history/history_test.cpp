// SPDX-License-Identifier: GPL-3.0-or-later
// Undo and redo: every change of a student's data taken back and done again, leaving exactly the
// window, the variables and the working file as they were.
#include "shared/copy_files.h"
#include "support/named_commands.h"

#include <random>

namespace tallisto::testing {
namespace {

// Each kind of change in two saved subjects, undone after the user moved to another tab and
// redone: the state before and after come back property by property, and the items name the change.
TEST(History, EveryKindOfChangeIsUndoneAndRedoneExactlyAcrossATabSwitch) {
    // The change, the row clicked before it (-1 for none), the command and its answers.
    const std::tuple<std::string, int, const char*, const char*> changes[] = {
        {"Enter Mark", -1, "cmdEasyWork_Click", "9 10 5"},
        {"Enter What-If Mark", -1, "menWhatIf_Click", "1 2 5"},
        {"Edit Mark", 1, "menEditMark_Click", "16 20 30"},
        {"Delete Mark", 0, "menDelSelRes_Click", ""},
        {"Make Mark Real", 2, "menMakeReal_Click", ""},
        {"Clear What-If Marks", -1, "menClearWhatIf_Click", ""},
        {"Reset Tab", -1, "cmdReset_Click", ""},
        {"Reset All", -1, "menResetAll_Click", ""},
        {"New Tab", -1, "cmdNewTab_Click", ""},
        {"Rename Tab", -1, "menRename_Click", "Algebra"},
        {"Delete Tab", -1, "menDelete_Click", ""},
        {"Choose Grading System", -1, "menGradesys_Click 3", ""}};
    for (const auto& [what, row, command, answers] : changes) {
        SCOPED_TRACE(what);
        StartedProgram t;
        fillTab(t, "Maths", {{"8", "10", "40"}, {"15", "20", "25"}}, 1);
        enterWhatIf(t, "30", "40", "20");
        addTabs(t, 1);
        clickTab(t, 1);
        fillTab(t, "Physics", {{"3", "4", "10"}}, 2);
        clickTab(t, 0);
        ASSERT_TRUE(saveAs(t, t.file("work.tly")));
        if (row >= 0) selectMark(t, row % 4, row);
        const std::string before = workState(t);
        give(t, command, answers);
        const std::string after = workState(t);
        ASSERT_NE(after, before);
        EXPECT_EQ(t.form().menUndo.caption, "Undo " + what);
        give(t, t.form().currentTab == 0 ? "cmdTab_Click 1" : "cmdTab_Click 0"); // if still there
        undo(t);
        EXPECT_EQ(workState(t), before);
        EXPECT_EQ(std::tuple(t.form().menUndo.caption, t.form().menRedo.caption),
                  std::tuple("Undo Choose Grading System", "Redo " + what));
        redo(t);
        EXPECT_EQ(workState(t), after);
        EXPECT_FALSE(t.form().menRedo.enabled);
    }
}

// Before any change there is nothing to undo, redo, edit, make real or clear. Only the state that
// the save file holds is saved, also once the file was saved again. Opening a file starts the
// history afresh.
TEST(History, TheUnsavedFlagFollowsWhatTheSaveFileHolds) {
    StartedProgram t;
    const FrmGradeHelp& f = t.form();
    for (const char* item : {"menUndo_Click", "menRedo_Click", "menEditMark_Click",
                             "menMakeReal_Click", "menClearWhatIf_Click"})
        EXPECT_EQ(give(t, item), Program::Outcome::OutOfReach) << item;
    t.enterMark("8", "10", "50");
    ASSERT_TRUE(saveAs(t, t.file("work.tly")));
    t.enterMark("3", "4", "10");
    t.run(&FrmGradeHelp::mensave_Click); // the file now holds both marks
    const auto flags = [&] {
        return std::tuple(f.unsaved, f.mensave.enabled, f.frmGradeHelp.caption);
    };
    undo(t);
    EXPECT_EQ(flags(), std::tuple(true, true, "* work.tly - 80% in Tab 1 - Tallisto"));
    redo(t);
    EXPECT_EQ(flags(), std::tuple(false, false, "work.tly - 79% in Tab 1 - Tallisto"));

    open(t, t.file("work.tly"));
    EXPECT_EQ(std::tuple(f.menUndo.caption, f.menUndo.enabled, f.menRedo.enabled),
              std::tuple("Undo", false, false));
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
    EXPECT_EQ(std::tuple(history.steps(), history.undoWhat()), std::tuple(3u, "Enter Mark 5"));
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
    history.noteChange("Huge");
    history.settle(stateWith(1, 50000), true);
    EXPECT_EQ(history.steps(), 1u) << "the newest step stays, however large";
}

// One random command of a student, given as the window and the driver give it; returns the
// command asked for ("" for none).
std::string randomCommand(TestProgram& t, std::mt19937& random) {
    const auto pick = [&](std::size_t below) {
        return std::uniform_int_distribution<std::size_t>(0, below - 1)(random);
    };
    const FrmGradeHelp& f = t.form();
    const std::size_t marks = f.lstScore.list.size();
    static const std::string lists[] = {"lstScore_", "lstTotal_", "lstWeighting_",
                                        "lstPercentage_"};
    // A row clicked: mostly the last, where the what-if marks stand; -1 is beside the entries.
    const int row = static_cast<int>(pick(3) ? marks : pick(marks + 1)) - 1;
    // Typed for a mark or an edit, asked for only where there is a mark; the weightings stay
    // small, and few enough marks are entered that the weighting stays far from the limit.
    const std::string mark = std::to_string(pick(40)) + (pick(2) ? ".5 " : " ") +
                             std::to_string(pick(5) * 10) + " " + std::to_string(pick(11)) +
                             (pick(3) ? "" : ".25");
    const std::string tab = std::to_string(pick(f.cmdTab.size()));
    const std::pair<std::string, std::string> commands[] = {
        {marks < 8 ? "cmdEasyWork_Click" : "", mark},
        {marks < 8 ? "menWhatIf_Click" : "", mark},
        {lists[pick(4)] + "MouseUp " + std::to_string(row), ""},
        {"menEditMark_Click", f.markToDelete() < 0 ? "" : mark},
        {lists[pick(4)] + "DblClick " + std::to_string(row), row < 0 ? "" : mark},
        {"menMakeReal_Click", ""},
        {"menDelSelRes_Click", ""},
        {pick(2) ? "menClearWhatIf_Click" : "cmdReset_Click", ""},
        {"menResetAll_Click", f.unsaved ? "Yes" : ""},
        {f.tabCount < 5 ? "cmdNewTab_Click" : "menDelete_Click", ""},
        {"menRename_Click", "T" + std::to_string(pick(100))},
        {"cmdTab_MouseUp " + tab + " " + std::to_string(vbMiddleButton), ""},
        {"cmdTab_Click " + tab, ""},
        {"menGradesys_Click " + std::to_string(pick(4)), ""},
        {"menUndo_Click", ""},
        {"menUndo_Click", ""},
        {"menRedo_Click", ""}};
    const auto& [command, answers] = commands[pick(std::size(commands))];
    if (!command.empty()) give(t, command, answers);
    return command;
}

struct Step {
    std::string before, after;
};

// Random commands, undo and redo among them, each step recorded with the states around it, then
// every step undone to the start and redone to the end: each state comes back exactly.
void checkRandomSequence(TestProgram& t, unsigned seed, int commands) {
    const History& history = t.program->history;
    std::mt19937 random(seed);
    std::vector<Step> steps;
    std::string state = workState(t);
    for (int i = 0; i < commands; ++i) {
        const std::size_t position = history.position();
        const bool redone = randomCommand(t, random) == "menRedo_Click";
        std::string now = workState(t);
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
    for (unsigned seed = 1; seed <= 2050; ++seed) {
        const bool longer = seed > 2000; // fewer, longer ones with every file written as in use
        StartedProgram t(shippedRanges(), "", longer ? FileWriter() : noRecoveryData);
        checkRandomSequence(t, longer ? seed + 3000 : seed, longer ? 60 : 15);
        if (HasFatalFailure()) return;
    }
}

} // namespace
} // namespace tallisto::testing
