// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/file_io.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
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

} // namespace

namespace {

IoResult writeReplacing(const std::filesystem::path& path, std::string_view bytes, bool durable) {
    std::filesystem::path temporary;
    int fd = createTemporary(path, temporary);
    if (fd < 0) return failedWrite(path, errno);
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
        return failedWrite(path, error);
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

IoResult removeFile(const std::filesystem::path& path) {
    if (::unlink(path.c_str()) == 0 || errno == ENOENT) return IoResult::success();
    return IoResult::failure("Cannot delete " + path.string() + ": " + osError(errno));
}

} // namespace tallisto
