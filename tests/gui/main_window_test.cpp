// The main window: its controls, a mark entered through it, its shortcuts, the cost of a sync.
#include "gui/look.h"
#include "gui/ter_window.h"
#include "gui/twips.h"
#include "gui_fixture.h"

#include <QAction>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <algorithm>

namespace tallisto::gui::testing {

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init() { gui = std::make_unique<GuiProgram>(); }
    void cleanup() {
        checkNothingUnexpected(*gui);
        gui.reset();
    }

    void everyControlHasItsWidgetInItsPlace();
    void everyCaptionFitsItsBox();
    void enteringAMarkShowsItInTheWindow();
    void shortcutsOfDisabledOrHiddenItemsDoNothing();
    void aMarkChosenInAListIsDeletedWithTheDelKey();
    void closingAsksAboutUnsavedWorkAndCanBeCancelled();
    void theWindowOpensWhereItWasOrOnAScreen();
    void syncAfterAnEventIsCheap();

private:
    std::unique_ptr<GuiProgram> gui;
};

void MainWindowTest::everyControlHasItsWidgetInItsPlace() {
    MainWindow& window = *gui->window;
    QCOMPARE(window.objectName(), QStringLiteral("frmGradeHelp"));
    QCOMPARE(window.centralWidget()->size(), QSize(401, 336));
    QCOMPARE(window.minimumSize(), window.maximumSize());
    for (Control* control : gui->form().allControls()) {
        if (control->kind == ControlKind::Form) continue;
        const QString name = QString::fromStdString(control->qualifiedName());
        QObject* shown = window.findChild<QObject*>(name);
        QVERIFY2(shown, qPrintable("no widget for " + name));
        if (auto* action = qobject_cast<QAction*>(shown)) {
            QCOMPARE(action->isEnabled(), control->enabled);
            QCOMPARE(action->isVisible(), control->visible);
            continue;
        }
        if (auto* menu = qobject_cast<QMenu*>(shown)) {
            QCOMPARE(menu->menuAction()->isVisible(), control->visible);
            continue;
        }
        auto* widget = qobject_cast<QWidget*>(shown);
        QVERIFY2(widget, qPrintable(name));
        QCOMPARE(widget->geometry(), placeOf(*control));
        QCOMPARE(!widget->isHidden(), control->visible);
    }
    // Items that the program enables later are greyed at start; hidden buttons are hidden.
    QVERIFY(!gui->find<QAction>("menDelSelRes")->isEnabled());
    QVERIFY(!gui->find<QAction>("mensave")->isEnabled());
    QVERIFY(gui->find<QPushButton>("cmdReset")->isHidden());
    QVERIFY(gui->find<QPushButton>("cmdTab(0)")->isChecked());
    QCOMPARE(window.windowTitle(), QStringLiteral("Unsaved - Tallisto"));
    QCOMPARE(gui->find<QAction>("menGradesys(1)")->text(), QStringLiteral("A* to U"));
}

void MainWindowTest::everyCaptionFitsItsBox() {
    std::vector<QWidget*> widgets;
    for (QWidget* w : gui->window->findChildren<QWidget*>())
        widgets.push_back(w);
    for (QWidget* w : gui->window->terWindow().findChildren<QWidget*>())
        widgets.push_back(w);
    int measured = 0;
    for (QWidget* widget : widgets) {
        QString text;
        bool wraps = false;
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            text = label->text();
            wraps = true;
        } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
            text = button->text();
        }
        if (text.isEmpty()) continue;
        ++measured;
        const CaptionBox caption{text, widget->size(), wraps, false};
        QVERIFY2(captionFits(widget->font(), caption),
                 qPrintable(widget->objectName() + " clips \"" + text + "\""));
    }
    QVERIFY(measured >= 20);
    // The texts that labels take at run time fit as well.
    for (const CaptionBox& caption : captionBoxes(*gui->program))
        QVERIFY2(captionFits(QApplication::font(), caption), qPrintable(caption.text));
}

