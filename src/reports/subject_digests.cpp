// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/subject_digests.h"

#include "app/program.h"
#include "shared/number_text.h"

namespace tallisto {

SubjectDigest digestOf(const SubjectMarks& subject) {
    SubjectDigest digest;
    digest.name = subject.name;
    digest.gradeSys = subject.gradeSys;
    digest.hasMarks = !subject.marks.empty();
    MarkTotals totals;
    digest.progress.reserve(subject.marks.size());
    for (const MarkRow& mark : subject.marks) {
        totals.add(mark);
        digest.progress.push_back(
            {static_cast<int>(digest.progress.size()) + 1, totals.overall(), mark.kind});
    }
    digest.overall = totals.overall();
    digest.percent = numberText(digest.overall);
    const DecimalSum entered = totals.weightingEntered();
    digest.weighting = numberText(entered.value());
    DecimalSum left(100);
    left.subtract(entered);
    digest.totals = {totals.weightedScore(), totals.weighting(), std::max(0.0, left.value())};
    return digest;
}

NextGrade nextGradeOf(const PlanTotals& totals, double overall, const PercentSystem& system) {
    const int now = findPercentGrade(system, gradedPercentage(overall)).index;
    const Plan plan = makePlan(totals, system, std::nullopt);
    // The plan lists the grades highest first.
    const int above = static_cast<int>(plan.grades.size()) - 2 - now;
    if (above < 0 || above >= static_cast<int>(plan.grades.size())) return {};
    const PlannedGrade& next = plan.grades[static_cast<std::size_t>(above)];
    if (next.status != PlanStatus::Possible) return {next.grade.name, needText(next, plan.left)};
    return {next.grade.name, numberText(next.need / 100.0) + " %"};
}

SubjectDigests::Kept& SubjectDigests::keptFor(int tab) {
    FrmGradeHelp& f = program_.frmGradeHelp;
    const std::uint64_t revision =
        program_.ini.sectionRevision(f.workingFile(), "Tab " + std::to_string(tab));
    const std::string& caption = f.cmdTab[static_cast<std::size_t>(tab)].caption;
    auto [found, added] = kept_.try_emplace(tab);
    Kept& kept = found->second;
    if (added || kept.revision != revision || kept.caption != caption) {
        kept.revision = revision;
        kept.caption = caption;
        kept.digest = digestOf(f.subjectMarks(tab));
        ++workedOut_;
        kept.plannedUnder.reset();
    }
    return kept;
}

const SubjectDigest& SubjectDigests::of(int tab) {
    return keptFor(tab).digest;
}

const NextGrade& SubjectDigests::nextGrade(int tab, const PercentSystem& system) {
    Kept& kept = keptFor(tab);
    const bool same = kept.plannedUnder && kept.plannedUnder->ranges == system.ranges &&
                      kept.plannedUnder->names == system.names;
    if (!same) {
        kept.next = nextGradeOf(kept.digest.totals, kept.digest.overall, system);
        kept.plannedUnder = system;
    }
    return kept.next;
}

} // namespace tallisto
