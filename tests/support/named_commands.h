// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Commands given by name through the table of events, as the window and the driver give them,
// and the files they leave.
#include "app/events.h"
#include "support/test_program.h"

#include <sstream>

namespace tallisto::testing {

// Gives `command` ("menGradesys_Click 3"), a procedure of the table and its arguments. Its
// answers, apart by blanks, are queued only if the user can give the command now, else it is
// refused and changes nothing: Yes, No and Cancel press that button, any other is typed.
inline Program::Outcome give(Program& program, ScriptDialogs& dialogs, const std::string& command,
                             const std::string& answers = "") {
    std::istringstream words(command);
    std::string procedure;
    words >> procedure;
    const Event& event = *findProcedure(procedure);
    EventArgs args;
    for (int arg; words >> arg;)
        args.push_back(arg);
    args.resize(static_cast<std::size_t>(event.arity + event.optional), 0);
    if (reachOf(program, event, args) == Reach::Reachable) {
        std::istringstream typed(answers);
        for (std::string a; typed >> a;) {
            if (a == "Yes" || a == "No" || a == "Cancel")
                dialogs.press(a == "Yes" ? Answer::Yes : a == "No" ? Answer::No : Answer::Cancel);
            else
                dialogs.type(a);
        }
    }
    return program.run(event, args);
}
inline Program::Outcome give(TestProgram& t, const std::string& command,
                             const std::string& answers = "") {
    return give(*t.program, t.dialogs, command, answers);
}

// Those of the named files of the program directory that exist, apart by blanks.
inline std::string present(const TestProgram& t, const std::vector<std::string>& names) {
    std::string found;
    for (const std::string& name : names)
        if (t.exists(name)) found += (found.empty() ? "" : " ") + name;
    return found;
}

} // namespace tallisto::testing
