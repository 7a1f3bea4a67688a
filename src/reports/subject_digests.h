// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the overview and the chart show of a tab that is not the current one, worked out from the
// working file as switching to the tab would, and kept until the tab's section of that file
// changes: with 43 tabs of 1000 marks only the tabs that changed are worked out again.
#include "grading/planner.h"
#include "reports/progress_chart.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tallisto {

class Program;

struct SubjectDigest {
    std::string name;
    std::optional<int> gradeSys; // none: the system in use
    bool hasMarks = false;
    int whatIf = 0;        // its what-if marks
    std::string percent;   // the overall percentage as the totals show it, without "%"
    double overall = 0;    // its value
    std::string weighting; // the weighting entered as the totals show it, without "%"
    PlanTotals totals;     // what the planner needs of the tab
};

SubjectDigest digestOf(const SubjectMarks& subject);

// The grade above the one a tab has now, and what the rest must average for it.
struct NextGrade {
    std::string grade; // empty when the tab has the highest grade
    std::string need;  // "63.66 %", "Out of reach" or "Secured"
    bool operator==(const NextGrade&) const = default;
};
NextGrade nextGradeOf(const PlanTotals& totals, double overall, const PercentSystem& system);

class SubjectDigests {
public:
    explicit SubjectDigests(Program& program) : program_(program) {}

    // A shown tab other than the current one.
    const SubjectDigest& of(int tab);
    // Its overall percentage after each mark, for the chart.
    const std::vector<ChartPoint>& progress(int tab);
    // Its next grade under the system given; worked out again only when the tab or the system
    // changed.
    const NextGrade& nextGrade(int tab, const PercentSystem& system);

    // The tab just stored in the working file as the user leaves it, taken from the window
    // before the next tab's marks replace it: leaving a tab costs no second count of its marks.
    void keepLeftTab(int tab);

    // Forgets everything kept: the next call works every tab out afresh.
    void clear() { kept_.clear(); }
    // How many times a tab's marks were counted from the working file.
    std::size_t workedOut() const { return workedOut_; }

private:
    struct Kept {
        std::uint64_t revision = 0;
        std::string caption;
        SubjectDigest digest;
        std::optional<std::vector<ChartPoint>> progress;
        std::optional<PercentSystem> plannedUnder;
        NextGrade next;
    };
    std::uint64_t revisionOf(int tab);
    Kept& keptFor(int tab);

    Program& program_;
    std::map<int, Kept> kept_;
    std::size_t workedOut_ = 0;
};

} // namespace tallisto