void MainWindowTest::enteringAMarkShowsItInTheWindow() {
    gui->enterMark("8", "10", "50");
    QCOMPARE(gui->dialogs.shown.size(), 3);
    const std::pair<const char*, const char*> rows[] = {
        {"lstScore", "8"}, {"lstTotal", "10"}, {"lstWeighting", "50"}, {"lstPercentage", "40"}};
    for (const auto& [list, entry] : rows) {
        auto* widget = gui->find<QListWidget>(list);
        QCOMPARE(widget->count(), 1);
        QCOMPARE(widget->item(0)->text(), QString::fromLatin1(entry));
    }
    QCOMPARE(gui->find<QLabel>("lblShit")->text(), QStringLiteral("80%"));
    QCOMPARE(gui->find<QLabel>("lblWeightingTot")->text(), QStringLiteral("50%"));
    QCOMPARE(gui->window->windowTitle(), QStringLiteral("* Unsaved - 80% in Tab 1 - Tallisto"));
    QVERIFY(!gui->find<QPushButton>("cmdReset")->isHidden());
    QVERIFY(gui->find<QAction>("mensave")->isEnabled());
    // The big button keeps the keyboard after the questions.
    QCOMPARE(QApplication::focusWidget(), gui->find<QWidget>("cmdEasyWork"));

    // A second mark only adds rows; the first stays as it was.
    gui->enterMark("3", "4", "25");
    QCOMPARE(gui->find<QListWidget>("lstPercentage")->count(), 2);
    QCOMPARE(gui->find<QListWidget>("lstScore")->item(0)->text(), QStringLiteral("8"));
    QCOMPARE(gui->find<QListWidget>("lstScore")->item(1)->text(), QStringLiteral("3"));
}

void MainWindowTest::shortcutsOfDisabledOrHiddenItemsDoNothing() {
    FrmGradeHelp& form = gui->form();
    form.menGradesys[2].enabled = false;
    form.menGradesys[3].visible = false;
    gui->window->sync();
    QWidget* keys = gui->find<QWidget>("cmdEasyWork");

    QTest::keyClick(keys, Qt::Key_F3, Qt::ControlModifier);
    QTest::keyClick(keys, Qt::Key_F4, Qt::ControlModifier);
    QCOMPARE(form.gradeSys, 0);
    QVERIFY(gui->find<QAction>("menGradesys(0)")->isChecked());

    QTest::keyClick(keys, Qt::Key_F2, Qt::ControlModifier);
    QCOMPARE(form.gradeSys, 1);
    QVERIFY(gui->find<QAction>("menGradesys(1)")->isChecked());
    QVERIFY(!gui->find<QAction>("menGradesys(0)")->isChecked());

    form.menGradesys[2].enabled = true;
    gui->window->sync();
    QTest::keyClick(keys, Qt::Key_F3, Qt::ControlModifier);
    QCOMPARE(form.gradeSys, 2);
}

void MainWindowTest::aMarkChosenInAListIsDeletedWithTheDelKey() {
    gui->enterMark("8", "10", "50");
    gui->enterMark("3", "4", "25");
    auto* percentages = gui->find<QListWidget>("lstPercentage");
    QVERIFY(!gui->find<QAction>("menDelSelRes")->isEnabled());
    QTest::mouseClick(percentages->viewport(), Qt::LeftButton, {},
                      percentages->visualItemRect(percentages->item(1)).center());
    QCOMPARE(gui->form().lstPercentage.listIndex, 1);
    QCOMPARE(percentages->currentRow(), 1);
    QCOMPARE(gui->find<QListWidget>("lstScore")->currentRow(), -1); // each list its own row
    QVERIFY(gui->find<QAction>("menDelSelRes")->isEnabled());
    // The list took no focus: the key reaches the window's shortcut.
    QCOMPARE(QApplication::focusWidget(), gui->find<QWidget>("cmdEasyWork"));

    QTest::keyClick(gui->find<QWidget>("cmdEasyWork"), Qt::Key_Delete);
    QCOMPARE(percentages->count(), 1);
    QCOMPARE(gui->find<QListWidget>("lstScore")->item(0)->text(), QStringLiteral("8"));
    QCOMPARE(gui->find<QLabel>("lblShit")->text(), QStringLiteral("80%"));
}

