// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/program.h"

#include "version.h"

namespace tallisto {

VersionRecord buildVersion() {
    VersionRecord v;
    v.major = build::versionMajor;
    v.minor = build::versionMinor;
    v.revision = build::versionRevision;
    return v;
}

Program::Program(Dialogs& dialogs, PlatformFacts facts, FileWriter writer)
    : dialogs(dialogs), facts(std::move(facts)), writeFile(writer ? writer : writeFileAtomically),
      writeScratch(writer ? writer : writeScratchFile),
      ini(writer ? writer : writeFileAtomically, writeScratch), copy(this->facts.programDir),
      frmTER(*this), frmPlan(*this), frmOverview(*this), frmChart(*this), frmGradeHelp(*this),
      subjects(*this),
      keeper_(writeScratch, [this](const std::string& path, const SharedBytes& bytes) {
          return ini.linkAsWritten(copy.workingFile(), path, bytes).ok;
      }) {
    ignoreFileSizeLimitSignal();
    ini.treatAsScratch(frmGradeHelp.workingFile());
}

bool Program::start() {
    history.noteOrigin();
    return run([this] {
        frmGradeHelp.Form_Initialize();
        frmGradeHelp.Form_Activate();
    });
}

bool Program::run(const std::function<void()>& event) {
    if (ended_) return false;
    try {
        event();
    } catch (const ProgramEnded&) {
        ended_ = true;
        return false;
    }
    // A file that cannot be written keeps its changes in memory; the user is told once.
    ini.flushAll();
    settle();
    frmGradeHelp.reportUnwrittenFiles();
    return true;
}

void Program::settle() {
    const std::shared_ptr<const KeptWork> work = currentWork();
    history.settle(work, frmGradeHelp.unsaved);
    frmGradeHelp.undoItemsUpdate();
    keepRecoveryData(*work);
}

std::shared_ptr<const KeptWork> Program::currentWork() {
    auto work = std::make_shared<KeptWork>(frmGradeHelp.workToKeep());
    // A working file that could not be written holds its tabs in memory.
    const std::string file = copy.workingFile();
    work->workingFile = ini.unwrittenBytes(file);
    if (!work->workingFile) work->workingFile = ini.bytesOnDisk(file);
    return work;
}

Program::Outcome Program::run(const Event& event, EventArgs args) {
    args.resize(static_cast<std::size_t>(event.arity + event.optional), 0);
    switch (reachOf(*this, event, args)) {
    case Reach::OutOfReach:
        return Outcome::OutOfReach;
    case Reach::NotLoaded:
        return Outcome::NotLoaded;
    case Reach::Reachable:
        break;
    }
    lastEvent_ = &event;
    lastEventArgs_ = args;
    return run([&] { event.run(*this, args); }) ? Outcome::Ran : Outcome::Ended;
}

bool Program::keepRecoveryData() {
    return keepRecoveryData(*currentWork());
}

bool Program::keepRecoveryData(const KeptWork& work) {
    // Without its lock this copy cannot tell its own files from those of another copy.
    if (!copy.holdsLock()) return true;
    if (!work.unsaved) return keeper_.drop(copy.recoveryFiles()).ok;
    return keeper_.keep(work, copy.recoveryFiles()).ok;
}

void Program::end() {
    ini.flushAll();
    ended_ = true;
    throw ProgramEnded{};
}

} // namespace tallisto
