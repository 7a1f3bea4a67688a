// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The files the program keeps for itself in its directory. No save, report or export may land on
// one of them, by whatever name the user reaches it.
#include <filesystem>
#include <string_view>

namespace tallisto {

// settings.ini, graderanges.txt, the manifest EXE.exe.manifest, and every copy's working file,
// lock and recovery data (shared/copy_files.h names those).
bool isProgramFileName(std::string_view name, std::string_view exeName);

// Whether path names one of those files of programDir, through links, "..", or a second hard
// link, whether or not the file exists yet.
bool isProgramsOwnFile(const std::filesystem::path& path, const std::filesystem::path& programDir,
                       std::string_view exeName);

} // namespace tallisto
