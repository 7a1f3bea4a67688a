// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/look.h"

#include "gui/control_widgets.h"
#include "gui/twips.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <algorithm>

namespace tallisto::gui {

namespace {

// Space a push button needs beside its text for its frame.
constexpr int buttonFrame = 4;

void addCaptions(std::vector<CaptionBox>& boxes, const std::vector<Control*>& controls) {
    for (const Control* c : controls) {
        const bool label = c->kind == ControlKind::Label;
        const bool button = c->kind == ControlKind::Button || c->kind == ControlKind::OptionButton;
        if ((!label && !button) || c->caption.empty()) continue;
        CaptionBox box{qText(c->caption), pixelRect(*c).size(), label, false};
        box.bold = c->name == "lblScore" || c->name == "lblTER";
        boxes.push_back(box);
    }
}

} // namespace

std::vector<CaptionBox> captionBoxes(Program& program) {
    std::vector<CaptionBox> boxes;
    FrmGradeHelp& form = program.frmGradeHelp;
    addCaptions(boxes, form.allControls());
    addCaptions(boxes, program.frmTER.allControls());
    const QSize gradeRange = pixelRect(form.lblGradePer).size();
    boxes.push_back({QStringLiteral("(>50% <65%)"), gradeRange, true, false});
    boxes.push_back({QStringLiteral("Counting 32767 what-if marks"),
                     pixelRect(form.lblWhatIf).size(), true, false});
    const QSize tab = pixelRect(form.cmdTab[0]).size();
    boxes.push_back({QStringLiteral("Tab 43"), tab, false, false});
    const QSize systemName = pixelRect(form.lblGradeSys).size();
    for (const Control& item : form.menGradesys)
        if (item.visible)
            boxes.push_back({QStringLiteral("Using %1 grading.").arg(qText(item.caption)),
                             systemName, true, false});
    return boxes;
}

bool captionFits(const QFont& font, const CaptionBox& caption) {
    QFont shown = font;
    if (caption.bold) shown.setBold(true);
    const QFontMetrics metrics(shown);
    if (!caption.wraps) {
        return metrics.horizontalAdvance(caption.text) + buttonFrame <= caption.box.width() &&
               metrics.height() <= caption.box.height();
    }
    const QRect needed = metrics.boundingRect(QRect(0, 0, caption.box.width(), 100000),
                                              Qt::TextWordWrap, caption.text);
    return needed.width() <= caption.box.width() && needed.height() <= caption.box.height();
}

QFont chooseFont(const QFont& base, const std::vector<CaptionBox>& captions) {
    // The caption that did not fit the last candidate is tried first: a candidate too large is
    // then mostly turned down by one measurement instead of many.
    std::vector<const CaptionBox*> order;
    for (const CaptionBox& caption : captions)
        order.push_back(&caption);
    QFont font = base;
    for (double size : {9.0, 8.5, 8.0, 7.5, 7.0}) {
        for (int stretch : {int(QFont::Unstretched), int(QFont::SemiCondensed)}) {
            font.setPointSizeF(size);
            font.setStretch(stretch);
            const auto misfit = std::find_if(order.begin(), order.end(), [&](const CaptionBox* c) {
                return !captionFits(font, *c);
            });
            if (misfit == order.end()) return font;
            std::rotate(order.begin(), misfit, misfit + 1);
        }
    }
    return font;
}

void applyProgramLook(QApplication& app, Program& program) {
    const QFont base = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    app.setFont(chooseFont(base, captionBoxes(program)));
}

} // namespace tallisto::gui
