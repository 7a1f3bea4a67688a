// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's command line: one optional save file to open at start, --help and --version.
#include "app/services.h"

#include <string>
#include <vector>

namespace tallisto {

struct CommandLine {
    enum class Action { Run, Help, Version, Error };
    Action action = Action::Run;
    std::string file;  // the file to open at start; empty for none
    std::string error; // what was wrong, when action is Error
};

// Reads the arguments that follow the program's name. --help wins over --version, and both
// win over any mistake, so that asking for help always works.
CommandLine parseCommandLine(const std::vector<std::string>& args);

// The texts printed for --help and --version, each ending in a newline.
std::string helpText(const std::string& exeName);
std::string versionText(const VersionRecord& version);

} // namespace tallisto
