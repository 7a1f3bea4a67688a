// The Qt dialogs: what the program asks for is what the user sees and answers.
#include "gui/qt_dialogs.h"
#include "gui_fixture.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <functional>

namespace tallisto::gui::testing {

namespace {

// Waits for the next modal dialog, lets `answer` look at it and answer it. Whatever it leaves
// open is closed, so that a failed check cannot hang the test.
void whenShown(const std::function<void(QWidget*)>& answer) {
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, answer] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return;
        poll->stop();
        poll->deleteLater();
        answer(modal);
        if (QApplication::activeModalWidget() == modal) modal->close();
    });
    poll->start(10);
}

} // namespace

class QtDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void nameFiltersKeepOrAddThePattern_data();
    void nameFiltersKeepOrAddThePattern();
    void messageBoxShowsExactlyTheButtonsAndNoIcon();
    void inputBoxReturnsTheTextOrCancel();
    void fileDialogTakesANameThatDoesNotExist();
    void everyDialogBringsTheWindowsUpToDateFirst();
};

void QtDialogsTest::nameFiltersKeepOrAddThePattern_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("pattern named") << "Text File (*.txt)|*.txt" << QStringList{"Text File (*.txt)"};
    QTest::newRow("pattern added")
        << "Tallisto Files|*.tly" << QStringList{"Tallisto Files (*.tly)"};
    QTest::newRow("two pairs") << "Tallisto File (*.tly)|*.tly|All Files|*.*"
                               << QStringList{"Tallisto File (*.tly)", "All Files (*.*)"};
    QTest::newRow("several patterns") << "Text|*.txt;*.log" << QStringList{"Text (*.txt *.log)"};
    QTest::newRow("description without pattern")
        << "Text|*.txt|Lonely" << QStringList{"Text (*.txt)"};
}

void QtDialogsTest::nameFiltersKeepOrAddThePattern() {
    QFETCH(QString, filter);
    QFETCH(QStringList, expected);
    QCOMPARE(nameFilters(filter.toStdString()), expected);
}

void QtDialogsTest::messageBoxShowsExactlyTheButtonsAndNoIcon() {
    struct Case {
        Buttons buttons;
        QMessageBox::StandardButtons shown;
        QMessageBox::StandardButton clicked; // NoButton: closed from the title bar
        Answer answer;
    };
    const Case cases[] = {
        {Buttons::OK, QMessageBox::Ok, QMessageBox::Ok, Answer::OK},
        {Buttons::OKCancel, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel,
         Answer::Cancel},
        {Buttons::YesNo, QMessageBox::Yes | QMessageBox::No, QMessageBox::No, Answer::No},
        {Buttons::YesNoCancel, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
         QMessageBox::Yes, Answer::Yes},
        {Buttons::YesNoCancel, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
         QMessageBox::NoButton, Answer::Cancel},
    };
    QtDialogs dialogs;
    for (const Case& c : cases) {
        bool seen = false;
        whenShown([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box);
            seen = true;
            QCOMPARE(box->icon(), QMessageBox::NoIcon);
            QCOMPARE(box->standardButtons(), c.shown);
            QCOMPARE(box->windowTitle(), QStringLiteral("Save Changes?"));
            // A name in angle brackets is text, and Windows line ends are plain line ends.
            QCOMPARE(box->textFormat(), Qt::PlainText);
            QCOMPARE(box->text(), QStringLiteral("Save Changes made to: <Unsaved>?\nReally?"));
            if (c.clicked == QMessageBox::NoButton)
                box->close();
            else
                box->button(c.clicked)->click();
        });
        const Answer answer = dialogs.messageBox("Save Changes made to: <Unsaved>?\r\nReally?",
                                                 c.buttons, "Save Changes?");
        QVERIFY(seen);
        QCOMPARE(int(answer), int(c.answer));
    }
}

