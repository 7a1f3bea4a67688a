// The score-out-of-20 window: its timer, its two heights, closing and reopening it.
#include "gui/main_window.h"
#include "gui/ter_window.h"
#include "gui_fixture.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace tallisto::gui::testing {

class TerWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init() { gui = std::make_unique<GuiProgram>(); }
    void cleanup() {
        checkNothingUnexpected(*gui);
        gui.reset();
    }

    void everyControlHasItsWidget();
    void timerShowsTheScoreOfTheCurrentPercentage();
    void extraInfoMakesTheWindowTall();

private:
    void openTer() {
        gui->find<QAction>("menGradesys(3)")->trigger(); // the system with a score out of 20
        gui->enterMark("8", "10", "50");
        // "/20" lies over the percentage label; the click reaches the button.
        gui->clickAt(gui->find<QPushButton>("cmdTER"));
    }
    QLabel* terLabel(const char* name) {
        return gui->window->terWindow().findChild<QLabel*>(QString::fromLatin1(name));
    }
    std::unique_ptr<GuiProgram> gui;
};

void TerWindowTest::everyControlHasItsWidget() {
    TerWindow& window = gui->window->terWindow();
    QCOMPARE(window.objectName(), QStringLiteral("frmTER"));
    for (Control* control : gui->ter().allControls()) {
        if (control->kind == ControlKind::Form) continue;
        const QString name = QString::fromStdString(control->qualifiedName());
        QVERIFY2(window.findChild<QObject*>(name), qPrintable(name));
    }
    QVERIFY(terLabel("lblScore")->font().bold());
    QVERIFY(terLabel("lblTER")->font().bold());
    QVERIFY(!terLabel("lblGrade")->font().bold());
    QVERIFY(window.isHidden());
}

void TerWindowTest::timerShowsTheScoreOfTheCurrentPercentage() {
    openTer();
    TerWindow& window = gui->window->terWindow();
    QVERIFY(window.isVisible());
    QVERIFY(window.timer().isActive());
    QCOMPARE(window.timer().interval(), 100);
    QTRY_COMPARE_WITH_TIMEOUT(terLabel("lblScore")->text(), QStringLiteral("16."), 2000);
    QCOMPARE(terLabel("lblGrade")->text(), QStringLiteral("B"));
    QCOMPARE(terLabel("lblGradePer")->text(), QStringLiteral("(>15 <18)"));
    // It stands under the main window, and goes back there when activated after the main
    // window has moved.
    MainWindow& main = *gui->window;
    QCOMPARE(window.frameGeometry().left(), main.frameGeometry().left());
    main.move(main.frameGeometry().topLeft() + QPoint(40, 30));
    QCOMPARE(gui->form().frmGradeHelp.left, main.frameGeometry().left() * 15);
    QCOMPARE(gui->form().frmGradeHelp.top, main.frameGeometry().top() * 15);
    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTRY_COMPARE_WITH_TIMEOUT(window.frameGeometry().left(), main.frameGeometry().left(), 2000);
    QCOMPARE(window.frameGeometry().top(),
             (gui->form().frmGradeHelp.top + gui->form().frmGradeHelp.height + 50 + 7) / 15);

    // The next mark reaches the window through the timer.
    gui->enterMark("10", "10", "50");
    QTRY_COMPARE_WITH_TIMEOUT(terLabel("lblScore")->text(), QStringLiteral("18."), 2000);

    // Closed from its title bar it is hidden, its timer runs on, and "/20" brings it back.
    window.close();
    QVERIFY(window.isHidden());
    QVERIFY(!gui->ter().frmTER.visible);
    QVERIFY(window.timer().isActive());
    gui->clickAt(gui->find<QPushButton>("cmdTER"));
    QVERIFY(window.isVisible());

    // Ok hides it and stops the timer.
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
    QVERIFY(window.isHidden());
    QVERIFY(!window.timer().isActive());
}

void TerWindowTest::extraInfoMakesTheWindowTall() {
    openTer();
    TerWindow& window = gui->window->terWindow();
    auto* more = window.findChild<QPushButton*>(QStringLiteral("cmdHide"));
    const int shortHeight = window.frameGeometry().height();
    QTest::mouseClick(more, Qt::LeftButton);
    QCOMPARE(more->text(), QStringLiteral("Hide Extra Info"));
    // 5070 and 1455 twips outside.
    QCOMPARE(window.frameGeometry().height() - shortHeight, (5070 - 1455) / 15);
    QVERIFY(window.findChild<QWidget*>(QStringLiteral("Frame1"))->geometry().bottom() <
            window.height());
    QTest::mouseClick(more, Qt::LeftButton);
    QCOMPARE(window.frameGeometry().height(), shortHeight);
    QCOMPARE(window.minimumSize(), window.maximumSize());
}

} // namespace tallisto::gui::testing

int runTerWindowTests(int argc, char** argv) {
    tallisto::gui::testing::TerWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ter_window_test.moc"
