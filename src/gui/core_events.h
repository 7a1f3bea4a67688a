// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one way the windows hand an event to the core: run the procedure, then show its outcome in
// every window.
#include "app/program.h"

#include <functional>
#include <vector>

namespace tallisto::gui {

class CoreEvents {
public:
    explicit CoreEvents(Program& program) : program_(program) {}

    Program& program() { return program_; }
    FrmGradeHelp& form() { return program_.frmGradeHelp; }
    FrmTER& ter() { return program_.frmTER; }

    // Runs one event, then brings every window up to date. The core runs one event at a time:
    // what arrives while an event waits for a dialog (a timer tick, a window activation) is
    // dropped. False when the event did not run or ended the program; an ended program has
    // already closed its windows.
    bool run(const std::function<void()>& event);
    // Runs an event of the table as the user's action on a widget starts it.
    bool run(const Event& event, EventArgs args = {});
    // What a widget of that control runs for that event; empty when the table has nothing for
    // it, and then the widget is not connected at all.
    std::function<void(EventArgs)> handler(Form form, const std::string& control,
                                           const std::string& event);

    // Copies the core's state into every window.
    void syncWindows();
    void addWindow(std::function<void()> sync) { windows_.push_back(std::move(sync)); }
    // Runs before each event, to hand the core what the windows know and it does not.
    void setBeforeEvent(std::function<void()> hook) { beforeEvent_ = std::move(hook); }
    // Called once when an event ends the program.
    void setOnEnded(std::function<void()> ended) { onEnded_ = std::move(ended); }

    bool busy() const { return depth_ > 0; }
    bool ended() const { return program_.ended(); }

private:
    bool dispatch(const std::function<Program::Outcome()>& start);

    Program& program_;
    std::vector<std::function<void()>> windows_;
    std::function<void()> onEnded_;
    std::function<void()> beforeEvent_;
    int depth_ = 0;
};

} // namespace tallisto::gui
