// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/file_lock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace tallisto {

namespace {

// A lock file needs no writing; a read-only descriptor takes the lock of a file that this
// process may not write.
int openLockFile(const std::filesystem::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
    return fd;
}

// Whether path still names the file open as fd: a lock on a file removed meanwhile locks no one
// out.
bool stillNamed(int fd, const std::filesystem::path& path) {
    struct stat open {
    }, named{};
    return ::fstat(fd, &open) == 0 && ::lstat(path.c_str(), &named) == 0 &&
           open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

} // namespace

FileLock::FileLock(FileLock&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), path_(std::move(other.path_)) {}

FileLock& FileLock::operator=(FileLock&& other) noexcept {
    if (this != &other) {
        release();
        fd_ = std::exchange(other.fd_, -1);
        path_ = std::move(other.path_);
    }
    return *this;
}

FileLock::Outcome FileLock::take(const std::filesystem::path& path) {
    release();
    // Each round that loses the race with a removal starts again with the new file; a few
    // rounds are plenty, and a bound keeps a hostile folder from holding the start forever.
    for (int round = 0; round < 100; ++round) {
        const int fd = openLockFile(path);
        if (fd < 0) return Outcome::Failed;
        int locked;
        do
            locked = ::flock(fd, LOCK_EX | LOCK_NB);
        while (locked != 0 && errno == EINTR);
        if (locked != 0) {
            const int error = errno;
            ::close(fd);
            return error == EWOULDBLOCK ? Outcome::Held : Outcome::Failed;
        }
        if (stillNamed(fd, path)) {
            fd_ = fd;
            path_ = path;
            return Outcome::Taken;
        }
        ::close(fd);
    }
    return Outcome::Failed;
}

void FileLock::release() {
    if (fd_ < 0) return;
    ::close(fd_);
    fd_ = -1;
}

void FileLock::removeAndRelease() {
    if (fd_ < 0) return;
    ::unlink(path_.c_str());
    release();
}

} // namespace tallisto
