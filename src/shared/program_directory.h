// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the program keeps settings.ini, graderanges.txt and temp.tmp.
//
// A program that runs from a folder it may write and that holds graderanges.txt (a build tree, an
// unpacked archive) keeps its files beside itself. An installed program cannot, so it keeps them
// in the user's configuration folder, seeded once with the installed graderanges.txt so that the
// user has a copy to edit.
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace tallisto {

struct ProgramDirectoryPlaces {
    std::filesystem::path exeDir; // the folder of the running executable
    // Where the packaged graderanges.txt may lie, the first that holds it chosen.
    std::vector<std::filesystem::path> dataDirs;
    std::filesystem::path configBase; // $XDG_CONFIG_HOME or ~/.config; empty when unknown
};

struct ProgramDirectory {
    bool ok = false;
    std::filesystem::path path; // the program's directory, when ok
    bool besideExecutable = false;
    std::string reason; // why no directory could be had, in words for the user, when not ok
};

// Whether the program may create and replace files in a folder.
using WritableCheck = std::function<bool(const std::filesystem::path&)>;
bool isWritableFolder(const std::filesystem::path& folder);

// The program's directory, created and seeded when it is the user's configuration folder. An
// edited graderanges.txt there is never replaced.
ProgramDirectory findProgramDirectory(const ProgramDirectoryPlaces& places,
                                      const WritableCheck& writable = isWritableFolder);

// The base of the user's configuration folders by the XDG rules: XDG_CONFIG_HOME when it is an
// absolute path, else HOME/.config; empty when neither is known. Null stands for unset.
std::filesystem::path userConfigBase(const char* xdgConfigHome, const char* home);
std::filesystem::path userConfigBaseFromEnvironment();

} // namespace tallisto
