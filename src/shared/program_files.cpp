// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/program_files.h"

#include "shared/copy_files.h"
#include "shared/file_io.h"

#include <sys/stat.h>
#include <system_error>

namespace tallisto {

namespace {

namespace fs = std::filesystem;

fs::path resolved(const fs::path& path) {
    std::error_code ec;
    const fs::path absolute = fs::absolute(path, ec);
    const fs::path canonical = fs::weakly_canonical(ec ? path : absolute, ec);
    return ec ? absolute.lexically_normal() : canonical;
}

// A second hard link has a name of its own: only the file's identity gives it away.
bool isHardLinkOfProgramFile(const fs::path& path, const fs::path& dir, std::string_view exeName) {
    struct stat chosen {};
    if (::stat(path.c_str(), &chosen) != 0 || chosen.st_nlink < 2) return false;
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir, ec)) {
        struct stat own {};
        if (isProgramFileName(entry.path().filename().string(), exeName) &&
            ::stat(entry.path().c_str(), &own) == 0 && own.st_dev == chosen.st_dev &&
            own.st_ino == chosen.st_ino)
            return true;
    }
    return false;
}

} // namespace

bool isProgramFileName(std::string_view name, std::string_view exeName) {
    return name == "settings.ini" || name == "graderanges.txt" ||
           (name.size() == exeName.size() + 13 && name.starts_with(exeName) &&
            name.ends_with(".exe.manifest")) ||
           isCopyFileName(name);
}

bool isProgramsOwnFile(const fs::path& path, const fs::path& programDir, std::string_view exeName) {
    if (isCopyFileIn(programDir, path)) return true;
    // A link is followed as a write follows it, even to a file that does not exist yet.
    const fs::path file = resolved(linkTarget(path).value_or(path));
    const fs::path dir = resolved(programDir);
    if (file.parent_path() == dir && isProgramFileName(file.filename().string(), exeName))
        return true;
    return isHardLinkOfProgramFile(file, dir, exeName);
}

} // namespace tallisto
