// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The running program: its windows, the module variables they share, and the files.
#include "app/events.h"
#include "app/frm_grade_help.h"
#include "app/running_copy.h"
#include "app/services.h"
#include "grading/frm_plan.h"
#include "history/history.h"
#include "look/frm_guide.h"
#include "reports/overview.h"
#include "reports/progress_chart.h"
#include "reports/subject_digests.h"
#include "shared/ini_files.h"
#include "ter/frm_ter.h"

#include <functional>
#include <memory>

namespace tallisto {

// Thrown to end the program at once: every window closes and no further event runs.
struct ProgramEnded {};

// Variables shared by both windows.
struct ModData {
    double overallPercentage = 0; // the current tab's overall percentage
    double scoreOutOf20 = 0;      // the score out of 20 last shown
};

class Program {
public:
    // A writer given here writes every file, scratch files included (tests pass failing ones).
    Program(Dialogs& dialogs, PlatformFacts facts, FileWriter writer = {});

    Dialogs& dialogs;
    PlatformFacts facts;
    FileWriter writeFile;    // how reports and the manifest are written
    FileWriter writeScratch; // how the working file and the recovery data are written
    IniFiles ini;
    ModData modData;
    RunningCopy copy; // this copy among those that run in the program's directory
    History history;  // every change of the student's data, to be undone and redone
    FrmTER frmTER;
    FrmPlan frmPlan;
    FrmGuide frmGuide;
    FrmOverview frmOverview;
    FrmChart frmChart;
    FrmGradeHelp frmGradeHelp;
    // What the overview and the chart show of the tabs in the working file.
    SubjectDigests subjects;

    // Creates the main window as the platform does: Form_Initialize, then Form_Activate.
    // False when the program ended during start-up.
    bool start();

    // Runs one user event: the procedure, then every file brought up to date on disk, the
    // recovery data included, and the change it made kept in the history. False when the event
    // ended the program.
    bool run(const std::function<void()>& event);

    // Runs an event of the table as the user's action starts it, unless the user cannot reach
    // its control: then nothing runs.
    enum class Outcome { Ran, Ended, OutOfReach, NotLoaded };
    Outcome run(const Event& event, EventArgs args);
    // The event that ran last through the table, and its arguments; null before the first.
    const Event* lastEvent() const { return lastEvent_; }
    const EventArgs& lastEventArgs() const { return lastEventArgs_; }

    // Keeps the work in the window on disk, so that a crash loses none of it, or removes what
    // was kept once nothing is unsaved. Writes only when the work changed since it was last
    // kept. False when the recovery data could not be written.
    bool keepRecoveryData();

    // The work in the window as it stands, the working file's bytes included: the same buffer as
    // in the states before while the file stays as it was.
    std::shared_ptr<const KeptWork> currentWork();

    bool ended() const { return ended_; }

    // Ends the program at once (does not return).
    [[noreturn]] void end();

private:
    bool keepRecoveryData(const KeptWork& work);
    void settle(); // the history and the recovery data, at the end of every event

    bool ended_ = false;
    const Event* lastEvent_ = nullptr;
    EventArgs lastEventArgs_;
    WorkKeeper keeper_;
};

} // namespace tallisto
