// SPDX-License-Identifier: GPL-3.0-or-later
// Tallisto: the desktop program.
#include "app/command_line.h"
#include "gui/look.h"
#include "gui/main_window.h"
#include "gui/qt_dialogs.h"
#include "shared/program_directory.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

std::vector<std::string> argumentsOf(int argc, char** argv) {
    return {argv + std::min(argc, 1), argv + argc};
}

std::string calledAs(char** argv) {
    return argv[0] ? std::filesystem::path(argv[0]).filename().string() : "tallisto";
}

// --help and --version print their text and end; anything else goes on to the program.
bool answeredOnTerminal(const tallisto::CommandLine& line, char** argv) {
    using Action = tallisto::CommandLine::Action;
    if (line.action == Action::Help) std::fputs(tallisto::helpText(calledAs(argv)).c_str(), stdout);
    if (line.action == Action::Version)
        std::fputs(tallisto::versionText(tallisto::buildVersion()).c_str(), stdout);
    return line.action == Action::Help || line.action == Action::Version;
}

tallisto::ProgramDirectoryPlaces placesOfThisProgram() {
    const std::filesystem::path exeDir =
        QCoreApplication::applicationDirPath().toLocal8Bit().toStdString();
    // Beside the program first, so that an installed tree still works after it is moved.
    const std::vector<std::filesystem::path> dataDirs = {
        (exeDir / TALLISTO_DATA_DIR_FROM_BIN).lexically_normal(), TALLISTO_DATA_DIR_INSTALLED};
    return {exeDir, dataDirs, tallisto::userConfigBaseFromEnvironment()};
}

// Beside the program (a build tree, an unpacked program), then where an install puts it, found
// from the program first for the same reason as its data.
QStringList chartFoldersOfThisProgram() {
    const QString exeDir = QCoreApplication::applicationDirPath();
    return {exeDir, QDir::cleanPath(exeDir + "/" TALLISTO_CHART_DIR_FROM_BIN),
            QStringLiteral(TALLISTO_CHART_DIR_INSTALLED)};
}

} // namespace

int main(int argc, char** argv) {
    // Before Qt, which needs a display: help and version must work on a bare terminal.
    if (answeredOnTerminal(tallisto::parseCommandLine(argumentsOf(argc, argv)), argv)) return 0;

    QApplication app(argc, argv); // takes its own options, such as -platform, out of argv
    const tallisto::CommandLine line = tallisto::parseCommandLine(argumentsOf(argc, argv));
    if (line.action == tallisto::CommandLine::Action::Error) {
        const std::string text = calledAs(argv) + ": " + line.error + "\nTry '" + calledAs(argv) +
                                 " --help' for more information.\n";
        std::fputs(text.c_str(), stderr);
        return 2;
    }

    const tallisto::ProgramDirectory dir = tallisto::findProgramDirectory(placesOfThisProgram());
    if (!dir.ok) {
        QMessageBox::critical(nullptr, "Tallisto", QString::fromStdString(dir.reason));
        return 1;
    }
    tallisto::PlatformFacts facts;
    facts.programDir = dir.path.string();
    facts.exeName =
        QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName().toStdString();
    facts.version = tallisto::buildVersion();

    tallisto::gui::QtDialogs dialogs;
    tallisto::Program program(dialogs, facts);
    if (!program.start()) return 0;
    tallisto::gui::applyProgramLook(app, program);

    tallisto::gui::MainWindow window(program);
    window.setChartFolders(chartFoldersOfThisProgram());
    dialogs.setParentWindow(&window);
    dialogs.setBeforeDialog([&window] { window.events().syncWindows(); });
    window.show();
    if (!line.file.empty()) {
        // Once the window is up, so that a message about the file has a window to belong to.
        QTimer::singleShot(0, &window, [&window, file = line.file] {
            window.events().run([&window, &file] { window.events().form().openFileAtStart(file); });
        });
    }
    return app.exec();
}
