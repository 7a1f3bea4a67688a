// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/core_events.h"

namespace tallisto::gui {

bool CoreEvents::run(const std::function<void()>& event) {
    return dispatch(
        [&] { return program_.run(event) ? Program::Outcome::Ran : Program::Outcome::Ended; });
}

bool CoreEvents::run(const Event& event, EventArgs args) {
    return dispatch([&] { return program_.run(event, std::move(args)); });
}

std::function<void(EventArgs)> CoreEvents::handler(Form form, const std::string& control,
                                                   const std::string& event) {
    const Event* found = findEvent(form, control, event);
    if (!found) return {};
    return [this, found](EventArgs args) { run(*found, std::move(args)); };
}

bool CoreEvents::dispatch(const std::function<Program::Outcome()>& start) {
    if (depth_ > 0 || program_.ended()) return false;
    if (beforeEvent_) beforeEvent_();
    Program::Outcome outcome;
    {
        struct Depth {
            int& depth;
            ~Depth() { --depth; }
        } inEvent{++depth_};
        outcome = start();
    }
    if (outcome == Program::Outcome::Ended) {
        if (onEnded_) onEnded_();
        return false;
    }
    if (outcome != Program::Outcome::Ran) return false;
    syncWindows();
    return true;
}

void CoreEvents::syncWindows() {
    if (program_.ended()) return;
    for (auto& sync : windows_)
        sync();
}

} // namespace tallisto::gui
