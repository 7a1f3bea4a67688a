// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What any input must leave true of the main window.
#include "app/frm_grade_help.h"

namespace tallisto::fuzzing {

// The four mark lists are one table: they always hold the same number of entries.
inline bool markTableIsWhole(const FrmGradeHelp& f) {
    const std::size_t n = f.lstScore.list.size();
    return f.lstTotal.list.size() == n && f.lstWeighting.list.size() == n &&
           f.lstPercentage.list.size() == n;
}

} // namespace tallisto::fuzzing
