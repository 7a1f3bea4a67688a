// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The undo history: every change of a student's data kept as the work before and after it, so
// that undoing or redoing any command is bringing a kept state back, with no inverse procedure
// per command.
//
// The work is looked at once at the end of every event. An event in which a command noted a
// change, and after which the work differs, becomes a step; the work it started from is the work
// the event before it left. States that do not change share their memory: consecutive steps hold
// the same state, and states hold the same working file's bytes while the file stays as it was.
#include "app/kept_work.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace tallisto {

struct HistoryStep {
    std::string what; // the command, as the Undo and Redo items name it: "Delete Tab"
    std::shared_ptr<const KeptWork> before, after;
    bool nothingToSaveAfter = false; // the command left the window with nothing worth saving
    std::size_t beforeBytes = 0, afterBytes = 0; // what the states take, their working file aside
};

class History {
public:
    // The oldest steps go once there are more than mostSteps, or once the states kept take more
    // than mostBytes; the last step always stays.
    static constexpr std::size_t defaultMostSteps = 100;
    static constexpr std::size_t defaultMostBytes = std::size_t(64) << 20;
    explicit History(std::size_t mostSteps = defaultMostSteps,
                     std::size_t mostBytes = defaultMostBytes)
        : mostSteps_(mostSteps), mostBytes_(mostBytes) {}

    // What the present event does, told by the commands as they do it. The first change noted
    // names the step. While a step is undone or redone, the commands that bring the state back
    // note nothing.
    void noteChange(const std::string& what);
    void noteSaved();  // the work is now what its save file holds
    void noteOrigin(); // the history starts afresh from the work this event leaves (start, Open)

    // At the end of every event, with the work as it now stands and the unsaved flag.
    void settle(std::shared_ptr<const KeptWork> work, bool unsaved);

    bool canUndo() const { return position_ > 0; }
    bool canRedo() const { return position_ < steps_.size(); }
    const std::string& undoWhat() const { return steps_[position_ - 1].what; }
    const std::string& redoWhat() const { return steps_[position_].what; }

    // Moves one step back or on and gives that step; the caller brings back its state before or
    // after. Null when there is nothing to undo or redo.
    const HistoryStep* undo();
    const HistoryStep* redo();
    // Whether the work of the position reached differs from its save file and is worth saving.
    bool unsavedHere() const;

    // The work as the last event left it; null before the first event.
    const KeptWork* lastWork() const { return last_.get(); }
    std::size_t steps() const { return steps_.size(); }
    std::size_t position() const { return position_; } // the steps done
    // Memory the kept states take, each shared state and buffer counted once.
    std::size_t bytes() const;

private:
    void dropOldest();

    std::size_t mostSteps_, mostBytes_;
    std::vector<HistoryStep> steps_;
    std::size_t position_ = 0; // steps done; those after it can be redone
    // The position whose work is the save file's; none when no position is.
    static constexpr std::size_t nowhere = static_cast<std::size_t>(-1);
    std::size_t savedAt_ = 0;
    std::shared_ptr<const KeptWork> last_;
    // Of the present event.
    std::string noted_;
    bool changed_ = false, saved_ = false, origin_ = false, moving_ = false;
};

} // namespace tallisto
