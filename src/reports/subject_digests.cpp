// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/subject_digests.h"

#include "app/program.h"
#include "shared/number_text.h"

#include <algorithm>

namespace tallisto {

namespace {

PlanTotals planTotalsOf(const MarkTotals& totals) {
    DecimalSum left(100);
    left.subtract(totals.weightingEntered());
    return {totals.weightedScore(), totals.weighting(), std::max(0.0, left.value())};
}

std::string withoutPercent(std::string caption) {
    if (!caption.empty() && caption.back() == '%') caption.pop_back();
    return caption;
}

} // namespace

SubjectDigest digestOf(const SubjectMarks& subject) {
    MarkTotals totals;
    for (const MarkRow& mark : subject.marks)
        totals.count(mark);
    SubjectDigest digest;
    digest.name = subject.name;
    digest.gradeSys = subject.gradeSys;
    digest.hasMarks = !subject.marks.empty();
    digest.whatIf = static_cast<int>(
        std::count_if(subject.marks.begin(), subject.marks.end(),
                      [](const MarkRow& mark) { return mark.kind == MarkKind::WhatIf; }));
    digest.overall = totals.overall();
    digest.percent = numberText(digest.overall);
    digest.weighting = numberText(totals.weightingEntered().value());
    digest.totals = planTotalsOf(totals);
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

std::uint64_t SubjectDigests::revisionOf(int tab) {
    return program_.ini.sectionRevision(program_.frmGradeHelp.workingFile(),
                                        FrmGradeHelp::tabSection(tab));
}

// Kept for as long as the tab's section of the working file and its caption stay the same.
SubjectDigests::Kept& SubjectDigests::keptFor(int tab) {
    FrmGradeHelp& f = program_.frmGradeHelp;
    const std::uint64_t revision = revisionOf(tab);
    const std::string& caption = f.cmdTab[static_cast<std::size_t>(tab)].caption;
    auto [found, added] = kept_.try_emplace(tab);
    Kept& kept = found->second;
    if (added || kept.revision != revision || kept.caption != caption) {
        kept = {revision, caption, digestOf(f.subjectMarks(tab)), {}, {}, {}};
        ++workedOut_;
    }
    return kept;
}

void SubjectDigests::keepLeftTab(int tab) {
    const FrmGradeHelp& f = program_.frmGradeHelp;
    SubjectDigest digest;
    digest.name = f.cmdTab[static_cast<std::size_t>(tab)].caption;
    digest.gradeSys = f.gradeSys;
    digest.hasMarks = f.cmdReset.visible;
    digest.percent = withoutPercent(f.lblShit.caption);
    digest.overall = numberValue(digest.percent);
    digest.weighting = withoutPercent(f.lblWeightingTot.caption);
    digest.totals = f.planTotals();
    kept_[tab] = {revisionOf(tab), digest.name, std::move(digest), {}, {}, {}};
}

const SubjectDigest& SubjectDigests::of(int tab) {
    return keptFor(tab).digest;
}

const std::vector<ChartPoint>& SubjectDigests::progress(int tab) {
    Kept& kept = keptFor(tab);
    if (!kept.progress) {
        kept.progress = progressOf(program_.frmGradeHelp.subjectMarks(tab).marks);
        ++workedOut_;
    }
    return *kept.progress;
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
