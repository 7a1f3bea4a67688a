#include "gui_fixture.h"

#include "gui/look.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QPushButton>
#include <QTest>

namespace tallisto::gui::testing {

bool ScriptedDialogs::take(Kind wanted, const QString& what, Scripted& answer) {
    shown << what;
    // An input box takes typed text or a cancel; a message box takes a button.
    const bool fits =
        !answers_.empty() && (wanted == Kind::Press ? answers_.front().kind == Kind::Press
                                                    : answers_.front().kind != Kind::Press);
    if (!fits) {
        unexpected << what;
        return false;
    }
    answer = answers_.front();
    answers_.pop_front();
    return true;
}

Answer ScriptedDialogs::messageBox(const std::string& prompt, Buttons, const std::string& title) {
    Scripted answer;
    if (!take(Kind::Press, QString::fromStdString("msgbox " + title + ": " + prompt), answer))
        return Answer::Cancel;
    return answer.button;
}

InputAnswer ScriptedDialogs::inputBox(const std::string& prompt, const std::string& title) {
    Scripted answer;
    if (!take(Kind::Type, QString::fromStdString("inputbox " + title + ": " + prompt), answer) ||
        answer.kind == Kind::Cancel)
        return {true, {}};
    return {false, answer.text};
}

FileChoice ScriptedDialogs::fileDialog(FileDialogKind, const std::string& title,
                                       const std::string& filter) {
    unexpected << QString::fromStdString("filedialog " + title + ": " + filter);
    return {true, {}, {}};
}

void ScriptedDialogs::showInEditor(const std::string& path) {
    shown << QString::fromStdString("editor " + path);
}

ModalWatchdog::ModalWatchdog() {
    connect(&timer_, &QTimer::timeout, this, [this] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return;
        caught << modal->windowTitle();
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
    });
    timer_.start(200);
}

GuiProgram::GuiProgram(const QByteArray& settings) {
    const QString ranges = dir.filePath(QStringLiteral("graderanges.txt"));
    QFile::copy(QStringLiteral(TALLISTO_DATA_DIR "/graderanges.txt"), ranges);
    if (!settings.isEmpty()) {
        QFile file(dir.filePath(QStringLiteral("settings.ini")));
        if (file.open(QIODevice::WriteOnly)) file.write(settings);
    }
    PlatformFacts facts;
    facts.programDir = dir.path().toStdString();
    facts.version = buildVersion();
    program = std::make_unique<Program>(dialogs, facts);
    program->start();
    applyProgramLook(*qApp, *program);
    window = std::make_unique<MainWindow>(*program);
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window.get()))
        qWarning("the main window did not become active");
}

GuiProgram::~GuiProgram() {
    window.reset();
    program.reset();
}

void GuiProgram::clickAt(QWidget* widget, Qt::MouseButton button) {
    const QPoint centre = widget->mapTo(window.get(), widget->rect().center());
    QTest::mouseClick(window->windowHandle(), button, {}, centre);
}

void GuiProgram::enterMark(const std::string& score, const std::string& outOf,
                           const std::string& weighting) {
    dialogs.type(score);
    dialogs.type(outOf);
    dialogs.type(weighting);
    QTest::mouseClick(find<QPushButton>("cmdEasyWork"), Qt::LeftButton);
}

} // namespace tallisto::gui::testing
