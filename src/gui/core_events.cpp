#include "gui/core_events.h"

namespace tallisto::gui {

bool CoreEvents::run(const std::function<void()>& event) {
    if (depth_ > 0 || program_.ended()) return false;
    if (beforeEvent_) beforeEvent_();
    bool goesOn = false;
    {
        struct Depth {
            int& depth;
            ~Depth() { --depth; }
        } inEvent{++depth_};
        goesOn = program_.run(event);
    }
    if (!goesOn) {
        if (onEnded_) onEnded_();
        return false;
    }
    syncWindows();
    return true;
}

void CoreEvents::syncWindows() {
    if (program_.ended()) return;
    for (auto& sync : windows_)
        sync();
}

} // namespace tallisto::gui
