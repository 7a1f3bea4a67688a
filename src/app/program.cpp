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
      ini(writer ? writer : writeFileAtomically, writer ? writer : writeScratchFile), frmTER(*this),
      frmGradeHelp(*this) {
    ignoreFileSizeLimitSignal();
    ini.treatAsScratch(frmGradeHelp.workingFile());
}

bool Program::start() {
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
    frmGradeHelp.reportUnwrittenFiles();
    return true;
}

void Program::end() {
    ini.flushAll();
    ended_ = true;
    throw ProgramEnded{};
}

} // namespace tallisto
