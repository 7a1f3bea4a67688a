// SPDX-License-Identifier: GPL-3.0-or-later
// The windows driven as the user drives them, and the Qt dialogs as the user sees them.
#include "gui/chart_window.h"
#include "gui/font_memory.h"
#include "gui/guide_window.h"
#include "gui/look.h"
#include "gui/main_window.h"
#include "gui/overview_window.h"
#include "gui/plan_window.h"
#include "gui/qt_dialogs.h"
#include "gui/ter_window.h"
#include "gui/twips.h"
#include "support/test_program.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QChart>
#include <QCheckBox>
#include <QDialog>
#include <QFileDialog>
#include <QFontDatabase>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTimer>
#include <QWindow>
#include <QXYSeries>
#include <algorithm>
#include <functional>

namespace tallisto::gui::testing {

using namespace tallisto::testing;

// A started program in a folder of its own, its main window shown, dialogs answered from a
// script. Any other dialog, even a real modal one (rejected at once), is listed as unexpected.
struct GuiProgram : StartedProgram {
    // settings: the content of settings.ini at start, none when empty.
    explicit GuiProgram(const std::string& settings = "")
        : StartedProgram(shippedRanges(), settings) {
        dialogs.failUnexpected = false; // the test checks dialogs.unexpected itself
        QObject::connect(&watchdog, &QTimer::timeout, [this] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                dialogs.unexpected.push_back("modal window " + dialog->windowTitle().toStdString());
                dialog->reject();
            }
        });
        watchdog.start(200);
        applyProgramLook(*qApp, *program, dir.path() / "cache" / "font-choice");
        window = std::make_unique<MainWindow>(*program);
        window->show();
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window.get())) qWarning("the window is not active");
    }
    std::unique_ptr<MainWindow> window; // goes before the program it shows
    QTimer watchdog; // rejects any real modal dialog, so that it cannot hang a test
};

// A font's size and stretch: "9pt, stretch 100".
QString named(const QFont& font) {
    return QStringLiteral("%1pt, stretch %2").arg(font.pointSizeF()).arg(font.stretch());
}

// Waits for the next modal dialog and lets `answer` look at it and answer it. Whatever it leaves
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

// The event that the user's click on a widget or menu item raises, and how to click it; no
// trigger for anything else.
std::pair<std::string, std::function<void()>> clickOf(QObject* object) {
    // Qt's own parts, such as the menu bar's overflow button, carry names of their own.
    if (object->objectName().isEmpty() || object->objectName().startsWith("qt_")) return {};
    if (auto* action = qobject_cast<QAction*>(object)) {
        if (action->isSeparator()) return {};
        return {"Click", [action] { action->trigger(); }};
    }
    if (auto* button = qobject_cast<QAbstractButton*>(object))
        return {"Click", [button] { button->click(); }};
    if (auto* list = qobject_cast<MarkList*>(object))
        return {"MouseUp", [list] { QTest::mouseClick(list->viewport(), Qt::LeftButton); }};
    if (auto* strip = qobject_cast<StripPanel*>(object))
        return {"DblClick", [strip] { QTest::mouseDClick(strip, Qt::LeftButton); }};
    return {};
}

