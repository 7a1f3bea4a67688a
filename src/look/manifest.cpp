// SPDX-License-Identifier: GPL-3.0-or-later
// The "XP Look" command: the manifest beside the executable switches the look at the next start.
#include "look/manifest.h"

#include "app/frm_grade_help.h"
#include "app/program.h"

namespace tallisto {

std::string xpManifestText() {
    static const char* const lines[] = {
        R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)",
        R"(<assembly xmlns="urn:schemas-microsoft-com:asm.v1" manifestVersion="1.0">)",
        R"(<assemblyIdentity)",
        R"(    version="1.0.0.0")",
        R"(    processorArchitecture="X86")",
        R"(    name="Fenwarde.Tallisto.TALSTO")",
        R"(    type="win32")",
        R"(/>)",
        R"(<dependency>)",
        R"(    <dependentAssembly>)",
        R"(        <assemblyIdentity)",
        R"(            type="win32")",
        R"(            name="Microsoft.Windows.Common-Controls")",
        R"(            version="6.0.0.0")",
        R"(            processorArchitecture="X86")",
        R"(            publicKeyToken="6595b64144ccf1df")",
        R"(            language="*")",
        R"(        />)",
        R"(    </dependentAssembly>)",
        R"(</dependency>)",
        R"(</assembly>)",
    };
    std::string text;
    for (const char* line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

IoResult WriteXpManifest(const std::filesystem::path& path, const FileWriter& write) {
    return write(path, xpManifestText());
}

void FrmGradeHelp::menXP_Click() {
    const std::string path = manifestFile();
    if (menXP.checked) {
        const Answer answer = MsgBox("Delete: " + path +
                                         "? (Deleting this file disables XP look in Tallisto, and "
                                         "does not affect any other program.)",
                                     Buttons::YesNo);
        if (answer == Answer::Yes) {
            const IoResult removed = fileExists(path) ? removeFile(path) : IoResult::success();
            if (removed)
                menXP.checked = false;
            else
                MsgBox("The XP look stays on: " + path + " could not be deleted.\n\n" +
                       removed.reason);
        }
    } else if (fileExists(path)) {
        menXP.checked = true; // the file appeared since start-up; it is not rewritten
    } else if (const IoResult written = WriteXpManifest(path, program_.writeFile); written) {
        MsgBox("Requires restart of Tallisto before setting takes effect.");
        menXP.checked = true;
    } else {
        MsgBox("The XP look stays off: " + path + " could not be created.\n\n" + written.reason);
    }
    giveFocusToEasyWork();
}

} // namespace tallisto
