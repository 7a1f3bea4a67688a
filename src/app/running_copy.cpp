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

RecoveryFiles RunningCopy::recoveryFiles() const {
    return recoveryFiles(number_);
}

RecoveryFiles RunningCopy::recoveryFiles(int number) const {
    return {file(number, CopyFileKind::Recovery),
            {file(number, CopyFileKind::RecoveryPart1), file(number, CopyFileKind::RecoveryPart2)}};
}

IoResult removeRecoveryData(const RecoveryFiles& files) {
    IoResult removed = removeFile(files.data);
    for (const std::string& part : files.parts)
        if (IoResult gone = removeFile(part); !gone && removed) removed = gone;
    return removed;
}

namespace {

// The whole file, when it is a regular file no larger than any copy's recovery data.
std::optional<std::string> readRecoveryFile(const std::string& path, std::timespec* modified) {
    struct stat info {};
    std::string bytes;
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode) ||
        info.st_size > largestRecoveryData || !readWholeFile(path, bytes))
        return std::nullopt;
    if (modified) *modified = info.st_mtim;
    return bytes;
}

} // namespace

bool RunningCopy::readWork(EndedCopy& ended) const {
    const RecoveryFiles files = recoveryFiles(ended.number);
    std::timespec keptAt{};
    const std::optional<std::string> bytes = readRecoveryFile(files.data, &keptAt);
    if (!bytes) return false;
    std::optional<KeptWork> work = readKeptWork(*bytes, [&files](int part) {
        return readRecoveryFile(files.parts[part == 1 ? 0 : 1], nullptr);
    });
    if (!work || !work->unsaved) return false;
    ended.work = std::move(*work);
    ended.keptAt = keptAt;
    return true;
}

void RunningCopy::removeFiles(int number) {
    removeFile(file(number, CopyFileKind::Working));
    removeRecoveryData(recoveryFiles(number));
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

IoResult WorkKeeper::keep(const KeptWork& work, const RecoveryFiles& files) {
    std::string head = keptWorkHead(work);
    const bool sameWorking = kept_ && work.workingFile == working_;
    if (sameWorking && head == head_) return IoResult::success();
    // Until the parts on disk are known, and without a working file, the data is one file.
    int part = 0;
    if (work.workingFile && partsKnown_) {
        part = sameWorking && part_ != 0 ? part_ : part_ == 1 ? 2 : 1;
        if (part != part_) {
            if (IoResult put = putPart(work.workingFile, files.parts[part - 1]); !put) {
                kept_ = false;
                return put;
            }
        }
    }
    IoResult written =
        writer_(files.data, part != 0 ? keptWorkText(head, work.workingFile->size(), part)
                                      : keptWorkText(head, work.workingFile));
    kept_ = written.ok;
    dropped_ = false;
    // Not written: the data on disk is as it was, and so is the part it names.
    if (!written) return written;
    head_ = std::move(head);
    working_ = work.workingFile;
    part_ = part;
    partsKnown_ = removePartsBut(files, part);
    return written;
}

IoResult WorkKeeper::putPart(const SharedBytes& bytes, const std::string& path) {
    if (linker_ && linker_(path, bytes)) return IoResult::success();
    return writer_(path, *bytes);
}

bool WorkKeeper::removePartsBut(const RecoveryFiles& files, int part) {
    bool removed = true;
    for (int p = 1; p <= 2; ++p)
        if (p != part) removed = removeFile(files.parts[p - 1]).ok && removed;
    return removed;
}

IoResult WorkKeeper::drop(const RecoveryFiles& files) {
    if (dropped_) return IoResult::success();
    IoResult removed = removeFile(files.data);
    kept_ = false;
    if (!removed) return removed;
    part_ = 0;
    partsKnown_ = dropped_ = removePartsBut(files, 0);
    return removed;
}

} // namespace tallisto
