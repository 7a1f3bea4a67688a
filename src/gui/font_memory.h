// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The font choice remembered between starts, in a small file of the user's cache folder, so that
// a start on an unchanged system loads one font instead of measuring every candidate.
#include <QByteArray>
#include <filesystem>
#include <optional>

namespace tallisto::gui {

// Everything outside the program's captions that decides how wide a text is drawn: Qt and the
// libraries loaded, the platform, the screen's resolution, the X resources that carry the font
// rendering settings, fontconfig's configuration files and font folders as fontconfig itself
// judges them changed, and the environment variables these read. Nothing when it cannot be
// known here: then no choice may be remembered.
std::optional<QByteArray> fontSystemState();

// The choice remembered under key, if the file holds one: a missing, damaged or foreign file
// gives nothing.
std::optional<int> recalledFontChoice(const std::filesystem::path& file, const QByteArray& key);

// Keeps the choice under key, the file written whole; a failure only means measuring next time.
void rememberFontChoice(const std::filesystem::path& file, const QByteArray& key, int choice);

// Where the choice is kept: the program's file in the user's cache folder, nothing without one.
std::filesystem::path fontMemoryFile();

} // namespace tallisto::gui
