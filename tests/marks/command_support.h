// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the tests of marks, reports and grading share.
#include "support/test_program.h"

namespace tallisto::testing {

using Command = void (FrmGradeHelp::*)();

// Runs a command as a click on its control or menu item runs it.
inline void runCommand(TestProgram& t, Command command) {
    t.run([command](FrmGradeHelp& f) { (f.*command)(); });
}

// The work taken as saved, so that the next change shows as one.
inline void takeAsSaved(TestProgram& t) {
    t.form().unsaved = false;
    t.form().mensave.enabled = false;
}

} // namespace tallisto::testing
