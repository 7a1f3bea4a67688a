// SPDX-License-Identifier: GPL-3.0-or-later
// Finding an event in the table, and whether the user can reach the control that raises it.
#include "app/events.h"

#include "app/program.h"

namespace tallisto {

const Event* findEvent(Form form, std::string_view control, std::string_view event) {
    for (const Event& e : eventTable())
        if (e.form == form && e.control == control && e.event == event) return &e;
    return nullptr;
}

const Event* findProcedure(std::string_view name) {
    for (const std::string_view prefix :
         {"", "frmTER.", "frmPlan.", "frmGuide.", "frmOverview.", "frmChart."})
        for (const Event& e : eventTable())
            if (e.procedure.size() == prefix.size() + name.size() &&
                e.procedure.starts_with(prefix) && e.procedure.ends_with(name))
                return &e;
    return nullptr;
}

const Control* controlOf(const Program& program, const Event& event, const EventArgs& args) {
    switch (event.form) {
    case Form::frmTER:
        return program.frmTER.findControl(event.control);
    case Form::frmPlan:
        return program.frmPlan.findControl(event.control);
    case Form::frmGuide:
        return program.frmGuide.findControl(event.control);
    case Form::frmOverview:
        return program.frmOverview.findControl(event.control);
    case Form::frmChart:
        return program.frmChart.findControl(event.control);
    case Form::frmGradeHelp:
        break;
    }
    return program.frmGradeHelp.findControl(event.control, event.indexed ? args.at(0) : -1);
}

Reach reachOf(const Program& program, const Event& event, const EventArgs& args) {
    if (!event.guarded) return Reach::Reachable;
    const Control* control = controlOf(program, event, args);
    if (!control) return Reach::NotLoaded;
    if (!control->visible || !control->enabled) return Reach::OutOfReach;
    if (event.form == Form::frmTER)
        return control->kind == ControlKind::Timer || program.frmTER.frmTER.visible
                   ? Reach::Reachable
                   : Reach::OutOfReach;
    return program.frmGradeHelp.menusOpenTo(*control) ? Reach::Reachable : Reach::OutOfReach;
}

std::string refusedName(const Program& program, const Event& event, const EventArgs& args) {
    const Control* control = controlOf(program, event, args);
    if (!control) return event.control;
    if (event.form == Form::frmTER && program.frmGradeHelp.findControl(control->name))
        return "frmTER." + control->name;
    return control->qualifiedName();
}

} // namespace tallisto
