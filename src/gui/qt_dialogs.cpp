// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/qt_dialogs.h"

#include <QDesktopServices>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>

namespace tallisto::gui {

QString promptText(const std::string& prompt) {
    QString text = QString::fromStdString(prompt);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QStringList nameFilters(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        QString patterns = parts[i + 1].trimmed();
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        patterns = patterns.simplified();
        // Descriptions usually name their pattern already: "Text File (*.txt)".
        if (description.endsWith(QLatin1Char('(') + parts[i + 1].trimmed() + QLatin1Char(')')) ||
            description.endsWith(QLatin1Char('(') + patterns + QLatin1Char(')')))
            filters << description;
        else
            filters << description + QLatin1String(" (") + patterns + QLatin1Char(')');
    }
    return filters;
}

void QtDialogs::prepare() {
    if (beforeDialog_) beforeDialog_();
}

namespace {

QMessageBox::StandardButtons standardButtons(Buttons buttons) {
    switch (buttons) {
    case Buttons::OKCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case Buttons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Buttons::OK:
        break;
    }
    return QMessageBox::Ok;
}

// The box closed without a button (Escape or the title bar): the answer that backs out.
Answer backingOut(Buttons buttons) {
    switch (buttons) {
    case Buttons::OKCancel:
    case Buttons::YesNoCancel:
        return Answer::Cancel;
    case Buttons::YesNo:
        return Answer::No;
    case Buttons::OK:
        break;
    }
    return Answer::OK;
}

} // namespace

Answer QtDialogs::messageBox(const std::string& prompt, Buttons buttons, const std::string& title) {
    prepare();
    QMessageBox box(parent_);
    box.setIcon(QMessageBox::NoIcon);
    box.setWindowTitle(QString::fromStdString(title));
    // Prompts quote file and tab names ("<Unsaved>"): never read as markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(promptText(prompt));
    box.setStandardButtons(standardButtons(buttons));
    // The first button is the default, as in the Windows version.
    box.setDefaultButton(buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel
                             ? QMessageBox::Yes
                             : QMessageBox::Ok);
    box.exec();
    switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Ok:
        return Answer::OK;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return backingOut(buttons);
    }
}

InputAnswer QtDialogs::inputBox(const std::string& prompt, const std::string& title,
                                const std::string& defaultText) {
    prepare();
    QInputDialog dialog(parent_);
    dialog.setWindowTitle(QString::fromStdString(title));
    dialog.setInputMode(QInputDialog::TextInput);
    // The label reads rich text when it looks like markup; a tab's name may look like that.
    dialog.setLabelText(Qt::convertFromPlainText(promptText(prompt), Qt::WhiteSpaceNormal));
    dialog.setTextValue(QString::fromStdString(defaultText));
    if (auto* edit = dialog.findChild<QLineEdit*>()) {
        // Typing replaces the default; the arrow keys keep it for a change.
        edit->selectAll();
        // A frame elides a title it cannot hold: the box is made wide enough for the title
        // beside the frame's icon and buttons. The box's layout sets its width from its fields.
        QFont titleFont = dialog.font();
        titleFont.setBold(true);
        constexpr int frameButtons = 140;
        edit->setMinimumWidth(QFontMetrics(titleFont).horizontalAdvance(dialog.windowTitle()) +
                              frameButtons);
    }
    InputAnswer answer;
    if (dialog.exec() != QDialog::Accepted) {
        answer.cancelled = true;
        return answer;
    }
    answer.text = dialog.textValue().toStdString();
    return answer;
}

FileChoice QtDialogs::fileDialog(FileDialogKind kind, const std::string& title,
                                 const std::string& filter) {
    prepare();
    QFileDialog dialog(parent_);
    if (!title.empty()) dialog.setWindowTitle(QString::fromStdString(title));
    // The program asks about existing files itself and uses a name exactly as typed.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(kind == FileDialogKind::Save ? QFileDialog::AcceptSave
                                                      : QFileDialog::AcceptOpen);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setDefaultSuffix(QString());
    const QStringList filters = nameFilters(filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        dialog.selectNameFilter(filters.first());
    }
    FileChoice choice;
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        choice.cancelled = true;
        return choice;
    }
    const QString path = dialog.selectedFiles().first();
    choice.fileName = path.toStdString();
    choice.fileTitle = QFileInfo(path).fileName().toStdString();
    return choice;
}

namespace {

// How long xdg-open has to report failure. Where it runs the editor itself it is still running
// then, and the editor is up: a failure (no program for the file) comes back well before.
constexpr int openerVerdictMs = 2000;

// Runs xdg-open on the file and waits, repainting but taking no input, for its verdict. It is
// left running when the time is up, and outlives the program: no pipe ties it to this process.
bool openWith(const QString& opener, const QString& file) {
    auto* process = new QProcess;
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->setStandardInputFile(QProcess::nullDevice());
    QEventLoop loop;
    bool opened = true; // still running at the deadline: the editor is showing the file
    QObject::connect(process, &QProcess::finished, &loop, [&](int code, QProcess::ExitStatus how) {
        opened = how == QProcess::NormalExit && code == 0;
        loop.quit();
    });
    QObject::connect(process, &QProcess::errorOccurred, &loop, [&](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart) return;
        opened = false;
        loop.quit();
    });
    QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    QTimer::singleShot(openerVerdictMs, &loop, &QEventLoop::quit);
    process->start(opener, {file});
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (process->state() == QProcess::NotRunning) process->deleteLater();
    return opened;
}

} // namespace

bool QtDialogs::showInEditor(const std::string& path) {
    prepare();
    // The desktop's own handler for the file, with no shell between. Where that is xdg-open, its
    // exit status tells whether any program could show the file.
    const QString file = QString::fromStdString(path);
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty()) return QDesktopServices::openUrl(QUrl::fromLocalFile(file));
    return openWith(opener, file);
}

} // namespace tallisto::gui
