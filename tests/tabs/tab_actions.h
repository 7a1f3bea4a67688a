#pragma once
// What the user does with tabs, as one command each, for the tests of tabs, marks and resets.
#include "support/sample_ranges.h"

#include <string_view>

namespace tallisto::testing {

inline void clickTab(TestProgram& t, int index) {
    t.run([index](FrmGradeHelp& f) { f.cmdTab_Click(index); });
}

inline void addTabs(TestProgram& t, int count) {
    for (int i = 0; i < count; ++i)
        t.run([](FrmGradeHelp& f) { f.cmdNewTab_Click(); });
}

inline void deleteCurrentTab(TestProgram& t) {
    t.run([](FrmGradeHelp& f) { f.menDelete_Click(); });
}

inline void pressKey(TestProgram& t, int keyCode, int shift = 0) {
    t.run([=](FrmGradeHelp& f) { f.cmdEasyWork_KeyDown(keyCode, shift); });
}

inline void rename(TestProgram& t, const std::string& name) {
    t.dialogs.type(name);
    t.run([](FrmGradeHelp& f) { f.menRename_Click(); });
}

// The indexes of the tab buttons that are pressed.
inline std::vector<int> pressedTabs(const FrmGradeHelp& f) {
    std::vector<int> pressed;
    for (const Control& tab : f.cmdTab)
        if (tab.checked) pressed.push_back(tab.index);
    return pressed;
}

// Everything the window shows of the current tab.
struct TabView {
    std::vector<std::string> score, total, weighting, percentage;
    std::string scoreTotal, outOfTotal, weightingTotal, overall, grade, gradeRange, gradeSysText;
    int gradeSys = 0;
    bool terButton = false;
    bool resetShown = false;
    bool operator==(const TabView&) const = default;
};

inline TabView viewOf(const FrmGradeHelp& f) {
    return {f.lstScore.list,           f.lstTotal.list,       f.lstWeighting.list,
            f.lstPercentage.list,      f.lblScoreTot.caption, f.lblTotalTest.caption,
            f.lblWeightingTot.caption, f.lblShit.caption,     f.lblGrade.caption,
            f.lblGradePer.caption,     f.lblGradeSys.caption, f.gradeSys,
            f.cmdTER.visible,          f.cmdReset.visible};
}

inline void PrintTo(const TabView& v, std::ostream* os) {
    auto join = [](const std::vector<std::string>& items) {
        std::string text;
        for (const auto& item : items)
            text += item + ",";
        return text;
    };
    *os << "{" << join(v.score) << " | " << join(v.total) << " | " << join(v.weighting) << " | "
        << join(v.percentage) << " | " << v.scoreTotal << " " << v.outOfTotal << " "
        << v.weightingTotal << " " << v.overall << " " << v.grade << " " << v.gradeRange << " "
        << v.gradeSysText << " sys" << v.gradeSys << (v.terButton ? " /20" : "")
        << (v.resetShown ? " reset" : "") << "}";
}

// A writer that refuses the working file while `full` is set, as a full disk does.
struct FullDisk {
    bool full = false;
    FileWriter writer() {
        return [this](const std::filesystem::path& path, std::string_view bytes) {
            if (full && path.filename() == "temp.tmp")
                return IoResult::failure("Cannot write " + path.string() +
                                         ": No space left on device");
            return writeFileAtomically(path, bytes);
        };
    }
};

inline void useWriter(TestProgram& t, FileWriter writer) {
    t.program = std::make_unique<Program>(t.dialogs, t.facts, std::move(writer));
}

} // namespace tallisto::testing
