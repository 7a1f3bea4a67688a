// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a save file may hold. Opening refuses more, so saving refuses to write more: a save that
// could not be opened again would only look like one.
#include <cstddef>

namespace tallisto {

// Four times the largest real work (43 tabs of 1000 marks take 2 MB), and small enough that the
// largest file that passes opens within a second or two: a larger file is refused unread.
inline constexpr std::size_t largestSaveFile = std::size_t{8} << 20;

// A save file stores a tab's number of marks as a 16-bit number.
inline constexpr std::size_t mostMarksInATab = 32767;

} // namespace tallisto
