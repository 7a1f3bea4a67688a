// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/running_copy.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <sys/stat.h>
#include <system_error>

namespace tallisto {

namespace fs = std::filesystem;

namespace {

// Far beyond the recovery data of the largest window; a bigger file is no copy's.
constexpr off_t largestRecoveryData = 256ll << 20;

bool newer(const std::timespec& a, const std::timespec& b) {
    return a.tv_sec != b.tv_sec ? a.tv_sec > b.tv_sec : a.tv_nsec > b.tv_nsec;
}

} // namespace

std::string RunningCopy::file(int number, CopyFileKind kind) const {
    return (fs::path(dir_) / copyFileName(number, kind)).string();
}

std::string RunningCopy::workingFile() const {
    return file(number_, CopyFileKind::Working);
}

std::string RunningCopy::recoveryFile() const {
    return file(number_, CopyFileKind::Recovery);
}

bool RunningCopy::readWork(EndedCopy& ended) const {
    const std::string path = file(ended.number, CopyFileKind::Recovery);
    struct stat info {};
    std::string bytes;
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode) ||
        info.st_size > largestRecoveryData || !readWholeFile(path, bytes))
        return false;
    std::optional<KeptWork> work = readKeptWork(bytes);
    if (!work || !work->unsaved) return false;
    ended.work = std::move(*work);
    ended.keptAt = info.st_mtim;
    return true;
}

void RunningCopy::removeFiles(int number) {
    removeFile(file(number, CopyFileKind::Working));
    removeFile(file(number, CopyFileKind::Recovery));
}

std::vector<EndedCopy> RunningCopy::endedCopiesWithWork() {
    std::set<int> numbers;
    std::error_code ec;
    for (fs::directory_iterator it(dir_, ec), end; !ec && it != end; it.increment(ec))
        if (const int n = copyOfFileName(it->path().filename().string())) numbers.insert(n);
    std::vector<EndedCopy> ended;
    for (const int n : numbers) {
        if (lock_.held() && n == number_) continue;
        EndedCopy copy;
        copy.number = n;
        // Held: the copy runs. Failed: not ours to judge, so it is left as it is.
        if (copy.lock.take(file(n, CopyFileKind::Lock)) != FileLock::Outcome::Taken) continue;
        if (readWork(copy)) {
            ended.push_back(std::move(copy));
        } else {
            removeFiles(n);
            copy.lock.removeAndRelease();
        }
    }
    // Of two kept within the same tick of the clock, the later started is taken as the newer.
    std::sort(ended.begin(), ended.end(), [](const EndedCopy& a, const EndedCopy& b) {
        return newer(a.keptAt, b.keptAt) || (!newer(b.keptAt, a.keptAt) && a.number > b.number);
    });
    return ended;
}

void RunningCopy::discard(EndedCopy& ended) {
    removeFiles(ended.number);
    ended.lock.removeAndRelease();
}

void RunningCopy::takeNumber(EndedCopy* adopt) {
    for (int n = 1; n <= mostCopies; ++n) {
        if (adopt && adopt->lock.held() && adopt->number == n) {
            lock_ = std::move(adopt->lock);
            number_ = n;
            return;
        }
        const std::string lockFile = file(n, CopyFileKind::Lock);
        FileLock lock;
        const FileLock::Outcome outcome = lock.take(lockFile);
        // A lock file that cannot even be created: the folder takes no locks at all.
        struct stat present {};
        if (outcome == FileLock::Outcome::Failed && ::lstat(lockFile.c_str(), &present) != 0) break;
        if (outcome != FileLock::Outcome::Taken) continue;
        // An ended copy's work that waits for the next start.
        if (fileExists(file(n, CopyFileKind::Recovery))) continue;
        lock_ = std::move(lock);
        number_ = n;
        return;
    }
    number_ = 1;
}

IoResult WorkKeeper::keep(const KeptWork& work, const std::string& recoveryFile) {
    std::string head = keptWorkHead(work);
    if (kept_ && head == head_ && work.workingFile == working_) return IoResult::success();
    IoResult written = writer_(recoveryFile, keptWorkText(head, work.workingFile));
    kept_ = written.ok;
    dropped_ = false;
    if (written) {
        head_ = std::move(head);
        working_ = work.workingFile;
    }
    return written;
}

IoResult WorkKeeper::drop(const std::string& recoveryFile) {
    if (dropped_) return IoResult::success();
    IoResult removed = removeFile(recoveryFile);
    kept_ = false;
    dropped_ = removed.ok;
    return removed;
}

} // namespace tallisto
