// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How one line of the table of events becomes an event: the window, the name `do` takes and the
// number of arguments all follow from the procedure and the control named.
#include "app/events.h"
#include "app/program.h"

#include <algorithm>
#include <type_traits>

namespace tallisto::events {

template <typename> struct Procedure;
template <typename R, typename C, typename... A> struct Procedure<R (C::*)(A...)> {
    using Window = C;
    static constexpr int arity = sizeof...(A);
};

template <typename C> C& window(Program& p) {
    if constexpr (std::is_same_v<C, FrmTER>)
        return p.frmTER;
    else if constexpr (std::is_same_v<C, FrmPlan>)
        return p.frmPlan;
    else if constexpr (std::is_same_v<C, FrmGuide>)
        return p.frmGuide;
    else if constexpr (std::is_same_v<C, FrmOverview>)
        return p.frmOverview;
    else if constexpr (std::is_same_v<C, FrmChart>)
        return p.frmChart;
    else
        return p.frmGradeHelp;
}

template <auto procedure> constexpr Form formOf() {
    using C = typename Procedure<decltype(procedure)>::Window;
    if constexpr (std::is_same_v<C, FrmTER>)
        return Form::frmTER;
    else if constexpr (std::is_same_v<C, FrmPlan>)
        return Form::frmPlan;
    else if constexpr (std::is_same_v<C, FrmGuide>)
        return Form::frmGuide;
    else if constexpr (std::is_same_v<C, FrmOverview>)
        return Form::frmOverview;
    else if constexpr (std::is_same_v<C, FrmChart>)
        return Form::frmChart;
    else
        return Form::frmGradeHelp;
}

inline std::string windowName(Form form) {
    switch (form) {
    case Form::frmTER:
        return "frmTER";
    case Form::frmPlan:
        return "frmPlan";
    case Form::frmGuide:
        return "frmGuide";
    case Form::frmOverview:
        return "frmOverview";
    case Form::frmChart:
        return "frmChart";
    case Form::frmGradeHelp:
        break;
    }
    return "frmGradeHelp";
}

template <auto procedure> std::string windowName() {
    return windowName(formOf<procedure>());
}

// Runs the procedure on its window with as many of the event's arguments as it takes.
template <auto procedure> void invoke(Program& p, const EventArgs& a) {
    using P = Procedure<decltype(procedure)>;
    auto& form = window<typename P::Window>(p);
    if constexpr (P::arity == 0)
        (form.*procedure)();
    else if constexpr (P::arity == 1)
        (form.*procedure)(a[0]);
    else
        (form.*procedure)(a[0], a[1]);
}

template <auto procedure>
Event make(std::string control, std::string event, const std::string& name,
           void (*run)(Program&, const EventArgs&) = &invoke<procedure>) {
    Event e;
    e.form = formOf<procedure>();
    e.procedure = e.form == Form::frmGradeHelp ? name : windowName(e.form) + "." + name;
    e.control = std::move(control);
    e.event = std::move(event);
    e.arity = Procedure<decltype(procedure)>::arity;
    e.run = run;
    return e;
}

// An event of a control that the user cannot miss: a list, the scroll bar, the strip.
template <auto procedure> Event on(const std::string& control, const std::string& event) {
    return make<procedure>(control, event, control + "_" + event);
}

// An event of the window itself: Form_Activate.
template <auto procedure> Event windowEvent(const std::string& event) {
    return make<procedure>(windowName<procedure>(), event, "Form_" + event);
}

// The close box: the platform passes a cancel flag of its own.
template <auto procedure> Event closeBox() {
    Event e = make<procedure>(windowName<procedure>(), "QueryUnload", "Form_QueryUnload",
                              [](Program& p, const EventArgs&) {
                                  bool cancel = false;
                                  using P = Procedure<decltype(procedure)>;
                                  (window<typename P::Window>(p).*procedure)(cancel);
                              });
    e.arity = 0;
    return e;
}

// The click of a button or menu item, refused while the user cannot reach it, with its keys: the
// first is the one the menu shows, the others do the same.
template <auto procedure>
Event click(const std::string& control, std::vector<std::string> shortcuts = {}) {
    Event e = on<procedure>(control, "Click");
    e.shortcuts = std::move(shortcuts);
    e.guarded = true;
    return e;
}
template <auto procedure> Event click(const std::string& control, const char* shortcut) {
    return click<procedure>(control, std::vector<std::string>{shortcut});
}

// An event of an element of a control array; the first argument is the element.
template <auto procedure>
Event element(const std::string& control, const std::string& event,
              std::vector<std::string> shortcuts = {}) {
    Event e = on<procedure>(control, event);
    e.shortcuts = std::move(shortcuts);
    e.indexed = true;
    e.guarded = true;
    return e;
}

template <auto procedure> Event timer(const std::string& control) {
    Event e = on<procedure>(control, "Timer");
    e.guarded = true;
    return e;
}

// A key pressed on a control: KeyCode, and Shift when given.
template <auto procedure> Event keyDown(const std::string& control) {
    Event e = on<procedure>(control, "KeyDown");
    e.arity = 1;
    e.optional = 1;
    return e;
}

// The scroll bar moved to the value given; the user can only move it within its range.
template <auto procedure> Event scroll(const std::string& event) {
    Event e = on<procedure>("HBar", event);
    e.arity = 1;
    e.run = [](Program& p, const EventArgs& a) {
        Control& bar = p.frmGradeHelp.HBar;
        bar.value = std::clamp(a[0], std::min(bar.min, bar.max), std::max(bar.min, bar.max));
        (p.frmGradeHelp.*procedure)();
    };
    return e;
}

// A click in a mark list selects the row given first (-1: none); a click below the last row
// leaves the selection as it is.
template <auto list, auto procedure> Event listMouseUp(const std::string& control) {
    Event e = on<procedure>(control, "MouseUp");
    e.arity = 1;
    e.run = [](Program& p, const EventArgs& a) {
        Control& shown = p.frmGradeHelp.*list;
        if (a[0] < static_cast<int>(shown.list.size())) shown.listIndex = std::max(a[0], -1);
        (p.frmGradeHelp.*procedure)();
    };
    return e;
}

// A double click on a mark list selects the row given first (-1: none), as its first click did.
template <auto list, auto procedure> Event listDblClick(const std::string& control) {
    Event e = listMouseUp<list, procedure>(control);
    e.event = "DblClick";
    e.procedure = control + "_DblClick";
    return e;
}

// A procedure that other procedures call, run by its name.
template <auto procedure> Event call(const std::string& name) {
    return make<procedure>("", "", name);
}

} // namespace tallisto::events
