// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The files that each running copy of the program keeps in the program's directory: its working
// file, the lock that tells the other copies it is alive, and the data that brings its work back
// after a crash. The first copy's working file is temp.tmp; a copy started while others run takes
// the lowest free number: temp-2.tmp, temp-3.tmp, ... The lock and the recovery data are named
// after the working file: temp.tmp.lock, temp.tmp.recovery. The recovery data may keep the working
// file's bytes beside it, in one of two parts that it names: temp.tmp.recovery-1, -2.
#include <filesystem>
#include <string>
#include <string_view>

namespace tallisto {

// Copy numbers run from 1 to this.
inline constexpr int mostCopies = 9999;

enum class CopyFileKind { Working, Lock, Recovery, RecoveryPart1, RecoveryPart2 };

// The name, without folder, of that file of copy `copy` (1 to mostCopies).
std::string copyFileName(int copy, CopyFileKind kind = CopyFileKind::Working);

// The copy whose file fileName (a name without folder) is, and which of its files; 0 when the
// name is no copy's file.
int copyOfFileName(std::string_view fileName, CopyFileKind* kind = nullptr);

// Whether fileName (a name without folder) is the working file, lock or recovery data of any
// copy, running or not.
bool isCopyFileName(std::string_view fileName);

// Whether path reaches such a file in programDir, also through links or "..".
bool isCopyFileIn(const std::filesystem::path& programDir, const std::filesystem::path& path);

} // namespace tallisto
