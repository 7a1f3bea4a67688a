#pragma once
// The event procedures that `do` can run, by name.
#include "app/program.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace tallisto::drive {

using Args = std::vector<int>;

struct Event {
    int arity = 0;
    std::function<void(Program&, const Args&)> run;
    // The button, menu item or timer through which the user starts the event. A disabled or
    // hidden one refuses the event; events without one are never refused.
    std::function<Control*(Program&, const Args&)> control;
    bool onTER = false; // the control lies in frmTER
    int optional = 0;   // trailing arguments that may be left out; they read as 0
};

using EventTable = std::map<std::string, Event>;

// Each subsystem adds the events of its procedures.
void addAppEvents(EventTable& table);
void addMarkEvents(EventTable& table);
void addGradingEvents(EventTable& table);
void addTerEvents(EventTable& table);
void addTabEvents(EventTable& table);     // drive/events_tabs.cpp
void addStorageEvents(EventTable& table); // drive/events_storage.cpp
void addReportEvents(EventTable& table);  // drive/events_reports.cpp

EventTable buildEventTable();

// Helpers for the subsystem tables.
inline Event plain(std::function<void(FrmGradeHelp&)> f) {
    return {0, [f](Program& p, const Args&) { f(p.frmGradeHelp); }, nullptr};
}
inline Event click(Control FrmGradeHelp::*control, std::function<void(FrmGradeHelp&)> f) {
    return {0, [f](Program& p, const Args&) { f(p.frmGradeHelp); },
            [control](Program& p, const Args&) { return &(p.frmGradeHelp.*control); }};
}

} // namespace tallisto::drive