class WindowsTest : public QObject {
    Q_OBJECT
    std::unique_ptr<GuiProgram> gui;
    template <typename T = QWidget> T* find(const QString& name) const {
        return gui->window->findChild<T*>(name);
    }
    QWidget* easyWork() const { return find("cmdEasyWork"); }
    QPushButton* tab(int index) const {
        return find<QPushButton>(QStringLiteral("cmdTab(%1)").arg(index));
    }
    // A widget's centre in the window, where a click through the window reaches what lies on top.
    QPoint centreOf(QWidget* widget) const {
        return widget->mapTo(gui->window.get(), widget->rect().center());
    }
    // Enters a mark through the window's big button, not through the core as TestProgram does.
    void enterMark(const std::string& score, const std::string& outOf, const std::string& weight) {
        gui->typeMark(score, outOf, weight);
        QTest::mouseClick(easyWork(), Qt::LeftButton);
    }
    // The four mark lists row by row, "8 10 50 40"; an entry drawn in italics ends in "/", one in
    // the what-if colour in "!", one highlighted in "<".
    QStringList listed() const {
        QStringList rows;
        for (int row = 0; row < find<MarkList>("lstScore")->count(); ++row) {
            QStringList entries;
            for (const char* name : {"lstScore", "lstTotal", "lstWeighting", "lstPercentage"}) {
                const QListWidgetItem* item = find<MarkList>(name)->item(row);
                entries << (!item ? QStringLiteral("none")
                                  : item->text() + (item->font().italic() ? "/" : "") +
                                        (item->foreground().color() == whatIfColour() ? "!" : "") +
                                        (item->isSelected() ? "<" : ""));
            }
            rows << entries.join(' ');
        }
        return rows;
    }
    // Both windows with the prefix of their procedures and the controls the core has for them.
    std::vector<std::tuple<QWidget*, QString, std::vector<Control*>>> bothWindows() const {
        return {{gui->window.get(), "", gui->form().allControls()},
                {&gui->window->terWindow(), "frmTER.", gui->program->frmTER.allControls()}};
    }
    // Shows and enables a control and the menus that hold it; false for a widget that shows no
    // control, such as the window's own key that opens the menus.
    bool bringWithinReach(bool ter, const std::string& name, int index) {
        FrmGradeHelp& form = gui->form();
        Control* control =
            ter ? gui->program->frmTER.findControl(name) : form.findControl(name, index);
        if (!control) return false;
        gui->program->frmTER.frmTER.visible |= ter;
        for (Control* c = control; c && (c == control || c->kind == ControlKind::Menu);
             c = ter ? nullptr : form.findControl(c->container))
            c->visible = c->enabled = true;
        gui->window->events().syncWindows();
        return true;
    }

private slots:
    void init() { gui = std::make_unique<GuiProgram>(); }
    void cleanup() {
        for (const std::string& dialog : gui->dialogs.unexpected)
            QFAIL(("unexpected " + dialog).c_str());
        QCOMPARE(gui->dialogs.pending(), std::size_t(0));
        gui.reset();
    }
    // At start every control has its widget, placed and shown as the core has it; the other
    // windows cost nothing yet: they are built when they are first shown.
    void everyControlHasItsWidgetInItsPlace() {
        for (QWidget* window : QApplication::topLevelWidgets())
            QVERIFY2(!qobject_cast<TerWindow*>(window) && !qobject_cast<PlanWindow*>(window) &&
                         !qobject_cast<GuideWindow*>(window),
                     window->metaObject()->className());
        for (const auto& [window, prefix, controls] : bothWindows())
            for (Control* control : controls) {
                const QString name = QString::fromStdString(control->qualifiedName());
                QObject* shown = window->findChild<QObject*>(name);
                if (control->kind == ControlKind::Form || qobject_cast<QTimer*>(shown)) continue;
                QVERIFY2(shown, qPrintable("no widget for " + name));
                if (auto* menu = qobject_cast<QMenu*>(shown)) shown = menu->menuAction();
                if (auto* action = qobject_cast<QAction*>(shown)) {
                    QCOMPARE(action->isEnabled(), control->enabled);
                    QCOMPARE(action->isVisible(), control->visible);
                    continue;
                }
                auto* widget = qobject_cast<QWidget*>(shown);
                QVERIFY2(widget, qPrintable(name));
                QCOMPARE(widget->geometry(), placeOf(*control));
                QCOMPARE(!widget->isHidden(), control->visible);
            }
    }

    void everyCaptionFitsItsBox() {
        int measured = 0;
        for (QWidget* widget : gui->window->findChildren<QWidget*>() +
                                   gui->window->terWindow().findChildren<QWidget*>()) {
            auto* label = qobject_cast<QLabel*>(widget);
            auto* button = qobject_cast<QPushButton*>(widget);
            const QString text = label ? label->text() : button ? button->text() : QString();
            if (text.isEmpty()) continue;
            ++measured;
            QVERIFY2(captionFits(widget->font(), {text, widget->size(), label != nullptr}),
                     qPrintable(widget->objectName() + " clips \"" + text + "\""));
        }
        QVERIFY(measured >= 20);
        // The texts that labels take at run time fit as well.
        for (const CaptionBox& caption : captionBoxes(*gui->program))
            QVERIFY2(captionFits(QApplication::font(), caption), qPrintable(caption.text));
    }

    // The font is the first candidate, largest first, at which every caption fits, however
    // the captions that do not fit are spread over the candidates.
    void theFontIsTheLargestAtWhichEveryCaptionFits() {
        const QFont base = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
        const auto at = [&](double size, int stretch, bool bold = false) {
            QFont font = base;
            font.setPointSizeF(size);
            font.setStretch(stretch);
            font.setBold(bold);
            return font;
        };
        const auto firstFitting = [&](const std::vector<CaptionBox>& captions) {
            for (double size : {9.0, 8.5, 8.0, 7.5, 7.0})
                for (int stretch : {int(QFont::Unstretched), int(QFont::SemiCondensed)})
                    if (std::all_of(captions.begin(), captions.end(), [&](const CaptionBox& c) {
                            return captionFits(at(size, stretch), c);
                        }))
                        return at(size, stretch);
            return at(7.0, QFont::SemiCondensed);
        };
        const QString wide = QStringLiteral("Save Subject Report"), tall = QStringLiteral("Grade");
        // Just wide enough at that candidate, and one line high.
        const auto fitting = [&](const QString& text, double size, int stretch, bool bold = false) {
            const QFontMetrics metrics(at(size, stretch, bold));
            return CaptionBox{text, QSize(metrics.horizontalAdvance(text) + 4, metrics.height()),
                              false, bold};
        };
        const QSize oneLine = fitting(wide, 8.0, QFont::SemiCondensed).box;
        const QSize twoLines(oneLine.width(), 2 * oneLine.height());
        const std::pair<const char*, std::vector<CaptionBox>> cases[] = {
            {"all fit the largest", {{wide, QSize(1000, 100)}}},
            {"one caption decides", {fitting(wide, 8.0, QFont::Unstretched)}},
            {"each caption turns down other candidates",
             {fitting(wide, 8.5, QFont::Unstretched), fitting(tall, 7.5, QFont::Unstretched),
              fitting(wide, 8.0, QFont::SemiCondensed, true)}},
            {"a wrapped caption decides by its lines", {{wide + ' ' + wide, twoLines, true}}},
            {"none fits", {{wide, QSize(5, 5)}}},
            {"the program's own", captionBoxes(*gui->program)},
        };
        for (const auto& [name, captions] : cases)
            QCOMPARE(name + (": " + named(chooseFont(base, captions))),
                     name + (": " + named(firstFitting(captions))));
    }

