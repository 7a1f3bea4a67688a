// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the core asks of the world around it: dialogs and facts about the running program.
// The Qt program answers with real dialogs; tests and the driver answer from a script.
#include <string>

namespace tallisto {

enum class Buttons { OK, OKCancel, YesNo, YesNoCancel };
enum class Answer { OK, Cancel, Yes, No };
enum class FileDialogKind { Open, Save };

struct InputAnswer {
    bool cancelled = false;
    std::string text;
};

struct FileChoice {
    bool cancelled = false;
    std::string fileName;  // full path
    std::string fileTitle; // its last component
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A modal message box without an icon.
    virtual Answer messageBox(const std::string& prompt, Buttons buttons,
                              const std::string& title) = 0;
    // A modal input box, buttons OK and Cancel, holding defaultText at first (selected, so that
    // typing replaces it).
    virtual InputAnswer inputBox(const std::string& prompt, const std::string& title,
                                 const std::string& defaultText = "") = 0;
    // The open or save dialog. filter holds pairs "description|pattern" separated by "|", the
    // first pair chosen at start. An empty title leaves the platform's own. The dialog neither
    // asks about overwriting nor adds an extension, and accepts names of files that do not exist.
    virtual FileChoice fileDialog(FileDialogKind kind, const std::string& title,
                                  const std::string& filter) = 0;
    // Shows a text file in the user's editor without waiting for it; false when no program could
    // be started to show it.
    virtual bool showInEditor(const std::string& path) = 0;
};

struct VersionRecord {
    int major = 0;
    int minor = 0;
    int revision = 0;
    std::string title = "Tallisto";
    std::string companyName = "Fenwarde";
};

// The version record of this build.
VersionRecord buildVersion();

struct PlatformFacts {
    std::string programDir;                 // where settings.ini, graderanges.txt and temp.tmp lie
    std::string exeName = "tallisto";       // the executable's file name without extension
    VersionRecord version = buildVersion(); // the build's version record when left at its default
};

} // namespace tallisto
