// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's look: one font at which every caption fits the windows' fixed layout.
#include "app/program.h"

#include <QByteArray>
#include <QFont>
#include <QSize>
#include <QString>
#include <filesystem>
#include <vector>

class QApplication;

namespace tallisto::gui {

// A caption and the box it must fit into, in pixels. Labels wrap at word boundaries.
struct CaptionBox {
    QString text;
    QSize box;
    bool wraps = false;
    bool bold = false;
};

// The captions of both windows as the core has them now, with the longest texts that the labels
// filled at run time are given (a grade range, the name of each grading system).
std::vector<CaptionBox> captionBoxes(Program& program);

bool captionFits(const QFont& font, const CaptionBox& caption);

// The platform's own sans font at the largest size, and failing that in its condensed cut, at
// which every caption fits; the smallest candidate when none does.
QFont chooseFont(const QFont& base, const std::vector<CaptionBox>& captions);

// What the choice for these captions depends on: them, the base font and the system's state.
QByteArray fontChoiceKey(const QFont& base, const std::vector<CaptionBox>& captions,
                         const QByteArray& systemState);

// The same choice, taken from memory when the file holds one made under the same key, and
// otherwise measured and kept there for the next start.
QFont rememberedFont(const QFont& base, const std::vector<CaptionBox>& captions,
                     const std::filesystem::path& memory);

// The program's font, remembered in fontMemory (in the user's cache folder by default).
void applyProgramLook(QApplication& app, Program& program);
void applyProgramLook(QApplication& app, Program& program, const std::filesystem::path& fontMemory);

} // namespace tallisto::gui