    // A start takes the font from memory only when it was kept under the same captions, base
    // font and system; any other file, or none, means measuring as before, and keeping the result.
    void theFontChoiceIsRememberedUnderEverythingItDependsOn() {
        const QFont base = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
        const std::vector<CaptionBox> captions = captionBoxes(*gui->program);
        const std::optional<QByteArray> system = fontSystemState();
        QVERIFY(system);
        const QByteArray key = fontChoiceKey(base, captions, *system);
        const QString measured = named(chooseFont(base, captions));
        // A choice that measuring never gives here: seen only when the memory is believed.
        const bool largest = measured == "9pt, stretch 100";
        const int planted = largest ? 9 : 0;
        const QString plantedFont = largest ? "7pt, stretch 87" : "9pt, stretch 100";
        const std::filesystem::path memory = gui->dir.path() / "cache" / "font-choice";
        std::vector<CaptionBox> renamed = captions;
        renamed.back().text += 'X';
        const std::pair<const char*, std::function<void()>> cases[] = {
            {"nothing kept", [] {}},
            {"kept under the same key", [&] { rememberFontChoice(memory, key, planted); }},
            {"kept for a grading system renamed since",
             [&] { rememberFontChoice(memory, fontChoiceKey(base, renamed, *system), planted); }},
            {"kept under another system",
             [&] { rememberFontChoice(memory, fontChoiceKey(base, captions, "x"), planted); }},
            {"a choice out of range", [&] { rememberFontChoice(memory, key, 10); }},
            {"a file cut short",
             [&] {
                 rememberFontChoice(memory, key, planted);
                 std::filesystem::resize_file(memory, std::filesystem::file_size(memory) - 1);
             }},
            {"another program's file", [&] { putBytes(memory, "[Settings]\r\n"); }},
        };
        for (const auto& [name, prepare] : cases) {
            std::filesystem::remove_all(memory.parent_path());
            std::filesystem::create_directories(memory.parent_path());
            prepare();
            const bool believed = std::string_view(name) == "kept under the same key";
            QCOMPARE(name + (" " + named(rememberedFont(base, captions, memory))),
                     name + (" " + (believed ? plantedFont : measured)));
            QVERIFY2(recalledFontChoice(memory, key), name); // kept for the next start
        }
        // A cache folder that cannot be made: measured, and nothing else happens.
        putBytes(gui->dir.path() / "file", "");
        QCOMPARE(named(rememberedFont(base, captions, gui->dir.path() / "file" / "font-choice")),
                 measured);
    }

    // The key of a choice changes with every part of every caption, with the base font and with
    // what fontconfig and FreeType read: a user's fontconfig folder appearing, their variables.
    void theFontChoiceKeyChangesWithEverythingTheMeasurementReads() {
        const QFont base = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
        const std::vector<CaptionBox> captions = captionBoxes(*gui->program);
        const QByteArray key = fontChoiceKey(base, captions, "system");
        const auto changed = [&](const std::function<void(CaptionBox&)>& change) {
            std::vector<CaptionBox> other = captions;
            change(other[other.size() / 2]);
            return fontChoiceKey(base, other, "system");
        };
        QFont larger = base;
        larger.setPointSizeF(base.pointSizeF() + 1);
        const std::pair<const char*, QByteArray> cases[] = {
            {"text", changed([](CaptionBox& c) { c.text += ' '; })},
            {"width", changed([](CaptionBox& c) { c.box.rwidth() += 1; })},
            {"height", changed([](CaptionBox& c) { c.box.rheight() += 1; })},
            {"wrapping", changed([](CaptionBox& c) { c.wraps = !c.wraps; })},
            {"bold", changed([](CaptionBox& c) { c.bold = !c.bold; })},
            {"base font", fontChoiceKey(larger, captions, "system")},
            {"system", fontChoiceKey(base, captions, "system2")},
        };
        for (const auto& [name, other] : cases)
            QVERIFY2(other != key, name);

        const QByteArray configHome = qgetenv("XDG_CONFIG_HOME");
        const QByteArray freetype = qgetenv("FREETYPE_PROPERTIES");
        const std::filesystem::path config = gui->dir.path() / "config";
        qputenv("XDG_CONFIG_HOME", QByteArray(config.c_str()));
        const std::optional<QByteArray> before = fontSystemState();
        std::filesystem::create_directories(config / "fontconfig");
        const std::optional<QByteArray> withFolder = fontSystemState();
        qputenv("FREETYPE_PROPERTIES", "truetype:interpreter-version=35");
        const std::optional<QByteArray> withVariable = fontSystemState();
        for (const auto& [variable, value] :
             {std::pair{"XDG_CONFIG_HOME", configHome}, {"FREETYPE_PROPERTIES", freetype}})
            value.isNull() ? qunsetenv(variable) : qputenv(variable, value);
        QVERIFY(before && withFolder && withVariable);
        QVERIFY(*withFolder != *before);
        QVERIFY(*withVariable != *withFolder);
    }

