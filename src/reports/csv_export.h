// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The marks of every subject as CSV, for any spreadsheet: one row per mark, in tab and entry
// order, after a header row. Text is UTF-8, lines end in CR LF, and fields are quoted as
// RFC 4180 asks.
#include "marks/tab_marks.h"

#include <string>
#include <string_view>
#include <vector>

namespace tallisto {

// A field as it stands in a CSV line: in double quotes, each quote doubled, when it holds a
// comma, a quote, a carriage return or a line feed; otherwise as it is.
std::string csvField(std::string_view text);

// The header row and one row per mark of the subjects given:
// Subject,Mark,Score,Out of,Weighting,Score out of weighting,Kind
std::string marksCsv(const std::vector<SubjectMarks>& subjects);

} // namespace tallisto
