// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A started program in a folder of its own, its main window shown, dialogs answered from a
// script. Any other dialog, even a real modal one (rejected at once), is listed as unexpected.
#include "gui/look.h"
#include "gui/main_window.h"
#include "support/test_program.h"

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>

namespace tallisto::gui::testing {

using namespace tallisto::testing;

struct GuiProgram : TestProgram {
    // settings: the content of settings.ini at start, none when empty.
    explicit GuiProgram(const std::string& settings = "") {
        dialogs.failUnexpected = false; // the test checks dialogs.unexpected itself
        QObject::connect(&watchdog, &QTimer::timeout, [this] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                dialogs.unexpected.push_back("modal window " + dialog->windowTitle().toStdString());
                dialog->reject();
            }
        });
        watchdog.start(200);
        if (!settings.empty()) write("settings.ini", settings);
        start();
        applyProgramLook(*qApp, *program, dir.path() / "cache" / "font-choice");
        window = std::make_unique<MainWindow>(*program);
        window->show();
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window.get())) qWarning("the window is not active");
    }

    template <typename T = QWidget> T* find(const QString& name) const {
        return window->findChild<T*>(name);
    }
    // Clicks at a widget's centre through the window, so that what lies on top gets the click.
    void clickAt(QWidget* widget, Qt::MouseButton button = Qt::LeftButton, bool twice = false) {
        const QPoint centre = widget->mapTo(window.get(), widget->rect().center());
        if (twice)
            QTest::mouseDClick(window->windowHandle(), button, {}, centre);
        else
            QTest::mouseClick(window->windowHandle(), button, {}, centre);
    }
    // Enters a mark through the window's big button, not through the core as TestProgram does.
    void enterMark(const std::string& score, const std::string& outOf, const std::string& weight) {
        typeMark(score, outOf, weight);
        QTest::mouseClick(find("cmdEasyWork"), Qt::LeftButton);
    }

    std::unique_ptr<MainWindow> window; // goes before the program it shows
    QTimer watchdog; // rejects any real modal dialog, so that it cannot hang a test
};

} // namespace tallisto::gui::testing
