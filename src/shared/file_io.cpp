// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/file_io.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace tallisto {

namespace {

std::string osError(int error) {
    return std::generic_category().message(error);
}

IoResult failedWrite(const std::filesystem::path& path, int error) {
    return IoResult::failure("Cannot write " + path.string() + ": " + osError(error));
}

// Opens a new file beside path under a name no other writer uses; O_EXCL guarantees that.
int createTemporary(const std::filesystem::path& path, std::filesystem::path& temporary) {
    static std::atomic<unsigned> counter{0};
    for (;;) {
        temporary = path;
        temporary.replace_filename("." + path.filename().string() + "." +
                                   std::to_string(::getpid()) + "-" + std::to_string(counter++) +
                                   ".tmp");
        int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            if (written == 0) errno = EIO;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// A replaced file keeps its permissions; a new one gets the usual ones from the umask.
void keepPermissions(int fd, const std::filesystem::path& path) {
    struct stat old {};
    if (::stat(path.c_str(), &old) == 0) ::fchmod(fd, old.st_mode & 07777);
}

// Makes the rename itself durable. Some file systems cannot sync a folder; the new content is in
// place by then either way, so a failure here is not the write's failure.
void syncFolder(const std::filesystem::path& path) {
    std::filesystem::path folder = path.parent_path();
    int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// The parts of a temporary file's name ".NAME.PID-N.tmp"; false for any other name.
bool isTemporaryName(std::string_view name, pid_t& pid) {
    if (name.size() < 2 || name.front() != '.' || !name.ends_with(".tmp")) return false;
    name = name.substr(1, name.size() - 5);
    const auto dot = name.rfind('.');
    const auto dash = name.rfind('-');
    if (dot == std::string_view::npos || dot == 0 || dash == std::string_view::npos || dash < dot)
        return false;
    const std::string_view pidText = name.substr(dot + 1, dash - dot - 1);
    const std::string_view counter = name.substr(dash + 1);
    const auto digits = [](std::string_view text) {
        return !text.empty() && text.size() <= 9 &&
               std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (!digits(pidText) || !digits(counter)) return false;
    pid = static_cast<pid_t>(std::stol(std::string(pidText)));
    return pid > 0;
}

bool processIsGone(pid_t pid) {
    return pid != ::getpid() && ::kill(pid, 0) != 0 && errno == ESRCH;
}

// A save killed midway leaves its temporary file, as large as the file it was saving. Those of
// this user whose process is gone can be nobody's but ours, and are removed.
void removeStaleTemporaries(const std::filesystem::path& folder) {
    std::error_code ec;
    for (const auto& entry :
         std::filesystem::directory_iterator(folder.empty() ? "." : folder, ec)) {
        pid_t pid = 0;
        struct stat info {};
        if (isTemporaryName(entry.path().filename().string(), pid) &&
            ::lstat(entry.path().c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
            info.st_uid == ::geteuid() && processIsGone(pid))
            ::unlink(entry.path().c_str());
    }
}

IoResult writeReplacing(const std::filesystem::path& named, std::string_view bytes, bool durable) {
    const std::optional<std::filesystem::path> target = linkTarget(named);
    if (!target) return failedWrite(named, ELOOP);
    const std::filesystem::path& path = *target;
    if (durable) removeStaleTemporaries(path.parent_path());
    std::filesystem::path temporary;
    int fd = createTemporary(path, temporary);
    if (fd < 0) return failedWrite(named, errno);
    keepPermissions(fd, path);
    bool written = writeAll(fd, bytes) && (!durable || ::fsync(fd) == 0);
    int error = errno;
    if (::close(fd) != 0 && written) {
        written = false;
        error = errno;
    }
    if (written && ::rename(temporary.c_str(), path.c_str()) != 0) {
        written = false;
        error = errno;
    }
    if (!written) {
        ::unlink(temporary.c_str());
        return failedWrite(named, error);
    }
    if (durable) syncFolder(path);
    return IoResult::success();
}

} // namespace

IoResult writeFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
    return writeReplacing(path, bytes, true);
}

IoResult writeScratchFile(const std::filesystem::path& path, std::string_view bytes) {
    return writeReplacing(path, bytes, false);
}

std::optional<std::filesystem::path> linkTarget(std::filesystem::path path) {
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code ec;
        if (!std::filesystem::is_symlink(path, ec)) return path;
        const std::filesystem::path next = std::filesystem::read_symlink(path, ec);
        if (ec) return std::nullopt;
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return std::nullopt; // a loop of links
}

bool isReadOnlyFile(const std::filesystem::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return false;
    return (info.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0;
}

void ignoreFileSizeLimitSignal() {
    std::signal(SIGXFSZ, SIG_IGN);
}

bool readWholeFile(const std::filesystem::path& path, std::string& bytes) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat info {};
    bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    std::string content;
    if (ok) content.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[65536];
    while (ok) {
        ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) {
            ok = got == 0;
            break;
        }
        content.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    if (ok) bytes = std::move(content);
    return ok;
}

bool fileExists(const std::filesystem::path& path) {
    std::error_code ignored;
    return std::filesystem::is_regular_file(path, ignored);
}

IoResult linkFile(const std::filesystem::path& path, const std::filesystem::path& link) {
    if (::unlink(link.c_str()) != 0 && errno != ENOENT) return failedWrite(link, errno);
    if (::linkat(AT_FDCWD, path.c_str(), AT_FDCWD, link.c_str(), AT_SYMLINK_FOLLOW) != 0)
        return failedWrite(link, errno);
    return IoResult::success();
}

IoResult removeFile(const std::filesystem::path& path) {
    if (::unlink(path.c_str()) == 0 || errno == ENOENT) return IoResult::success();
    return IoResult::failure("Cannot delete " + path.string() + ": " + osError(errno));
}

} // namespace tallisto
