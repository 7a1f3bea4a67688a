// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/program_directory.h"

#include "shared/file_io.h"

#include <cstdlib>
#include <system_error>
#include <unistd.h>

namespace tallisto {

namespace fs = std::filesystem;

namespace {

constexpr const char* rangesName = "graderanges.txt";
constexpr const char* folderName = "tallisto";

ProgramDirectory failure(const ProgramDirectoryPlaces& places, const fs::path& tried,
                         const std::string& cause) {
    ProgramDirectory result;
    result.reason = "Tallisto cannot keep its settings beside its program in " +
                    places.exeDir.string() + ", nor in " + tried.string() + ": " + cause + ".";
    return result;
}

// The user's copy comes from the installed one; a program whose folder holds a copy but may not
// be written, and has no installed one, falls back to its own.
IoResult seedRanges(const ProgramDirectoryPlaces& places, const fs::path& dir) {
    const fs::path target = dir / rangesName;
    std::error_code ec;
    if (fs::exists(fs::symlink_status(target, ec))) return IoResult::success();
    std::vector<fs::path> sources = places.dataDirs;
    sources.push_back(places.exeDir);
    for (const fs::path& from : sources) {
        std::string bytes;
        if (!from.empty() && readWholeFile(from / rangesName, bytes))
            return writeFileAtomically(target, bytes);
    }
    // Nothing to copy: the program starts and its grading menu says graderanges.txt is missing.
    return IoResult::success();
}

} // namespace

bool isWritableFolder(const fs::path& folder) {
    return ::access(folder.c_str(), W_OK | X_OK) == 0;
}

ProgramDirectory findProgramDirectory(const ProgramDirectoryPlaces& places,
                                      const WritableCheck& writable) {
    if (!places.exeDir.empty() && fileExists(places.exeDir / rangesName) &&
        writable(places.exeDir)) {
        ProgramDirectory beside;
        beside.ok = true;
        beside.path = places.exeDir;
        beside.besideExecutable = true;
        return beside;
    }
    if (places.configBase.empty())
        return failure(places, "the configuration folder",
                       "neither XDG_CONFIG_HOME nor HOME names a home folder");
    const fs::path dir = places.configBase / folderName;
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (ec) return failure(places, dir, ec.message());
    if (!fs::is_directory(dir, ec)) return failure(places, dir, "it is not a folder");
    if (!writable(dir)) return failure(places, dir, "the folder cannot be written");
    const IoResult seeded = seedRanges(places, dir);
    if (!seeded) return failure(places, dir, seeded.reason);
    ProgramDirectory config;
    config.ok = true;
    config.path = dir;
    return config;
}

fs::path userConfigBase(const char* xdgConfigHome, const char* home) {
    // The XDG rules ignore a relative XDG_CONFIG_HOME.
    if (xdgConfigHome && fs::path(xdgConfigHome).is_absolute()) return xdgConfigHome;
    if (home && *home) return fs::path(home) / ".config";
    return {};
}

fs::path userConfigBaseFromEnvironment() {
    return userConfigBase(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
}

} // namespace tallisto
