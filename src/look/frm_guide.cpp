// SPDX-License-Identifier: GPL-3.0-or-later
#include "look/frm_guide.h"

#include "app/frm_grade_help.h"
#include "app/program.h"

namespace tallisto {

FrmGuide::FrmGuide() {
    frmGuide = makeControl("frmGuide", ControlKind::Form, "", 0, 0, 0, 0, "How Tallisto Works");
    frmGuide.visible = false;
}

void FrmGuide::show() {
    frmGuide.visible = true;
    ++timesAsked_;
}

void FrmGuide::hide() {
    frmGuide.visible = false;
}

void FrmGuide::Form_QueryUnload(bool& cancel) {
    cancel = true;
    hide();
}

const Control* FrmGuide::findControl(const std::string& name) const {
    return name == frmGuide.name ? &frmGuide : nullptr;
}

Control* FrmGuide::findControl(const std::string& name) {
    return name == frmGuide.name ? &frmGuide : nullptr;
}

std::vector<Control*> FrmGuide::allControls() {
    return {&frmGuide};
}

void FrmGradeHelp::menGuide_Click() {
    program_.frmGuide.show();
    giveFocusToEasyWork();
}

// The Help menu's About duplicates the File menu's.
void FrmGradeHelp::menAbout_Click() {
    about_Click();
}

} // namespace tallisto