    // Every button, tab, mark list, menu item and the tab strip of both windows runs the
    // procedure that the table of events names for it, with the element the user clicked.
    void everyControlTheUserCanClickRunsItsProcedure() {
        Program& program = *gui->program;
        program.frmGradeHelp.unsaved = true; // closing and resetting ask, and Cancel keeps all
        const Event& unrelated = *findProcedure("formnamerefresh");
        QStringList clicked;
        for (const auto& [window, prefix, controls] : bothWindows())
            for (QObject* object : window->findChildren<QObject*>()) {
                const auto [event, trigger] = clickOf(object);
                if (!trigger) continue;
                const QString name = object->objectName();
                const std::string control = name.section('(', 0, 0).toStdString();
                const int index = name.contains('(') ? name.section('(', 1).chopped(1).toInt() : -1;
                if (!bringWithinReach(!prefix.isEmpty(), control, index)) continue;
                program.run(unrelated, {});
                trigger();
                QCOMPARE(QString::fromStdString(program.lastEvent()->procedure),
                         prefix + (event == "DblClick" ? "picOuter" : control.c_str()) + "_" +
                             event.c_str());
                const EventArgs args = event == "MouseUp" ? EventArgs{-1}
                                       : index >= 0       ? EventArgs{index}
                                                          : EventArgs{};
                QCOMPARE(program.lastEventArgs(), args);
                gui->dialogs.unexpected.clear(); // what the procedures asked, answered Cancel
                clicked << prefix + name;
            }
        // Every button and menu item of both windows was found and clicked.
        for (const auto& [window, prefix, controls] : bothWindows())
            for (const Control* control : controls) {
                const QString name = prefix + QString::fromStdString(control->qualifiedName());
                if (control->kind == ControlKind::Button || control->kind == ControlKind::MenuItem)
                    QVERIFY2(clicked.contains(name), qPrintable(name));
            }
    }

    void shortcutsOfDisabledItemsDoNothing() {
        FrmGradeHelp& form = gui->form();
        for (bool enabled : {false, true}) {
            form.menGradesys[2].enabled = enabled;
            gui->window->sync();
            QTest::keyClick(easyWork(), Qt::Key_F3, Qt::ControlModifier);
            QCOMPARE(form.gradeSys, enabled ? 2 : 0);
            QCOMPARE(find<QAction>("menGradesys(2)")->isChecked(), enabled);
        }
    }

    void theTabStripAnswersKeysAndClicks() {
        for (int i = 0; i < 2; ++i)
            QTest::mouseClick(find("cmdNewTab"), Qt::LeftButton);
        // Tab on the big button reaches its key handler (the next tab) and leaves the focus.
        QTest::keyClick(easyWork(), Qt::Key_Tab);
        QVERIFY(tab(1)->isChecked());
        QCOMPARE(QApplication::focusWidget(), easyWork());
        // A double click renames; shown as typed, not as an accelerator or Qt's modified mark.
        gui->dialogs.type("R&D [*]");
        QTest::mouseDClick(gui->window->windowHandle(), Qt::LeftButton, {}, centreOf(tab(1)));
        QCOMPARE(QString::fromStdString(gui->dialogs.last()),
                 R"(inputbox "Tallisto" "Enter the new name of Tab 2")");
        QCOMPARE(tab(1)->text(), QStringLiteral("R&&D [*]"));
        enterMark("8", "10", "50");
        QCOMPARE(gui->window->windowHandle()->title(),
                 QStringLiteral("* Unsaved - 80% in R&D [*] - Tallisto"));
        // A middle click deletes; the current tab stays, and the tabs after the gap move left.
        QTest::mouseClick(tab(0), Qt::MiddleButton);
        QVERIFY(tab(0)->isHidden());
        QCOMPARE(gui->form().tabCount, 2);
        QVERIFY(tab(1)->isChecked());
        QCOMPARE(tab(2)->x(), toPixels(gui->form().cmdTab[1].width));
    }

    void theOutOf20WindowFollowsTheMarksThroughItsTimer() {
        find<QAction>("menGradesys(3)")->trigger(); // the system with a score out of 20
        enterMark("8", "10", "50");
        // Through the window: "/20" lies over the button and must let the click through.
        QTest::mouseClick(gui->window->windowHandle(), Qt::LeftButton, {},
                          centreOf(find("cmdTER")));
        TerWindow& ter = gui->window->terWindow();
        QVERIFY(ter.isVisible());
        auto* score = ter.findChild<QLabel*>(QStringLiteral("lblScore"));
        QTRY_COMPARE_WITH_TIMEOUT(score->text(), QStringLiteral("16."), 30000);
        enterMark("10", "10", "50");
        QTRY_COMPARE_WITH_TIMEOUT(score->text(), QStringLiteral("18."), 30000);
    }

