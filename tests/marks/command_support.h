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

} // namespace tallisto::testing
