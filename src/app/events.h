// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The table of events: which procedure each control, menu item and shortcut of both windows runs,
// declared once (app/event_table.cpp). The Qt windows connect their widgets through it and the
// driver runs `do NAME` through it, so a control without its line does nothing in either.
#include <string>
#include <string_view>
#include <vector>

namespace tallisto {

class Program;
struct Control;

enum class Form { frmGradeHelp, frmTER, frmPlan, frmGuide, frmOverview, frmChart };

using EventArgs = std::vector<int>;

struct Event {
    Form form = Form::frmGradeHelp;
    // The control that raises the event (the window's name for the window itself), and
    // the event: "Click", "MouseUp", ... Both empty for a procedure that only other procedures
    // call, which the driver may still run by name.
    std::string control;
    std::string event;
    // The name `do` takes: "cmdTab_Click", "Form_Activate", "frmTER.cmdOK_Click", "GradeIs";
    // the other windows' names stand before their procedures.
    std::string procedure;
    // A menu item's shortcut keys ("Ctrl+S", "Del", "F3"): one per element of a control array;
    // for an item of its own, its keys, the first shown in the menu.
    std::vector<std::string> shortcuts;
    int arity = 0;        // arguments `do` must give
    int optional = 0;     // further arguments that may be left out; they read as 0
    bool indexed = false; // the first argument is the element of the control array
    bool guarded = false; // refused while the user cannot reach the control
    void (*run)(Program&, const EventArgs&) = nullptr; // given arity + optional arguments
};

// Every event, in the order of the windows' controls, then the procedures without one.
const std::vector<Event>& eventTable();

// The event that a control of a window raises, or null when nothing answers it.
const Event* findEvent(Form form, std::string_view control, std::string_view event);
// The procedure `do` names: by its exact name, or one of another window's written without the
// window's name.
const Event* findProcedure(std::string_view name);

// The control that raises the event, for a control array the element args name; null when
// there is none, or that element is not loaded.
const Control* controlOf(const Program& program, const Event& event, const EventArgs& args);

// Whether the user can start the event now: a button, menu item, tab or timer that is hidden or
// disabled, or lies in a menu that is, cannot be used.
enum class Reach { Reachable, OutOfReach, NotLoaded };
Reach reachOf(const Program& program, const Event& event, const EventArgs& args);
// The control as a refusal names it: "cmdTab(2)", and "frmTER.lblGrade" for a name of frmTER
// that the main window uses too.
std::string refusedName(const Program& program, const Event& event, const EventArgs& args);

} // namespace tallisto
