// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <optional>

namespace tallisto {

// Rounds to 2 decimal places, exact halves to the even digit. The halves are those of the
// number's shortest decimal form, the digits a student typed or reads: 33.335 -> 33.34,
// 33.345 -> 33.34, 2.675 -> 2.68, although none of these is exact as a binary double.
double roundTo2Places(double value);

// Rounds value to the nearest multiple of 1/parts, halves of the scaled value to even.
// Callers pass a finite value and a positive number of parts.
double RoundToParts(double value, double parts);

// The value as a 16-bit integer, rounded half to even as the platform's integer conversion does;
// nothing when it lies outside -32768..32767 or is not finite.
std::optional<std::int16_t> toInt16(double value);

} // namespace tallisto
