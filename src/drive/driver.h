// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The text view of the program: one command a line, dialogs and values printed as text.
#include "app/program.h"
#include "drive/scripted_dialogs.h"

#include <memory>
#include <optional>
#include <ostream>
#include <string>

namespace tallisto::drive {

class Driver {
public:
    Driver(std::ostream& out, PlatformFacts facts);

    // Runs one command line. Answers that stand before the first other command are queued
    // before the program starts, so that a dialog at start can take them; that command starts
    // the program first. False when the program has ended.
    bool execute(const std::string& line);
    // End of input: starts a program that no command started. False when it ended at once.
    bool finish();

    // At end of input, after finish(): answers that no dialog took are an error of the script.
    // True when the script printed no error.
    bool scriptSucceeded();

private:
    // Creates the main window as the program does. False when the program ended at once.
    bool start();
    void doEvent(const std::string& rest);
    void get(const std::string& name);
    void queueAnswer(const std::string& command, const std::string& rest);
    void move(const std::string& rest);
    void printMarks();
    void error(const std::string& why);

    std::ostream& out_;
    ScriptedDialogs dialogs_;
    std::unique_ptr<Program> program_;
    bool errors_ = false;
    bool started_ = false;
};

// The plan of a tab as `plan` prints it, one line each: the weighting left and the final
// percentages, then every grade, highest first, then the out-of-20 grades.
std::string planText(const Plan& plan);

// The overview as `overview` prints it, one line per shown tab in strip order:
// overview name=NAME percent=P grade=GRADE weighting=W whatif=N
std::string overviewText(const std::vector<OverviewRow>& rows);

// A control's property as `get` prints it; nothing when the control has no such property.
std::optional<std::string> propertyText(const Control& control, const std::string& property);

} // namespace tallisto::drive
