// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// This copy of the program among the copies that run, or ran, in the same program directory.
// Each running copy holds the lock of its own working file for its whole life; a copy that ended
// without closing holds nothing, and its files tell whether it left unsaved work behind.
#include "app/kept_work.h"
#include "shared/copy_files.h"
#include "shared/file_io.h"
#include "shared/file_lock.h"

#include <array>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tallisto {

// The files of one copy's recovery data: the data itself, and the two parts that it may name to
// hold the working file's bytes.
struct RecoveryFiles {
    std::string data;
    std::array<std::string, 2> parts; // parts 1 and 2
};

// Removes recovery data, the data first: parts alone are no recovery data.
IoResult removeRecoveryData(const RecoveryFiles& files);

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
    RecoveryFiles recoveryFiles() const;

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
    RecoveryFiles recoveryFiles(int number) const;
    bool readWork(EndedCopy& ended) const;
    void removeFiles(int number);

    std::string dir_;
    int number_ = 1;
    FileLock lock_;
};

// Writes this copy's recovery data after each command that changed the work, and nothing when
// nothing changed. The working file's bytes, megabytes of them at the largest, are kept in a part
// of their own, so that a command that leaves them as they were writes the rest alone; a new part
// is a second name of the working file on disk where it can be, and written only where it cannot.
// The part that the data on disk names is never touched: the new part goes in the other one, and
// the old one goes only once the data names the new. A copy killed at any moment thus leaves whole
// recovery data of the last command that finished, or of the one finishing.
class WorkKeeper {
public:
    // Gives the working file on disk a second name, path, when it holds exactly bytes; false
    // when it cannot.
    using Linker = std::function<bool(const std::string& path, const SharedBytes& bytes)>;
    explicit WorkKeeper(FileWriter writer, Linker linker = {})
        : writer_(std::move(writer)), linker_(std::move(linker)) {}

    // work.workingFile holds the working file's bytes.
    IoResult keep(const KeptWork& work, const RecoveryFiles& files);
    // Nothing unsaved is left to keep.
    IoResult drop(const RecoveryFiles& files);

private:
    IoResult putPart(const SharedBytes& bytes, const std::string& path);
    bool removePartsBut(const RecoveryFiles& files, int part);

    FileWriter writer_;
    Linker linker_;
    bool kept_ = false;    // the recovery data on disk is head_ and working_
    bool dropped_ = false; // none is on disk
    std::string head_;
    SharedBytes working_;
    int part_ = 0; // the part the data on disk names; 0 when it names none
    // No part but part_ is of any use. Not known before this copy kept its work first: the data
    // of an ended copy that it took over may name either part.
    bool partsKnown_ = false;
};

} // namespace tallisto
