// The tab strip: keys on the big button, middle and double clicks on a tab, the scroll bar.
#include "gui/twips.h"
#include "gui_fixture.h"

#include <QApplication>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QWindow>

namespace tallisto::gui::testing {

class TabStripTest : public QObject {
    Q_OBJECT
private slots:
    void init() { gui = std::make_unique<GuiProgram>(); }
    void cleanup() {
        checkNothingUnexpected(*gui);
        gui.reset();
    }

    void tabKeyOnTheBigButtonMovesToTheNextTab();
    void middleClickDeletesTheTabUnderTheMouse();
    void doubleClickRenamesTheTab();
    void scrollBarSlidesTheStrip();

private:
    QPushButton* tab(int index) const {
        return gui->find<QPushButton>(qPrintable(QStringLiteral("cmdTab(%1)").arg(index)));
    }
    // Adds tabs with the New Tab button; true when each new tab has its button.
    bool addTabs(int count) {
        const int before = gui->form().tabCount;
        for (int i = 0; i < count; ++i)
            QTest::mouseClick(gui->find<QPushButton>("cmdNewTab"), Qt::LeftButton);
        for (int i = before; i < before + count; ++i)
            if (!tab(i) || tab(i)->isHidden()) return false;
        return gui->form().tabCount == before + count;
    }
    std::unique_ptr<GuiProgram> gui;
};

void TabStripTest::tabKeyOnTheBigButtonMovesToTheNextTab() {
    QVERIFY(addTabs(1));
    QWidget* easyWork = gui->find<QWidget>("cmdEasyWork");
    QCOMPARE(QApplication::focusWidget(), easyWork);

    QTest::keyClick(easyWork, Qt::Key_Tab);
    QCOMPARE(gui->form().currentTab, 1);
    QVERIFY(tab(1)->isChecked());
    QVERIFY(!tab(0)->isChecked());
    QCOMPARE(QApplication::focusWidget(), easyWork); // the key did not move the focus

    // Shift+Tab moves on the same way and wraps to the first tab.
    QTest::keyClick(easyWork, Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(gui->form().currentTab, 0);
    QVERIFY(tab(0)->isChecked());
    QCOMPARE(QApplication::focusWidget(), easyWork);
}

void TabStripTest::middleClickDeletesTheTabUnderTheMouse() {
    QVERIFY(addTabs(2));
    QTest::mouseClick(tab(1), Qt::MiddleButton);
    QVERIFY(tab(1)->isHidden());
    QCOMPARE(gui->form().tabCount, 2);
    // The user stays on the tab that was current; the tab after the gap slides left.
    QCOMPARE(gui->form().currentTab, 0);
    QVERIFY(tab(0)->isChecked());
    QCOMPARE(tab(2)->x(), toPixels(gui->form().cmdTab[0].width));

    // A left or right click deletes nothing.
    QTest::mouseClick(tab(2), Qt::RightButton);
    QCOMPARE(gui->form().tabCount, 2);
}

void TabStripTest::doubleClickRenamesTheTab() {
    QVERIFY(addTabs(1));
    gui->dialogs.type("R&D [*]"); // shown as typed, not as an accelerator or a placeholder
    const QPoint centre = tab(1)->mapTo(gui->window.get(), tab(1)->rect().center());
    QTest::mouseDClick(gui->window->windowHandle(), Qt::LeftButton, {}, centre);
    QCOMPARE(gui->dialogs.shown.value(0),
             QStringLiteral("inputbox Tallisto: Enter the new name of Tab 2"));
    QCOMPARE(gui->form().cmdTab[1].caption, std::string("R&D [*]"));
    QCOMPARE(tab(1)->text(), QStringLiteral("R&&D [*]"));
    QCOMPARE(gui->form().currentTab, 1);
    QVERIFY(tab(1)->isChecked());
    QVERIFY(!tab(1)->isDown());

    gui->enterMark("8", "10", "50");
    QCOMPARE(gui->window->windowHandle()->title(),
             QStringLiteral("* Unsaved - 80% in R&D [*] - Tallisto"));
}

void TabStripTest::scrollBarSlidesTheStrip() {
    auto* bar = gui->find<QScrollBar>("HBar");
    QVERIFY(bar->isHidden());
    QVERIFY(addTabs(7)); // eight tabs are wider than the strip
    QVERIFY(!bar->isHidden());
    QVERIFY(!gui->find<QWidget>("Line4")->isHidden());
    QCOMPARE(bar->value(), 0);

    // Moving the box to the right slides the strip to the left.
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    const Control& hbar = gui->form().HBar;
    QVERIFY(hbar.value < 0);
    QCOMPARE(hbar.value, -bar->value());
    QCOMPARE(gui->find<QWidget>("picInner")->x(), toPixels(hbar.value));
    bar->triggerAction(QAbstractSlider::SliderToMaximum);
    QCOMPARE(hbar.value, hbar.max);
    QCOMPARE(QApplication::focusWidget(), gui->find<QWidget>("cmdEasyWork"));
}

} // namespace tallisto::gui::testing

int runTabStripTests(int argc, char** argv) {
    tallisto::gui::testing::TabStripTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tab_strip_test.moc"
