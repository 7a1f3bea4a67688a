// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/control_widgets.h"

#include "gui/twips.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

namespace tallisto::gui {

QString literalCaption(const std::string& caption) {
    QString text = qText(caption);
    text.replace(QLatin1Char('&'), QLatin1String("&&"));
    return text;
}

QLabel* newPlainLabel(QWidget* container) {
    auto* label = new QLabel(container);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

namespace {

// A frame drawn by hand: a rounded line with the caption in its top edge, so that the controls
// placed inside clear the caption as they were laid out to. A style sheet would draw the same,
// but it puts the frame and every control inside it through Qt's style sheet machinery: some
// 3 M instructions at start-up and 1 MB of memory for the window's three frames.
class EdgeFrame : public QGroupBox {
public:
    using QGroupBox::QGroupBox;

protected:
    void paintEvent(QPaintEvent*) override {
        // The gap in the line for the caption: from 6 pixels in, 4 before the caption, 2 after.
        constexpr int gapLeft = 6, before = 4, after = 2;
        const QFontMetrics metrics = fontMetrics();
        // The line runs at 0.6 of a line of text from the top, through the caption.
        const int edge = qRound(0.6 * metrics.height());
        const QString caption = title();
        const int captionWidth = metrics.size(Qt::TextShowMnemonic, caption).width();
        const QRect gap(gapLeft, 0, before + captionWidth + after, metrics.height());

        QPainter painter(this);
        QRegion lineArea(rect());
        if (!caption.isEmpty()) lineArea -= gap;
        painter.setClipRegion(lineArea);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(palette().color(QPalette::Mid), 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRectF(rect().adjusted(0, edge, -1, -1)).translated(0.5, 0.5), 3,
                                3);
        painter.setClipping(false);
        painter.setRenderHint(QPainter::Antialiasing, false);
        style()->drawItemText(&painter, gap.adjusted(before, 0, -after, 0),
                              Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, palette(),
                              isEnabled(), caption, QPalette::WindowText);
    }
};

} // namespace

QGroupBox* newFrame(QWidget* container) {
    return new EdgeFrame(container);
}

int shiftState(Qt::KeyboardModifiers modifiers) {
    int shift = 0;
    if (modifiers & Qt::ShiftModifier) shift |= 1;
    if (modifiers & Qt::ControlModifier) shift |= 2;
    if (modifiers & Qt::AltModifier) shift |= 4;
    return shift;
}

void syncCommon(QWidget* widget, const Control& control) {
    const QRect place = placeOf(control);
    if (widget->geometry() != place) widget->setGeometry(place);
    // A widget not yet shown or hidden by hand would follow its parent; say which it is.
    if (!widget->testAttribute(Qt::WA_WState_ExplicitShowHide) ||
        widget->isHidden() == control.visible)
        widget->setVisible(control.visible);
    if (widget->testAttribute(Qt::WA_Disabled) == control.enabled)
        widget->setEnabled(control.enabled);
    const QString tip = qText(control.toolTipText);
    if (widget->toolTip() != tip) widget->setToolTip(tip);
}

void syncCaption(QWidget* widget, const Control& control) {
    if (auto* button = qobject_cast<QPushButton*>(widget)) {
        const QString text = literalCaption(control.caption);
        if (button->text() != text) button->setText(text);
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        const QString text = qText(control.caption);
        if (label->text() != text) label->setText(text);
    } else if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
        const QString text = literalCaption(control.caption);
        if (frame->title() != text) frame->setTitle(text);
    }
}

// The platform the layout was made for draws labels and lines beneath the windowed controls: the
// "/20" button lies over the lower half of the percentage label and must still take the clicks.
void layBack(const std::vector<BoundWidget>& bound) {
    for (const BoundWidget& b : bound)
        if (b.control->kind == ControlKind::Label || b.control->kind == ControlKind::Line)
            b.widget->lower();
    for (const BoundWidget& b : bound)
        if (b.control->kind == ControlKind::Frame) b.widget->lower();
}

bool EasyWorkButton::event(QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            emit keyDown(9, shiftState(key->modifiers()));
            return true;
        case Qt::Key_Escape:
            emit keyDown(27, shiftState(key->modifiers()));
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            // A focused push button is pressed by Enter as well as by Space.
            if (!key->isAutoRepeat()) animateClick();
            return true;
        default:
            break;
        }
    }
    return QPushButton::event(event);
}

TabButton::TabButton(int index, QWidget* parent) : QPushButton(parent), index_(index) {
    setCheckable(true);
    setFocusPolicy(Qt::NoFocus);
}

namespace {
int buttonNumber(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton:
        return 1;
    case Qt::RightButton:
        return 2;
    case Qt::MiddleButton:
        return 4;
    default:
        return 0;
    }
}
} // namespace

void TabButton::mousePressEvent(QMouseEvent* event) {
    // The right and middle buttons are taken here so that their release comes back to this tab.
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    QPushButton::mousePressEvent(event);
}

void TabButton::mouseReleaseEvent(QMouseEvent* event) {
    const int button = buttonNumber(event->button());
    if (event->button() == Qt::LeftButton)
        QPushButton::mouseReleaseEvent(event);
    else
        event->accept();
    if (button != 0) emit mouseUp(index_, button);
}

void TabButton::mouseDoubleClickEvent(QMouseEvent* event) {
    // The first click of the pair has already chosen the tab; the second press is let go here,
    // so that its release is not another click.
    if (event->button() == Qt::LeftButton) {
        event->accept();
        setDown(false);
        emit doubleClicked(index_);
        return;
    }
    QPushButton::mouseDoubleClickEvent(event);
}

void StripPanel::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        event->accept();
        emit doubleClicked();
        return;
    }
    QWidget::mouseDoubleClickEvent(event);
}

void MarkList::mouseReleaseEvent(QMouseEvent* event) {
    QListWidget::mouseReleaseEvent(event);
    emit mouseUp();
}

} // namespace tallisto::gui
