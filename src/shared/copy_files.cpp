// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/copy_files.h"

#include <system_error>

namespace tallisto {

namespace {

constexpr std::string_view stem = "temp";
constexpr std::string_view extension = ".tmp";

bool strip(std::string_view& text, std::string_view suffix) {
    if (!text.ends_with(suffix)) return false;
    text.remove_suffix(suffix.size());
    return true;
}

// "", "-2", "-3", ...: the part between the stem and the extension.
int copyOfNumberPart(std::string_view part) {
    if (part.empty()) return 1;
    if (part.size() < 2 || part.size() > 5 || part[0] != '-' || part[1] == '0') return 0;
    int copy = 0;
    for (char c : part.substr(1)) {
        if (c < '0' || c > '9') return 0;
        copy = copy * 10 + (c - '0');
    }
    return copy >= 2 && copy <= mostCopies ? copy : 0;
}

} // namespace

std::string copyFileName(int copy, CopyFileKind kind) {
    std::string name(stem);
    if (copy != 1) name += "-" + std::to_string(copy);
    name += extension;
    if (kind == CopyFileKind::Lock) name += ".lock";
    if (kind == CopyFileKind::Recovery) name += ".recovery";
    if (kind == CopyFileKind::RecoveryPart1) name += ".recovery-1";
    if (kind == CopyFileKind::RecoveryPart2) name += ".recovery-2";
    return name;
}

int copyOfFileName(std::string_view fileName, CopyFileKind* kind) {
    CopyFileKind found = CopyFileKind::Working;
    if (strip(fileName, ".lock"))
        found = CopyFileKind::Lock;
    else if (strip(fileName, ".recovery"))
        found = CopyFileKind::Recovery;
    else if (strip(fileName, ".recovery-1"))
        found = CopyFileKind::RecoveryPart1;
    else if (strip(fileName, ".recovery-2"))
        found = CopyFileKind::RecoveryPart2;
    if (!fileName.starts_with(stem) || !strip(fileName, extension)) return 0;
    const int copy = copyOfNumberPart(fileName.substr(stem.size()));
    if (copy != 0 && kind) *kind = found;
    return copy;
}

bool isCopyFileName(std::string_view fileName) {
    return copyOfFileName(fileName) != 0;
}

namespace {

// Where path leads through links, also to a file that does not exist yet.
std::filesystem::path linkTarget(std::filesystem::path path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    for (int link = 0; link < 40 && fs::is_symlink(path, ec); ++link) {
        const fs::path target = fs::read_symlink(path, ec);
        if (ec) break;
        path = (target.is_absolute() ? target : path.parent_path() / target).lexically_normal();
    }
    return path;
}

} // namespace

bool isCopyFileIn(const std::filesystem::path& programDir, const std::filesystem::path& path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path dir = fs::weakly_canonical(programDir, ec);
    if (ec) return false;
    const fs::path named = fs::absolute(path, ec).lexically_normal();
    if (ec) return false;
    for (const fs::path& candidate : {named, linkTarget(named)}) {
        if (!isCopyFileName(candidate.filename().string())) continue;
        const fs::path folder = fs::weakly_canonical(candidate.parent_path(), ec);
        if (!ec && folder == dir) return true;
    }
    return false;
}

} // namespace tallisto
