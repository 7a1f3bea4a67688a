// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The marks of a tab as rows, each with its kind, and the totals the window works out from them.
// The overview, the chart and the CSV export all read the marks of every tab from here.
#include "shared/decimal_sum.h"

#include <optional>
#include <string>
#include <vector>

namespace tallisto {

enum class MarkKind { Real, WhatIf };

// One mark as its tab keeps it: the numbers as the tab store writes them (general number
// format, the weighting in percent).
struct MarkRow {
    std::string score, outOf, weighting;
    MarkKind kind = MarkKind::Real;
    bool operator==(const MarkRow&) const = default;
};

// A shown tab as switching to it would show it: its name, its marks in entry order, and the
// number of its grading system; none for a tab that takes the system in use when chosen.
struct SubjectMarks {
    int tab = 0;
    std::string name;
    std::vector<MarkRow> marks;
    std::optional<int> gradeSys;
};

// The tab's totals as the window works them out, mark after mark in entry order.
class MarkTotals {
public:
    // Counts one more mark; returns what "Score (Out of Weighting)" lists for it.
    std::string add(const MarkRow& mark);
    // Counts one more mark, for totals alone: its listed text costs more than counting it.
    void count(const MarkRow& mark) { scoreOf(mark); }

    // The overall percentage that the totals show: 2 places, not yet rounded for the grade. A
    // mark out of 0 leaves it as the mark before left it.
    double overall() const;
    // The weighting entered, in percent, as the totals show it.
    DecimalSum weightingEntered() const { return weighting_.timesPowerOfTen(2); }
    const DecimalSum& weightedScore() const { return weightedScore_; }
    const DecimalSum& weighting() const { return weighting_; } // as fractions, 1 = 100 %

private:
    // Counts the mark; its score out of its weighting, unrounded, or none for a mark out of 0.
    std::optional<double> scoreOf(const MarkRow& mark);
    DecimalSum weighting_, weightedScore_;
    // The weighting as the last mark with a score counted left it: the overall is worked out
    // only when asked for, which the export of every mark never does.
    DecimalSum scoredWeighting_;
    bool scored_ = false;
};

} // namespace tallisto
