// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/command_line.h"

namespace tallisto {

CommandLine parseCommandLine(const std::vector<std::string>& args) {
    CommandLine line;
    bool help = false, version = false, optionsEnded = false;
    std::vector<std::string> files;
    for (const std::string& arg : args) {
        if (optionsEnded || arg == "-" || arg.empty() || arg[0] != '-') {
            files.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help" || arg == "-h") {
            help = true;
        } else if (arg == "--version") {
            version = true;
        } else if (line.error.empty()) {
            line.error = "unknown option '" + arg + "'";
        }
    }
    if (help || version) {
        line.action = help ? CommandLine::Action::Help : CommandLine::Action::Version;
        line.error.clear();
        return line;
    }
    if (line.error.empty() && files.size() > 1) line.error = "only one file can be opened at start";
    if (line.error.empty() && files.size() == 1 && files[0].empty())
        line.error = "the file name is empty";
    if (!line.error.empty()) {
        line.action = CommandLine::Action::Error;
        return line;
    }
    if (!files.empty()) line.file = files[0];
    return line;
}

std::string helpText(const std::string& exeName) {
    return "Usage: " + exeName +
           " [FILE]\n"
           "Works out your current grade in every subject from the marks you have received.\n"
           "FILE, a Tallisto save file (.tly), is opened at start.\n"
           "\n"
           "  -h, --help     show this text and exit\n"
           "      --version  show the version and exit\n";
}

std::string versionText(const VersionRecord& version) {
    return version.title + " " + std::to_string(version.major) + "." +
           std::to_string(version.minor) + "." + std::to_string(version.revision) + "\n";
}

} // namespace tallisto
