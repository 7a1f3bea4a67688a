// SPDX-License-Identifier: GPL-3.0-or-later
// The "/20" button of the main window.
#include "app/frm_grade_help.h"
#include "app/program.h"

namespace tallisto {

void FrmGradeHelp::cmdTER_Click() {
    FrmTER& ter = program_.frmTER;
    if (ter.frmTER.visible)
        ter.hide();
    else
        ter.show();
    giveFocusToEasyWork();
}

} // namespace tallisto
