#pragma once
// Building a student's work through the user's commands, and reading all of it back.
#include "support/test_program.h"

#include <string>
#include <vector>

namespace tallisto::testing {

struct Mark {
    std::string score, outOf, weighting;
};

// One shown tab as the user finds it: name, marks as listed, grading system.
struct TabState {
    std::string name;
    std::vector<std::string> scores, outOfs, weightings, percentages;
    int gradeSys = 0;
    bool operator==(const TabState&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const TabState& tab) {
    out << tab.name << " [gradesys " << tab.gradeSys << "]";
    for (std::size_t i = 0; i < tab.scores.size(); ++i)
        out << " " << tab.scores[i] << "/" << tab.outOfs[i] << "@" << tab.weightings[i];
    return out;
}

inline void rename(TestProgram& t, const std::string& name) {
    t.dialogs.type(name);
    t.run([](FrmGradeHelp& f) { f.menRename_Click(); });
}

inline void switchTo(TestProgram& t, int index) {
    t.run([index](FrmGradeHelp& f) { f.cmdTab_Click(index); });
}

inline void newTab(TestProgram& t) {
    t.run([](FrmGradeHelp& f) { f.cmdNewTab_Click(); });
}

inline void chooseGradeSys(TestProgram& t, int index) {
    t.run([index](FrmGradeHelp& f) { f.menGradesys_Click(index); });
}

// Fills the current tab: name, marks, grading system.
inline void fillTab(TestProgram& t, const std::string& name, const std::vector<Mark>& marks,
                    int gradeSys) {
    rename(t, name);
    for (const Mark& m : marks)
        t.enterMark(m.score, m.outOf, m.weighting);
    chooseGradeSys(t, gradeSys);
}

// Every shown tab in strip order, visiting each as the user would; the current tab stays.
inline std::vector<TabState> shownTabs(TestProgram& t) {
    FrmGradeHelp& f = t.form();
    const int current = f.currentTab;
    std::vector<TabState> tabs;
    for (int i = 0; i < static_cast<int>(f.cmdTab.size()); ++i) {
        if (!f.cmdTab[i].visible) continue;
        switchTo(t, i);
        tabs.push_back({f.cmdTab[i].caption, f.lstScore.list, f.lstTotal.list, f.lstWeighting.list,
                        f.lstPercentage.list, f.gradeSys});
    }
    switchTo(t, current);
    return tabs;
}

// Save through the menu item: the Save As dialog answered with path when there is no file yet.
inline bool saveAs(TestProgram& t, const std::string& path) {
    t.dialogs.choose(path);
    bool saved = false;
    t.run([&](FrmGradeHelp& f) { saved = f.cmdsave_Click(); });
    return saved;
}

inline void open(TestProgram& t, const std::string& path) {
    if (t.form().unsaved) t.dialogs.press(Answer::Yes);
    t.dialogs.choose(path);
    t.run([](FrmGradeHelp& f) { f.cmdOpen_Click(); });
}

} // namespace tallisto::testing
