// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whole-file operations. Every file the program writes is written whole or not at all.
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tallisto {

// The outcome of a file operation: ok, or the reason it failed, in words a user can read.
struct IoResult {
    bool ok = true;
    std::string reason;
    static IoResult success() { return {}; }
    static IoResult failure(std::string why) { return {false, std::move(why)}; }
    explicit operator bool() const { return ok; }
};

// Writes bytes to a temporary file beside path, flushes it to disk, then renames it over path.
// On failure path is untouched and the temporary file is removed. A path that is a symbolic link
// stays one: the file it leads to is replaced. Temporary files of this kind that a killed
// process left in the folder are removed first.
IoResult writeFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// The same without waiting for the disk: a killed process still leaves the old or the new file
// whole, but a power cut may lose both. For scratch files that start-up deletes anyway.
IoResult writeScratchFile(const std::filesystem::path& path, std::string_view bytes);

// How files are written; tests put a failing writer in its place.
using FileWriter = std::function<IoResult(const std::filesystem::path&, std::string_view)>;

// The whole content of a file; false when it cannot be read (missing, a folder, no permission).
bool readWholeFile(const std::filesystem::path& path, std::string& bytes);

bool fileExists(const std::filesystem::path& path);

// Where a write to path goes: the file at the end of its symbolic links (path itself when it is
// no link); nothing for a loop of links.
std::optional<std::filesystem::path> linkTarget(std::filesystem::path path);

// Whether an existing file is marked read-only: no one may write it by its permissions, or this
// process may not. (The first catches what the second cannot see for root.)
bool isReadOnlyFile(const std::filesystem::path& path);

// A file-size limit (ulimit -f) ends the process with SIGXFSZ at the first write past it. Ignored,
// that write fails with EFBIG instead, and is reported as any other failed write.
void ignoreFileSizeLimitSignal();

// Gives the file that path leads to, through its symbolic links, a second name, replacing any
// file of that name. As files are only ever replaced whole, never written in place, the second
// name keeps the bytes the file holds now however path is replaced later. Fails where the file
// system has no such names.
IoResult linkFile(const std::filesystem::path& path, const std::filesystem::path& link);

// Removes a file; a file that is already absent counts as removed.
IoResult removeFile(const std::filesystem::path& path);

} // namespace tallisto
