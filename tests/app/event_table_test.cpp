// SPDX-License-Identifier: GPL-3.0-or-later
// The table of events: what every control of both windows runs.
#include "app/events.h"
#include "support/test_program.h"

namespace tallisto::testing {
namespace {

bool userClicks(ControlKind kind) {
    return kind == ControlKind::Button || kind == ControlKind::OptionButton ||
           kind == ControlKind::MenuItem || kind == ControlKind::Timer ||
           kind == ControlKind::CheckBox;
}

// A control without its line in the table would be dead in the window and in the driver; a line
// whose control was renamed or removed would run nothing.
TEST(EventTable, EveryButtonItemAndTimerRunsAProcedureAndEveryLineNamesAControl) {
    StartedProgram t;
    const std::pair<Form, std::vector<Control*>> forms[] = {
        {Form::frmGradeHelp, t.form().allControls()},
        {Form::frmTER, t.ter().allControls()},
        {Form::frmPlan, t.program->frmPlan.allControls()},
        {Form::frmGuide, t.program->frmGuide.allControls()},
        {Form::frmOverview, t.program->frmOverview.allControls()},
        {Form::frmChart, t.program->frmChart.allControls()}};
    for (const auto& [form, controls] : forms)
        for (const Control* control : controls) {
            if (!userClicks(control->kind)) continue;
            const bool timer = control->kind == ControlKind::Timer;
            const Event* event = findEvent(form, control->name, timer ? "Timer" : "Click");
            ASSERT_NE(event, nullptr) << control->qualifiedName() << " runs nothing";
            EXPECT_TRUE(event->guarded) << event->procedure << " runs while out of reach";
            EXPECT_EQ(event->indexed, control->index >= 0) << event->procedure;
        }
    for (const Event& event : eventTable()) {
        EXPECT_EQ(findProcedure(event.procedure), &event) << "two lines of " << event.procedure;
        if (event.control.empty()) continue;
        EXPECT_NE(controlOf(*t.program, event, {0}), nullptr)
            << event.procedure << " names no control of its window";
    }
}

} // namespace
} // namespace tallisto::testing