    void thePlannerFollowsTheCurrentTabAndChangesNothing() {
        enterMark("8", "10", "50");
        const QString caption = gui->window->windowTitle();
        QTest::keyClick(easyWork(), Qt::Key_P, Qt::ControlModifier);
        PlanWindow& planner = gui->window->planWindow();
        QVERIFY(planner.isVisible());
        QCOMPARE(gui->window->windowTitle(), caption);
        QCOMPARE(QApplication::focusWidget(), easyWork()); // marks are entered on
        const auto shown = [&] {
            QStringList rows{planner.findChild<QLabel*>("heading")->text()};
            for (const char* name : {"grades", "grades20"}) {
                auto* table = planner.findChild<QTableWidget*>(name);
                for (int row = 0; table->isVisible() && row < table->rowCount(); ++row)
                    rows << table->item(row, 0)->text() + " " + table->item(row, 2)->text();
            }
            return rows;
        };
        // The heading, then the rows of the core's plan of the tab shown at that moment.
        const auto planned = [&](const QString& heading) {
            const Plan plan = gui->program->frmPlan.plan();
            QStringList rows{heading};
            for (const auto* grades : {&plan.grades, &plan.grades20})
                for (const PlannedGrade& g : *grades)
                    rows << QString::fromStdString(g.grade.name + " " + needText(g, plan.left));
            return rows;
        };
        QCOMPARE(shown(), planned("Tab 1, graded A to E"));
        enterMark("9", "10", "25");
        QCOMPARE(shown(), planned("Tab 1, graded A to E"));
        QTest::mouseClick(find("cmdNewTab"), Qt::LeftButton);
        QTest::mouseClick(tab(1), Qt::LeftButton);
        QCOMPARE(shown(), planned("Tab 2, graded A to E"));
        find<QAction>("menGradesys(3)")->trigger(); // with a score out of 20
        QCOMPARE(shown(), planned("Tab 2, graded SACE /20"));
        QVERIFY(planner.findChild<QTableWidget*>("grades20")->isVisible());
        planner.close();
        QVERIFY(!gui->program->frmPlan.frmPlan.visible);
    }

    void theOverviewFollowsTheTabsAndADoubleClickShowsASubject() {
        enterMark("8", "10", "50");
        QTest::mouseClick(find("cmdNewTab"), Qt::LeftButton);
        QTest::keyClick(easyWork(), Qt::Key_L, Qt::ControlModifier);
        OverviewWindow& overview = gui->window->overviewWindow();
        QVERIFY(overview.isVisible());
        QCOMPARE(QApplication::focusWidget(), easyWork()); // marks are entered on
        auto* table = overview.findChild<QTableWidget*>(QStringLiteral("grdOverview"));
        const auto shown = [&] {
            QStringList rows;
            for (int r = 0; r < table->rowCount(); ++r)
                rows << table->item(r, 0)->text() + " " + table->item(r, 1)->text() + " " +
                            table->item(r, 2)->text() +
                            (table->item(r, 0)->font().bold() ? "*" : "");
            return rows;
        };
        QCOMPARE(shown(), (QStringList{"Tab 1 80% B*", "Tab 2 0% ---"}));
        // Every row fits whole: nothing is cut off at the side or the bottom.
        QCOMPARE(table->horizontalScrollBar()->maximum(), 0);
        QCOMPARE(table->verticalScrollBar()->maximum(), 0);
        // Through the window, as the platform delivers a double click.
        const QPoint row2 =
            table->viewport()->mapTo(&overview, table->visualItemRect(table->item(1, 0)).center());
        QTest::mouseDClick(overview.windowHandle(), Qt::LeftButton, {}, row2);
        QVERIFY(tab(1)->isChecked());
        enterMark("1", "2", "10");
        QCOMPARE(shown(), (QStringList{"Tab 1 80% B", "Tab 2 50% D*"}));
        overview.close();
        QVERIFY(!gui->program->frmOverview.frmOverview.visible);
    }

