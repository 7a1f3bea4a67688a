// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The guide window, frmGuide: the user's guide, the README's "Using Tallisto", which the build
// puts into the program as it stands there, so that the two can never tell different stories.
#include "gui/core_events.h"

#include <QWidget>

class QTextBrowser;

namespace tallisto::gui {

class GuideWindow : public QWidget {
    Q_OBJECT
public:
    explicit GuideWindow(CoreEvents& events);

    void sync();
    QTextBrowser& text() { return *text_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    CoreEvents& events_;
    FrmGuide& form_;
    std::function<void(EventArgs)> queryUnload_; // the close box
    QTextBrowser* text_;
    int timesAsked_ = 0; // how often the user had asked for the window at the last sync
};

} // namespace tallisto::gui
