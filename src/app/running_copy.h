// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// This copy of the program among the copies that run, or ran, in the same program directory.
// Each running copy holds the lock of its own working file for its whole life; a copy that ended
// without closing holds nothing, and its files tell whether it left unsaved work behind.
#include "app/kept_work.h"
#include "shared/copy_files.h"
#include "shared/file_io.h"
#include "shared/file_lock.h"

#include <ctime>
#include <optional>
#include <string>
#include <vector>

namespace tallisto {

// A copy that ended without closing and left unsaved work.
struct EndedCopy {
    int number = 0;
    FileLock lock; // held while this copy decides what becomes of the work
    KeptWork work;
    std::timespec keptAt{}; // when the work was last kept
};

class RunningCopy {
public:
    explicit RunningCopy(std::string programDir) : dir_(std::move(programDir)) {}

    // 1 until a number is taken.
    int number() const { return number_; }
    bool holdsLock() const { return lock_.held(); }
    std::string workingFile() const;
    std::string recoveryFile() const;

    // Looks at every copy that has files in the directory. A running copy's files are left
    // alone; those of an ended copy that left no unsaved work are removed. The ended copies that
    // left work are returned, the newest first, each held so that no copy starting meanwhile
    // takes it.
    std::vector<EndedCopy> endedCopiesWithWork();

    // Removes every file of an ended copy and lets it go.
    void discard(EndedCopy& ended);

    // Takes the lowest number that no running copy holds and no ended copy's work waits on;
    // `adopt`'s number and files instead when it is lower. In a directory that takes no locks
    // the copy runs as the first one, as a copy alone does.
    void takeNumber(EndedCopy* adopt = nullptr);

    // At an orderly close: the copy's lock is removed and let go.
    void close() { lock_.removeAndRelease(); }

private:
    std::string file(int number, CopyFileKind kind) const;
    bool readWork(EndedCopy& ended) const;
    void removeFiles(int number);

    std::string dir_;
    int number_ = 1;
    FileLock lock_;
};

// Writes this copy's recovery data after each command that changed the work, and nothing when
// nothing changed.
class WorkKeeper {
public:
    explicit WorkKeeper(FileWriter writer) : writer_(std::move(writer)) {}

    // work.workingFile holds the working file's bytes.
    IoResult keep(const KeptWork& work, const std::string& recoveryFile);
    // Nothing unsaved is left to keep.
    IoResult drop(const std::string& recoveryFile);

private:
    FileWriter writer_;
    bool kept_ = false;    // the recovery data on disk is head_ and working_
    bool dropped_ = false; // none is on disk
    std::string head_;
    SharedBytes working_;
};

} // namespace tallisto