    // Without a chart module that loads, the chart says what is missing and stays closed, and
    // nothing else changes. Once a module is found, the chart draws the core's lines, the one of
    // the subject shown thick, over the grade bands, and a what-if mark over its line as a mark of
    // its own kind.
    void theChartSaysWhatIsMissingOrDrawsTheCoresLines() {
        enterMark("8", "10", "50");
        enterMark("5", "10", "50");
        const TempDir folder;
        const QString path = QString::fromStdString(folder.path().string());
        const QString module = path + "/libtallisto_chart.so", title = gui->window->windowTitle();
        const QString said = "msgbox \"Tallisto\" \"Tallisto cannot show the chart: ";
        // The module's content in the folder (none when null), and the start of the message.
        const std::pair<const char*, QString> cases[] = {
            {nullptr, said +
                          "libtallisto_chart.so, which draws it, is in none of these "
                          "folders:\n\n" +
                          path + "\n\nInstalling Tallisto again puts it back.\" OK"},
            {"not a library", said + module + " could not be loaded.\n\n"}};
        for (const auto& [content, message] : cases) {
            std::filesystem::remove(module.toStdString());
            if (content) putBytes(module.toStdString(), content);
            gui->window->setChartFolders({path});
            gui->dialogs.press(Answer::OK);
            find<QAction>("menChart")->trigger();
            const QString shown = QString::fromStdString(gui->dialogs.last());
            QVERIFY2(shown.startsWith(message), qPrintable(shown));
            QVERIFY2(!gui->program->frmChart.frmChart.visible, qPrintable(shown));
            for (QWidget* window : QApplication::topLevelWidgets())
                QVERIFY2(!qobject_cast<ChartWindow*>(window), qPrintable(shown));
            QCOMPARE(gui->window->windowTitle(), title);
        }
        // The folder's broken copy is passed over for the next folder's.
        gui->window->setChartFolders({path, QCoreApplication::applicationDirPath()});
        QTest::mouseClick(find("cmdNewTab"), Qt::LeftButton);
        find<QAction>("menChart")->trigger();
        ChartWindow* built = gui->window->chartWindow();
        QVERIFY(built);
        ChartWindow& window = *built;
        QVERIFY(window.isVisible());
        // Each series as drawn, its name and points, and a line's width; then the bands counted.
        const auto drawn = [&] {
            QStringList series;
            int bands = 0;
            for (QAbstractSeries* s : window.chart()->series()) {
                bands += s->type() == QAbstractSeries::SeriesTypeArea;
                auto* xy = qobject_cast<QXYSeries*>(s);
                if (!xy) continue;
                QString text = s->name();
                for (const QPointF& p : xy->points())
                    text += QStringLiteral(" %1:%2").arg(p.x()).arg(p.y());
                if (s->type() == QAbstractSeries::SeriesTypeLine)
                    text += " w" + QString::number(xy->pen().widthF());
                series << text;
            }
            return series << QStringLiteral("%1 bands").arg(bands);
        };
        QCOMPARE(drawn(), (QStringList{"Tab 1 1:80 2:65 w3", "5 bands"}));
        window.findChild<QCheckBox*>(QStringLiteral("chkAllSubjects"))->click();
        QVERIFY(gui->program->frmChart.chkAllSubjects.checked);
        QCOMPARE(drawn(), (QStringList{"Tab 1 1:80 2:65 w3", "Tab 2 w1.5", "5 bands"}));
        QTest::mouseClick(tab(1), Qt::LeftButton);
        QCOMPARE(drawn(), (QStringList{"Tab 1 1:80 2:65 w1.5", "Tab 2 w3", "5 bands"}));
        ChartData data = window.drawn();
        data.lines[1].points = {{1, 70, MarkKind::Real}, {2, 75, MarkKind::WhatIf}};
        window.draw(data);
        QCOMPARE(drawn(), (QStringList{"Tab 1 1:80 2:65 w1.5", "Tab 2 1:70 2:75 w3",
                                       "What-if mark 2:75", "5 bands"}));
    }

