// SPDX-License-Identifier: GPL-3.0-or-later
// The marks of every tab as rows with their kinds: the current tab's from its lists, the others'
// from the working file, as switching to them would bring them back.
#include "marks/tab_marks.h"

#include "app/frm_grade_help.h"
#include "app/program.h"
#include "marks/mark_arithmetic.h"
#include "shared/number_text.h"
#include "shared/rounding.h"

namespace tallisto {

// The same steps as the mark entry and TotalsUpdate take for a mark read back from a file.
std::string MarkTotals::add(const MarkRow& mark) {
    const std::optional<double> score = scoreOf(mark);
    return score ? numberText(roundTo2Places(*score)) : "0";
}

std::optional<double> MarkTotals::scoreOf(const MarkRow& mark) {
    const double y = numberValue(mark.score);
    const double o = numberValue(mark.outOf);
    const double f = weightingFraction(numberValue(mark.weighting));
    weighting_.add(f);
    // A mark out of 0 counts its weighting but no score.
    if (o == 0) return std::nullopt;
    const double s = scoreOutOfWeighting(y, o, f);
    weightedScore_.add(s);
    scoredWeighting_ = weighting_;
    scored_ = true;
    return s;
}

double MarkTotals::overall() const {
    return scored_ ? overallPercentageOf(weightedScore_.value(), scoredWeighting_.value()) : 0;
}

// What-if marks stand after the real marks: in the current tab's lists the last whatIfMarks
// entries, in a stored tab the marks after its "count".
MarkKind FrmGradeHelp::markKind(int tab, std::size_t j) {
    if (tab == currentTab) return markKind(j);
    const std::string section = tabSection(tab);
    const double real = numberValue(readIni(workingFile(), section, "count"));
    return static_cast<double>(j) >= real ? MarkKind::WhatIf : MarkKind::Real;
}

int FrmGradeHelp::whatIfCount(int tab) {
    if (tab == currentTab) return whatIfMarks;
    const std::string file = workingFile();
    const std::string section = tabSection(tab);
    // A tab is found again only under the caption it was stored with.
    if (readIni(file, section, "Name") != cmdTab[static_cast<std::size_t>(tab)].caption) return 0;
    return storedWhatIfs(file, section);
}

SubjectMarks FrmGradeHelp::subjectMarks(int tab) {
    SubjectMarks subject{tab, cmdTab[static_cast<std::size_t>(tab)].caption, {}, gradeSys};
    if (tab == currentTab) {
        const std::size_t count = lstScore.list.size();
        for (std::size_t j = 0; j < count; ++j) {
            const auto entry = [j](const Control& list) {
                return j < list.list.size() ? list.list[j] : std::string("0");
            };
            subject.marks.push_back(
                {entry(lstScore), entry(lstTotal), entry(lstWeighting), markKind(tab, j)});
        }
        return subject;
    }
    // A tab is found again only under the caption it was stored with; a tab never stored, or
    // stored with no valid system, takes the system in use.
    const std::string file = workingFile();
    const std::string section = tabSection(tab);
    if (readIni(file, section, "Name") != subject.name) {
        subject.gradeSys.reset();
        return subject;
    }
    if (readIni(file, section, "count") != "0" || storedWhatIfs(file, section) > 0) {
        for (StoredMark& stored : readStoredMarks(file, tab))
            subject.marks.push_back({std::move(stored.youGot), std::move(stored.outOf),
                                     std::move(stored.weighting), stored.kind});
    }
    const double stored = numberValue(readIni(file, section, "gradesys"));
    subject.gradeSys.reset();
    for (int g = 0; g < 4; ++g)
        if (stored == g) subject.gradeSys = g;
    return subject;
}

} // namespace tallisto
