// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Widgets that report the mouse and key events the core has procedures for, and the copying of
// a control's state into its widget.
#include "app/control.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QString>
#include <QWidget>
#include <string>
#include <vector>

class QGroupBox;

namespace tallisto::gui {

inline QString qText(const std::string& text) {
    return QString::fromStdString(text);
}

// Captions are shown as typed: an "&" in a tab's name is a letter, not a keyboard accelerator.
QString literalCaption(const std::string& caption);

// A label that shows its caption as plain text, wrapped, from its top left corner.
QLabel* newPlainLabel(QWidget* container);

// A frame: a box with its caption in the top edge.
QGroupBox* newFrame(QWidget* container);

// The shift state as the core's key and mouse events take it: 1 Shift, 2 Ctrl, 4 Alt.
int shiftState(Qt::KeyboardModifiers modifiers);

// Place, visibility, enabled state and tool tip; each is set only when it differs, so that a
// window can be brought up to date after every event.
void syncCommon(QWidget* widget, const Control& control);
// The caption of a button, label or frame.
void syncCaption(QWidget* widget, const Control& control);

// A widget that shows one control of the core.
struct BoundWidget {
    QWidget* widget;
    Control* control;
};

// Stacks a window's widgets as the layout expects: labels and lines beneath the buttons and lists
// they touch, frames beneath everything laid over them.
void layBack(const std::vector<BoundWidget>& bound);

// The big entry button. It keeps Tab and Shift+Tab for the tab strip instead of moving the focus,
// and hands Escape to the core too.
class EasyWorkButton : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;
signals:
    void keyDown(int keyCode, int shift);

protected:
    bool event(QEvent* event) override;
    bool focusNextPrevChild(bool) override { return false; }
};

// One button of the tab strip.
class TabButton : public QPushButton {
    Q_OBJECT
public:
    TabButton(int index, QWidget* parent);
    int index() const { return index_; }
signals:
    void doubleClicked(int index);
    void mouseUp(int index, int button);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    int index_;
};

// picOuter and picInner: the empty part of the strip answers a double click.
class StripPanel : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
signals:
    void doubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

// A mark list; the core reads the chosen row when the mouse is released over it.
class MarkList : public QListWidget {
    Q_OBJECT
public:
    using QListWidget::QListWidget;
signals:
    void mouseUp();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace tallisto::gui
