// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The kind of a mark: one the student received, or a what-if mark tried out before it exists.
namespace tallisto {

enum class MarkKind { Real, WhatIf };

} // namespace tallisto
