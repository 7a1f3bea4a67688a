// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/look.h"

#include "gui/control_widgets.h"
#include "gui/font_memory.h"
#include "gui/twips.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <algorithm>
#include <iterator>
#include <optional>

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

namespace {

struct Candidate {
    double size;
    QFont::Stretch stretch;
};

// Largest first, each size before its condensed cut.
constexpr Candidate candidates[] = {{9.0, QFont::Unstretched}, {9.0, QFont::SemiCondensed},
                                    {8.5, QFont::Unstretched}, {8.5, QFont::SemiCondensed},
                                    {8.0, QFont::Unstretched}, {8.0, QFont::SemiCondensed},
                                    {7.5, QFont::Unstretched}, {7.5, QFont::SemiCondensed},
                                    {7.0, QFont::Unstretched}, {7.0, QFont::SemiCondensed}};
constexpr int candidateCount = int(std::size(candidates));

QFont candidateFont(const QFont& base, int index) {
    QFont font = base;
    font.setPointSizeF(candidates[index].size);
    font.setStretch(candidates[index].stretch);
    return font;
}

// The index of the first candidate at which every caption fits, the last when none does.
int chooseCandidate(const QFont& base, const std::vector<CaptionBox>& captions) {
    // The caption that did not fit the last candidate is tried first: a candidate too large is
    // then mostly turned down by one measurement instead of many.
    std::vector<const CaptionBox*> order;
    for (const CaptionBox& caption : captions)
        order.push_back(&caption);
    for (int index = 0; index < candidateCount - 1; ++index) {
        const QFont font = candidateFont(base, index);
        const auto misfit = std::find_if(order.begin(), order.end(), [&](const CaptionBox* c) {
            return !captionFits(font, *c);
        });
        if (misfit == order.end()) return index;
        std::rotate(order.begin(), misfit, misfit + 1);
    }
    return candidateCount - 1;
}

} // namespace

QFont chooseFont(const QFont& base, const std::vector<CaptionBox>& captions) {
    return candidateFont(base, chooseCandidate(base, captions));
}

QByteArray fontChoiceKey(const QFont& base, const std::vector<CaptionBox>& captions,
                         const QByteArray& systemState) {
    QByteArray key = "base " + base.toString().toUtf8() + ' ' + base.families().join(',').toUtf8() +
                     ' ' + QByteArray::number(int(base.hintingPreference())) + "\ncandidates";
    for (const Candidate& c : candidates)
        key += ' ' + QByteArray::number(c.size) + '/' + QByteArray::number(int(c.stretch));
    key += '\n';
    for (const CaptionBox& c : captions) {
        const QByteArray text = c.text.toUtf8();
        // Sized, so that no text can pass for another caption's end and the next one's start.
        key += QByteArray::number(text.size()) + ':' + text + ' ' +
               QByteArray::number(c.box.width()) + 'x' + QByteArray::number(c.box.height()) +
               (c.wraps ? " wraps" : "") + (c.bold ? " bold" : "") + '\n';
    }
    return key + systemState;
}

QFont rememberedFont(const QFont& base, const std::vector<CaptionBox>& captions,
                     const std::filesystem::path& memory) {
    const std::optional<QByteArray> system = memory.empty() ? std::nullopt : fontSystemState();
    if (!system) return chooseFont(base, captions);
    const QByteArray key = fontChoiceKey(base, captions, *system);
    const std::optional<int> recalled = recalledFontChoice(memory, key);
    if (recalled && *recalled >= 0 && *recalled < candidateCount)
        return candidateFont(base, *recalled);
    const int choice = chooseCandidate(base, captions);
    rememberFontChoice(memory, key, choice);
    return candidateFont(base, choice);
}

void applyProgramLook(QApplication& app, Program& program) {
    applyProgramLook(app, program, fontMemoryFile());
}

void applyProgramLook(QApplication& app, Program& program,
                      const std::filesystem::path& fontMemory) {
    const QFont base = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    app.setFont(rememberedFont(base, captionBoxes(program), fontMemory));
}

} // namespace tallisto::gui