void QtDialogsTest::inputBoxReturnsTheTextOrCancel() {
    QtDialogs dialogs;
    whenShown([](QWidget* modal) {
        auto* input = qobject_cast<QInputDialog*>(modal);
        QVERIFY(input);
        QCOMPARE(input->windowTitle(), QStringLiteral("Tallisto"));
        // What the user reads is the prompt as given, not markup.
        QTextDocument shown;
        shown.setHtml(input->labelText());
        QCOMPARE(shown.toPlainText(), QStringLiteral("Enter the new name of <b>"));
        QCOMPARE(input->textValue(), QString());
        input->setTextValue(QStringLiteral("Maths"));
        input->accept();
    });
    InputAnswer typed = dialogs.inputBox("Enter the new name of <b>", "Tallisto");
    QVERIFY(!typed.cancelled);
    QCOMPARE(typed.text, std::string("Maths"));

    whenShown([](QWidget* modal) {
        auto* input = qobject_cast<QInputDialog*>(modal);
        QVERIFY(input);
        input->setTextValue(QStringLiteral("ignored"));
        input->reject();
    });
    InputAnswer cancelled = dialogs.inputBox("What was your score?", "Enter Your Score...");
    QVERIFY(cancelled.cancelled);
    QCOMPARE(cancelled.text, std::string());
}

void QtDialogsTest::fileDialogTakesANameThatDoesNotExist() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("marks"));
    QtDialogs dialogs;
    whenShown([&](QWidget* modal) {
        auto* files = qobject_cast<QFileDialog*>(modal);
        QVERIFY(files);
        QCOMPARE(files->windowTitle(), QStringLiteral("Open file..."));
        QCOMPARE(files->acceptMode(), QFileDialog::AcceptOpen);
        QCOMPARE(files->fileMode(), QFileDialog::AnyFile);
        QVERIFY(files->testOption(QFileDialog::DontConfirmOverwrite));
        QCOMPARE(files->defaultSuffix(), QString());
        QCOMPARE(files->nameFilters(), (QStringList{"Tallisto File (*.tly)", "All Files (*.*)"}));
        QCOMPARE(files->selectedNameFilter(), QStringLiteral("Tallisto File (*.tly)"));
        // Typed as the user types it: the folder view fills in the background, so selecting
        // through it would race with that.
        auto* name = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        QVERIFY(name);
        name->setText(path);
        static_cast<QDialog*>(files)->accept();
    });
    FileChoice choice = dialogs.fileDialog(FileDialogKind::Open, "Open file...",
                                           "Tallisto File (*.tly)|*.tly|All Files|*.*");
    QVERIFY(!choice.cancelled);
    QCOMPARE(QString::fromStdString(choice.fileName), path); // no extension added
    QCOMPARE(choice.fileTitle, std::string("marks"));

    // A save dialog without a title keeps the platform's; Cancel is reported.
    whenShown([](QWidget* modal) {
        auto* files = qobject_cast<QFileDialog*>(modal);
        QVERIFY(files);
        QCOMPARE(files->acceptMode(), QFileDialog::AcceptSave);
        QVERIFY(!files->windowTitle().isEmpty());
        files->reject();
    });
    QVERIFY(dialogs.fileDialog(FileDialogKind::Save, "", "Text File (*.txt)|*.txt").cancelled);
}

void QtDialogsTest::everyDialogBringsTheWindowsUpToDateFirst() {
    QtDialogs dialogs;
    QStringList order;
    dialogs.setBeforeDialog([&] { order << QStringLiteral("sync"); });
    whenShown([&](QWidget* modal) {
        order << QStringLiteral("shown");
        modal->close();
    });
    dialogs.messageBox("Weighting must not be > 100%", Buttons::OK, "Tallisto");
    QCOMPARE(order, (QStringList{"sync", "shown"}));
}

} // namespace tallisto::gui::testing

int runQtDialogsTests(int argc, char** argv) {
    tallisto::gui::testing::QtDialogsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "qt_dialogs_test.moc"
