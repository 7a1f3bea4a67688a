// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A lock on a file, held with flock(2) for as long as the object lives. The system lets go of it
// when the process ends in any way, so a killed program leaves no lock held.
#include <filesystem>

namespace tallisto {

class FileLock {
public:
    enum class Outcome {
        Taken,  // this object holds the lock now
        Held,   // someone else holds it
        Failed, // the file cannot be opened or created
    };

    FileLock() = default;
    ~FileLock() { release(); }
    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&& other) noexcept;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Takes the lock of path without waiting, creating the file when it is missing.
    Outcome take(const std::filesystem::path& path);
    bool held() const { return fd_ >= 0; }

    void release();
    // Removes the file, then lets go. A process that opened the file just before finds, once
    // it has the lock, that the file is gone, and takes the lock of the new file instead.
    void removeAndRelease();

private:
    int fd_ = -1;
    std::filesystem::path path_;
};

} // namespace tallisto
