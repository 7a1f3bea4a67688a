// SPDX-License-Identifier: GPL-3.0-or-later
// The About message: the program, its version and its maker, from the version record.
#include "app/frm_grade_help.h"
#include "app/program.h"

#include <string>

namespace tallisto {

void FrmGradeHelp::about_Click() {
    const VersionRecord& v = program_.facts.version;
    MsgBox(v.title + " Ver" + std::to_string(v.major) + "." + std::to_string(v.minor) + "." +
           std::to_string(v.revision) + ". By " + v.companyName +
           ". Thanks to every student whose marks and ideas shaped this program.");
    giveFocusToEasyWork();
}

} // namespace tallisto