    void f1ShowsTheReadmesGuideWithItsPicturesAndChangesNothing() {
        QTest::keyClick(easyWork(), Qt::Key_F1);
        GuideWindow& guide = gui->window->guideWindow();
        QVERIFY(guide.isVisible());
        QCOMPARE(guide.windowTitle(), QStringLiteral("How Tallisto Works"));
        QCOMPARE(gui->window->windowTitle(), QStringLiteral("Unsaved - Tallisto"));
        QVERIFY(!gui->form().unsaved);
        // Every heading of the README's "Using Tallisto", and nothing of the sections after it.
        QFile readme(QStringLiteral(TALLISTO_DATA_DIR "/../README.md"));
        QVERIFY(readme.open(QIODevice::ReadOnly));
        const QString guideText = QString::fromUtf8(readme.readAll())
                                      .section(QStringLiteral("\n## Using Tallisto\n"), 1)
                                      .section(QStringLiteral("\n## "), 0, 0);
        const QString shown = guide.text().document()->toPlainText();
        int headings = 0;
        for (const QString& line : guideText.split('\n'))
            if (line.startsWith(QStringLiteral("### ")) && ++headings)
                QVERIFY2(shown.contains(line.mid(4)), qPrintable(line));
        QVERIFY(headings > 0);
        QVERIFY(!shown.contains(QStringLiteral("make package")));
        // Every picture it names is inside the program.
        int pictures = 0;
        for (QTextBlock block = guide.text().document()->begin(); block.isValid();
             block = block.next())
            for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
                const QString name = fragment.fragment().charFormat().toImageFormat().name();
                if (name.isEmpty()) continue;
                ++pictures;
                QVERIFY2(
                    !guide.text().loadResource(QTextDocument::ImageResource, QUrl(name)).isNull(),
                    qPrintable(name));
            }
        QVERIFY(pictures > 0);
        // Escape closes it; F1 brings it back.
        QTest::keyClick(&guide.text(), Qt::Key_Escape);
        QVERIFY(!guide.isVisible());
        QVERIFY(!gui->program->frmGuide.frmGuide.visible);
        QTest::keyClick(easyWork(), Qt::Key_F1);
        QVERIFY(guide.isVisible());
    }

    // A place on a screen that is no longer there would leave the window out of reach. (That a
    // place on a screen is kept, to the pixel, e2e.window_place shows under a window manager.)
    void aWindowPlacedOffEveryScreenOpensOnOne() {
        gui.reset();
        gui = std::make_unique<GuiProgram>("[Settings]\r\nLeft=900000\r\nTop=-900000\r\n");
        const QRect frame = gui->window->frameGeometry();
        QVERIFY(gui->window->screen()->availableGeometry().contains(frame.topLeft()));
        QCOMPARE(gui->form().frmGradeHelp.left, gui->window->geometry().left() * 15);
    }

    // A frame is a line round its controls with its caption in the top edge: the line runs through
    // the caption's height, breaks for the caption, and the caption is drawn in the break.
    void framesDrawTheirCaptionInABreakOfTheTopLine() {
        auto* frame = find<QGroupBox>("framescores");
        const QImage drawn = frame->grab().toImage();
        const QRgb line = frame->palette().color(QPalette::Mid).rgb();
        const QFontMetrics metrics = frame->fontMetrics();
        const int right = drawn.width() - 10;
        const int captionEnd = 10 + metrics.horizontalAdvance(frame->title());
        int top = 0;
        while (top < drawn.height() && drawn.pixel(right, top) != line)
            ++top;
        QVERIFY(top > 0 && top < metrics.height());
        QCOMPARE(drawn.pixel(drawn.width() / 2, drawn.height() - 1), line);
        QCOMPARE(drawn.pixel(0, drawn.height() / 2), line);
        QCOMPARE(drawn.pixel(captionEnd + 10, top), line);
        int inked = 0;
        for (int x = 6; x < captionEnd; ++x) {
            QVERIFY2(drawn.pixel(x, top) != line, qPrintable(QString::number(x)));
            for (int y = 0; y < metrics.height(); ++y)
                inked += qGray(drawn.pixel(x, y)) < 100;
        }
        QVERIFY(inked > 20);
    }

    // The highlight shows the mark that Delete Selected Mark acts on, in all four lists, and
    // nothing once it acts on none.
    void theListsHighlightTheMarkThatDeleteRemoves() {
        for (const char* score : {"1", "2", "3"})
            enterMark(score, "4", "10");
        for (const auto& [list, row] : {std::pair{"lstTotal", 0}, std::pair{"lstPercentage", 1}}) {
            auto* shown = find<MarkList>(list);
            QTest::mouseClick(shown->viewport(), Qt::LeftButton, {},
                              shown->visualItemRect(shown->item(row)).center());
        }
        QCOMPARE(listed(), (QStringList{"1 4 10 2.5", "2< 4< 10< 5<", "3 4 10 7.5"}));
        QTest::keyClick(easyWork(), Qt::Key_Delete);
        QCOMPARE(listed(), (QStringList{"1 4 10 2.5", "3 4 10 7.5"}));
    }

    // A mark shows in the lists and the totals, and the focus stays on the big button for the
    // next one. What-if marks are drawn apart in all four lists, beside the line that says they
    // count; Ctrl+Z and Ctrl+Shift+Z undo and redo, named in the Edit menu; a double click on a
    // row edits that mark, which stays the one that Delete removes.
    void marksShowInTheListsAndTheEditMenuUndoes() {
        enterMark("8", "10", "50");
        QCOMPARE(find<QLabel>("lblShit")->text(), QStringLiteral("80%"));
        QCOMPARE(QApplication::focusWidget(), easyWork());
        gui->typeMark("15", "20", "25");
        QTest::keyClick(easyWork(), Qt::Key_K, Qt::ControlModifier);
        QCOMPARE(listed(), (QStringList{"8 10 50 40", "15/! 20/! 25/! 18.75/!"}));
        QCOMPARE(find<QLabel>("lblShit")->text(), QStringLiteral("78.33%"));
        auto* line = find<QLabel>("lblWhatIf");
        QVERIFY(line->isVisible());
        QCOMPARE(line->text(), QStringLiteral("Counting 1 what-if mark"));
        QCOMPARE(find<QAction>("menUndo")->text().remove('&'),
                 QStringLiteral("Undo Enter What-If Mark"));
        QTest::keyClick(easyWork(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(listed(), QStringList{"8 10 50 40"});
        QVERIFY(!line->isVisible());
        QTest::keyClick(easyWork(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(listed(), (QStringList{"8 10 50 40", "15/! 20/! 25/! 18.75/!"}));

        gui->typeMark("9", "10", "50");
        // A double click as the platform delivers it: a click, then the double click.
        QListWidget* outOf = find<MarkList>("lstTotal");
        const QPoint row = outOf->visualItemRect(outOf->item(0)).center();
        QTest::mouseClick(outOf->viewport(), Qt::LeftButton, {}, row);
        QTest::mouseDClick(outOf->viewport(), Qt::LeftButton, {}, row);
        QCOMPARE(listed(), (QStringList{"9< 10< 50< 45<", "15/! 20/! 25/! 18.75/!"}));
        QCOMPARE(QString::fromStdString(gui->dialogs.last()),
                 "inputbox \"Weighting of this peice...\" \"How heavily was "
                 "this peice of work weighted overall?\"");
    }

    // Alt and a letter open a menu, F10 the first; the arrows reach the items, Return runs one.
    // The program's captions stay as they are.
    void theMenusOpenFromTheKeyboard() {
        const std::pair<Qt::Key, const char*> openers[] = {
            {Qt::Key_T, "tabs"}, {Qt::Key_G, "menGradesystem"}, {Qt::Key_F, "file"}};
        for (const auto& [key, menu] : openers) {
            QTest::keyClick(gui->window.get(), key, Qt::AltModifier);
            QTRY_COMPARE(QApplication::activePopupWidget(), find<QMenu>(menu));
            QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
            QTRY_VERIFY(!QApplication::activePopupWidget());
        }
        QTest::keyClick(easyWork(), Qt::Key_F10);
        auto* file = find<QMenu>("file");
        QTRY_COMPARE(QApplication::activePopupWidget(), file);
        QCOMPARE(file->title(), QStringLiteral("&File"));
        QCOMPARE(gui->form().file.caption, std::string("File"));
        QStringList reached;
        for (int i = 0; i < 3; ++i) {
            QTest::keyClick(file, Qt::Key_Down);
            QAction* active = file->activeAction();
            reached << (active->menu() ? active->menu()->objectName() : active->objectName());
        }
        // The disabled items are passed over.
        QCOMPARE(reached, (QStringList{"tallisto", "savereport", "menExportCsv"}));
        QTest::keyClick(file, Qt::Key_Up);
        QTest::keyClick(file, Qt::Key_Up);
        gui->typeMark("8", "10", "50");
        QTest::keyClick(file, Qt::Key_Return);
        QTRY_COMPARE(gui->form().lstScore.list, std::vector<std::string>{"8"});
    }

    void qtDialogsShowExactlyWhatTheProgramAsks() {
        gui->watchdog.stop(); // these dialogs are real on purpose
        // A filter's pattern is kept where the description names it, added where it does not;
        // several patterns are joined, and a description without a pattern is dropped.
        QCOMPARE(
            nameFilters("Text File (*.txt)|*.txt|Tallisto Files|*.tly|Text|*.txt;*.log|Lone"),
            (QStringList{"Text File (*.txt)", "Tallisto Files (*.tly)", "Text (*.txt *.log)"}));
        QtDialogs dialogs;
        dialogs.setParentWindow(gui->window.get());
        whenShown([](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box);
            QCOMPARE(box->icon(), QMessageBox::NoIcon);
            QCOMPARE(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
            // A name in angle brackets is text, and Windows line ends are plain line ends.
            QCOMPARE(box->textFormat(), Qt::PlainText);
            QCOMPARE(box->text(), QStringLiteral("Save Changes made to: <Unsaved>?\nReally?"));
            box->button(QMessageBox::No)->click();
        });
        QCOMPARE(int(dialogs.messageBox("Save Changes made to: <Unsaved>?\r\nReally?",
                                        Buttons::YesNo, "Save Changes?")),
                 int(Answer::No));

        // Where xdg-open finds no program for the file, the program learns of it.
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", gui->dir.path().c_str() + (':' + path));
        for (const char* exit : {"3", "0"}) {
            putBytes(gui->dir.path() / "xdg-open", std::string("#!/bin/sh\nexit ") + exit + "\n");
            std::filesystem::permissions(gui->file("xdg-open"), std::filesystem::perms::owner_all);
            QCOMPARE(dialogs.showInEditor(gui->file("report.txt")), *exit == '0');
        }
        qputenv("PATH", path);

        const QString marks = QString::fromStdString(gui->file("marks"));
        whenShown([&](QWidget* modal) {
            auto* files = qobject_cast<QFileDialog*>(modal);
            QVERIFY(files);
            QVERIFY(files->testOption(QFileDialog::DontConfirmOverwrite));
            QCOMPARE(files->selectedNameFilter(), QStringLiteral("Tallisto File (*.tly)"));
            // Typed as the user types it: the folder view fills in the background, and selecting
            // through it would race with that.
            auto* name = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            QVERIFY(name);
            name->setText(marks);
            static_cast<QDialog*>(files)->accept();
        });
        const FileChoice choice = dialogs.fileDialog(FileDialogKind::Open, "Open file...",
                                                     "Tallisto File (*.tly)|*.tly|All Files|*.*");
        // A name that does not exist yet, taken without an added extension.
        QCOMPARE(QString::fromStdString(choice.fileName), marks);
        QCOMPARE(choice.fileTitle, std::string("marks"));
    }
};

} // namespace tallisto::gui::testing

QTEST_MAIN(tallisto::gui::testing::WindowsTest)
#include "windows_test.moc"