void MainWindowTest::closingAsksAboutUnsavedWorkAndCanBeCancelled() {
    gui->enterMark("8", "10", "50");
    MainWindow& window = *gui->window;
    const QString question =
        QStringLiteral("msgbox Save Changes?: Save Changes made to: <Unsaved>?");

    // The close box asks; Cancel keeps the window and the marks.
    gui->dialogs.press(Answer::Cancel);
    QVERIFY(!window.close());
    QVERIFY(window.isVisible());
    QCOMPARE(gui->dialogs.shown.last(), question);
    QVERIFY(!gui->program->ended());

    // Escape on the big button asks the same; No ends the program and closes both windows.
    gui->find<QAction>("menGradesys(3)")->trigger(); // the system with a score out of 20
    gui->find<QPushButton>("cmdTER")->click();
    QVERIFY(window.terWindow().isVisible());
    gui->dialogs.press(Answer::No);
    QTest::keyClick(gui->find<QWidget>("cmdEasyWork"), Qt::Key_Escape);
    QCOMPARE(gui->dialogs.shown.last(), question);
    QVERIFY(gui->program->ended());
    QVERIFY(!window.isVisible());
    QVERIFY(!window.terWindow().isVisible());
    QVERIFY(QFile::exists(gui->dir.filePath(QStringLiteral("settings.ini"))));
}

void MainWindowTest::theWindowOpensWhereItWasOrOnAScreen() {
    gui.reset();
    gui = std::make_unique<GuiProgram>("[Settings]\r\nLeft=1500\r\nTop=2250\r\n");
    QCOMPARE(gui->window->frameGeometry().topLeft(), QPoint(100, 150));
    QCOMPARE(gui->form().frmGradeHelp.left, 1500);
    QCOMPARE(gui->form().frmGradeHelp.width, gui->window->frameGeometry().width() * 15);
    QCOMPARE(gui->form().frmGradeHelp.height, gui->window->frameGeometry().height() * 15);

    // A place on a screen that is no longer there would leave the window out of reach.
    gui.reset();
    gui = std::make_unique<GuiProgram>("[Settings]\r\nLeft=900000\r\nTop=-900000\r\n");
    const QRect frame = gui->window->frameGeometry();
    QVERIFY(gui->window->screen()->availableGeometry().contains(frame.topLeft()));
    QCOMPARE(gui->form().frmGradeHelp.left, frame.left() * 15);
    QCOMPARE(gui->form().frmGradeHelp.top, frame.top() * 15);
}

namespace {

double medianMilliseconds(const std::function<void()>& work, int runs) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer clock;
        clock.start();
        work();
        times.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

void MainWindowTest::syncAfterAnEventIsCheap() {
    // The largest window there can be: 43 tabs and lists of a thousand marks.
    FrmGradeHelp& form = gui->form();
    for (int i = 1; i < 43; ++i) {
        Control tab = form.cmdTab[0];
        tab.index = i;
        tab.left = i * tab.width;
        tab.checked = false;
        tab.caption = "Tab " + std::to_string(i + 1);
        form.cmdTab.push_back(tab);
    }
    for (Control* list : {&form.lstScore, &form.lstTotal, &form.lstWeighting, &form.lstPercentage})
        for (int i = 0; i < 1000; ++i)
            list->list.push_back(std::to_string(i % 97) + ".25");
    MainWindow& window = *gui->window;
    const double first = medianMilliseconds([&] { window.sync(); }, 1);
    const double unchanged = medianMilliseconds([&] { window.sync(); }, 51);
    int n = 0;
    const double oneMore = medianMilliseconds(
        [&] {
            for (Control* list :
                 {&form.lstScore, &form.lstTotal, &form.lstWeighting, &form.lstPercentage})
                list->list.push_back(std::to_string(++n));
            window.sync();
        },
        51);
    qInfo("sync of 43 tabs and 4 lists of 1000 entries: first %.2f ms, unchanged %.3f ms, "
          "one mark more %.3f ms (medians)",
          first, unchanged, oneMore);
    QCOMPARE(gui->find<QListWidget>("lstScore")->count(), 1051);
    QVERIFY(gui->find<QPushButton>("cmdTab(42)"));
    QVERIFY2(unchanged < 5 && oneMore < 5, "a sync after an event takes too long");
}

} // namespace tallisto::gui::testing

int runMainWindowTests(int argc, char** argv) {
    tallisto::gui::testing::MainWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "main_window_test.moc"
