// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The dialogs the core asks for, shown with Qt.
#include "app/services.h"

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>

namespace tallisto::gui {

class QtDialogs : public Dialogs {
public:
    // The window the dialogs belong to (centred over it, modal to the program).
    void setParentWindow(QWidget* window) { parent_ = window; }
    // Runs before any dialog is shown, so that the windows show the state the question is about.
    void setBeforeDialog(std::function<void()> hook) { beforeDialog_ = std::move(hook); }

    Answer messageBox(const std::string& prompt, Buttons buttons,
                      const std::string& title) override;
    InputAnswer inputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText) override;
    FileChoice fileDialog(FileDialogKind kind, const std::string& title,
                          const std::string& filter) override;
    bool showInEditor(const std::string& path) override;

private:
    void prepare();
    QPointer<QWidget> parent_;
    std::function<void()> beforeDialog_;
};

// "Text File (*.txt)|*.txt|All|*.*" as Qt's name filters:
// {"Text File (*.txt)", "All (*.*)"}. Several patterns "*.a;*.b" become "*.a *.b".
QStringList nameFilters(const std::string& filter);

// Prompt text as the dialogs show it: Windows line ends become plain line ends.
QString promptText(const std::string& prompt);

} // namespace tallisto::gui
