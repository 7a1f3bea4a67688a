// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up: the grading-system menu, the saved grading system and window position.
#include "app/frm_grade_help.h"
#include "app/program.h"
#include "grading/grade_ranges.h"
#include "shared/flag_hold.h"
#include "shared/number_text.h"

#include <algorithm>

namespace tallisto {

namespace {

// A saved window position as twips. The text may hold anything; what is not a number counts as
// 0, and a position far off any screen is pulled back to where a window can be.
int positionFromText(const std::string& text) {
    constexpr double limit = 1'000'000;
    return static_cast<int>(std::clamp(numberValue(text), -limit, limit));
}

} // namespace

void FrmGradeHelp::Form_Initialize() {
    // The platform's visual style needs no setting up here (see menXP_Click).
    cmdTab[0].container = "picInner";
    cmdTab[0].checked = true;
    tabCount = 1;
    unsaved = false;

    const std::string ranges = rangesFile();
    const std::string settings = settingsFile();
    for (int i = 0; i < 4; ++i) {
        const std::string section = percentSystemSection(i);
        menGradesys[i].caption = readIni(ranges, section, "name");
        if (i >= 1 && numberValue(readIni(ranges, section, "active")) == 0)
            menGradesys[i].visible = false;
        if (numberValue(readIni(settings, "Settings", "gradesys")) == i) {
            const FlagHold loading(loadingTabs);
            menGradesys_Click(menGradesys[i].visible ? i : 0);
        }
    }

    if (!program_.ini.exists(ranges)) {
        menGradesys[0].caption = "graderanges.txt was not found.";
        menGradesys[1].visible = true;
        menGradesys[1].caption = "Please Reinstall Tallisto.";
        seper3.visible = false;
        menEditRanges.visible = false;
    }

    menXP.checked = program_.ini.exists(manifestFile());

    const std::string left = readIni(settings, "Settings", "Left");
    if (left != "0") frmGradeHelp.left = positionFromText(left);
    const std::string top = readIni(settings, "Settings", "Top");
    if (top != "0") frmGradeHelp.top = positionFromText(top);

    takeWorkingFile();
}

void FrmGradeHelp::Form_Activate() {
    giveFocusToEasyWork();
}

void FrmGradeHelp::formnamerefresh() {
    const std::string filePart = currentFileTitle.empty() ? "Unsaved - " : currentFileTitle + " - ";
    const std::string flagPart = unsaved ? "* " : "";
    if (cmdReset.visible) {
        frmGradeHelp.caption = flagPart + filePart + numberText(overallPercentage()) + "% in " +
                               cmdTab[currentTab].caption + " - Tallisto";
    } else {
        frmGradeHelp.caption = flagPart + filePart + "Tallisto";
    }
}

} // namespace tallisto
