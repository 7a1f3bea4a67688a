// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A small graderanges.txt for tests that need to know every bound.
#include "support/test_program.h"

namespace tallisto::testing {

inline std::string sampleRanges() {
    return crlf({
        "[Gradesys0]",     "name=Simple",     "active=1",         "OutOf20=0",
        "range0=50",       "range1=65",       "range2=80",        "rangename0=E",
        "rangename1=D",    "rangename2=C",    "rangename3=B",     "[Gradesys1]",
        "name=Twenty",     "active=1",        "OutOf20=1",        "range0=50.0",
        "rangename0=Fail", "rangename1=Pass", "[Gradesys2]",      "name=Off",
        "active=0",        "range0=10",       "rangename0=X",     "rangename1=Y",
        "[Gradesys3]",     "name=Three",      "active=1.0",       "range0=40",
        "rangename0=Low",  "rangename1=High", "[Div20GradeSys0]", "range0=10",
        "range1=15",       "rangename0=N",    "rangename1=P",     "rangename2=H",
    });
}

} // namespace tallisto::testing
