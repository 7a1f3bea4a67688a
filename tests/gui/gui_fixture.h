// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A started program in a folder of its own, its main window shown, input boxes answered from a
// script. Any other dialog, even a real modal one (rejected at once), is recorded as unexpected.
#include "app/program.h"
#include "gui/look.h"
#include "gui/main_window.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <deque>
#include <memory>
#include <string>

namespace tallisto::gui::testing {

class ScriptedDialogs : public Dialogs {
public:
    std::deque<std::string> typed; // the answers to the next input boxes, in order
    QStringList shown;             // "TITLE: PROMPT" of each input box
    QStringList unexpected;

    InputAnswer inputBox(const std::string& prompt, const std::string& title,
                         const std::string&) override {
        shown << QString::fromStdString(title + ": " + prompt);
        if (typed.empty()) {
            unexpected << shown.last();
            return {true, {}};
        }
        const std::string text = typed.front();
        typed.pop_front();
        return {false, text};
    }
    Answer messageBox(const std::string& prompt, Buttons, const std::string& title) override {
        unexpected << QString::fromStdString(title + ": " + prompt);
        return Answer::Cancel;
    }
    FileChoice fileDialog(FileDialogKind, const std::string& title, const std::string&) override {
        unexpected << QString::fromStdString("file dialog " + title);
        return {true, {}, {}};
    }
    bool showInEditor(const std::string& path) override {
        unexpected << QString::fromStdString("editor " + path);
        return true;
    }
};

struct GuiProgram {
    // settings: the content of settings.ini at start, none when empty.
    explicit GuiProgram(const QByteArray& settings = {}) {
        QObject::connect(&watchdog, &QTimer::timeout, [this] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                dialogs.unexpected << "modal window " + dialog->windowTitle();
                dialog->reject();
            }
        });
        watchdog.start(200);
        QFile::copy(TALLISTO_DATA_DIR "/graderanges.txt", dir.filePath("graderanges.txt"));
        if (QFile file(dir.filePath("settings.ini"));
            !settings.isEmpty() && file.open(QIODevice::WriteOnly))
            file.write(settings);
        program = std::make_unique<Program>(dialogs, PlatformFacts{dir.path().toStdString()});
        program->start();
        applyProgramLook(*qApp, *program);
        window = std::make_unique<MainWindow>(*program);
        window->show();
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window.get())) qWarning("the window is not active");
    }

    FrmGradeHelp& form() { return program->frmGradeHelp; }
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
    void enterMark(const std::string& score, const std::string& outOf, const std::string& weight) {
        dialogs.typed.insert(dialogs.typed.end(), {score, outOf, weight});
        QTest::mouseClick(find("cmdEasyWork"), Qt::LeftButton);
    }

    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    std::unique_ptr<Program> program;
    std::unique_ptr<MainWindow> window; // goes before the program it shows
    QTimer watchdog; // rejects any real modal dialog, so that it cannot hang a test
};

} // namespace tallisto::gui::testing
