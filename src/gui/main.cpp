// Tallisto: the desktop program.
#include "gui/look.h"
#include "gui/main_window.h"
#include "gui/qt_dialogs.h"

#include <QApplication>
#include <QFileInfo>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    tallisto::gui::applyProgramLook(app);

    tallisto::PlatformFacts facts;
    facts.programDir = QCoreApplication::applicationDirPath().toStdString();
    facts.exeName =
        QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName().toStdString();
    facts.version = tallisto::buildVersion();

    tallisto::gui::QtDialogs dialogs;
    tallisto::Program program(dialogs, facts);
    if (!program.start()) return 0;

    tallisto::gui::MainWindow window(program);
    dialogs.setParentWindow(&window);
    dialogs.setBeforeDialog([&window] { window.events().syncWindows(); });
    window.show();
    return app.exec();
}
