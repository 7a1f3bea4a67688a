// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window, frmGradeHelp, drawn from the core's control states. Every user event goes to
// the core procedure of the same name; afterwards the window copies back what changed.
#include "app/program.h"
#include "gui/control_widgets.h"
#include "gui/core_events.h"

#include <QColor>
#include <QMainWindow>
#include <QStringList>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QButtonGroup;
class QMenu;
class QScrollBar;

namespace tallisto::gui {

class ChartWindow;
class GuideWindow;
class OverviewWindow;
class PlanWindow;
class TerWindow;

// The colour in which what-if marks, and the line that says they are counted, are drawn.
QColor whatIfColour();

// The captions of one menu's entries, each with a letter of its own marked for the keyboard
// ("&File", "Save &As" beside "&Save"); an "&" typed in a caption stays a letter.
std::vector<QString> mnemonicTexts(const std::vector<std::string>& captions);

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(Program& program, QWidget* parent = nullptr);
    ~MainWindow() override;

    CoreEvents& events() { return events_; }
    // Built when first asked for.
    TerWindow& terWindow();
    PlanWindow& planWindow();
    GuideWindow& guideWindow();
    OverviewWindow& overviewWindow();
    // None when the chart module cannot be loaded: the user is told what is missing, and the
    // core's chart is hidden again.
    ChartWindow* chartWindow();
    // Where the chart module is looked for, in order; beside the executable unless set.
    void setChartFolders(QStringList folders) { chartFolders_ = std::move(folders); }

    // Copies the core's state into this window; cheap enough to run after every event.
    void sync();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // main_window.cpp
    void buildControls();
    static QPoint openingPlace(const Control& window);
    QWidget* createWidget(Control& control, QWidget* container);
    // What the table runs for that event of a control of this window; empty when nothing.
    std::function<void(EventArgs)> mainEvent(const std::string& control, const std::string& event);
    void endProgram();
    void recordFrame();
    void syncFocus();

    // tab_strip.cpp
    void buildTabStrip(Control& control, QWidget* widget);
    void syncTabStrip();
    void syncTabButtons();
    void syncScrollBar();
    void addTabButton(int index);
    void scrollBarMoved(bool dragging);

    // menus.cpp
    void buildMenus();
    QMenu* buildMenu(Control& menu, QMenu* holder);
    void addMenuItem(QMenu* menu, Control& item);
    void syncMenus();
    void syncMenuTexts();

    // mark_lists.cpp
    void buildMarkList(Control& control, QWidget* widget);
    void syncMarkLists();

    CoreEvents events_;
    FrmGradeHelp& form_;
    std::function<void(EventArgs)> activate_, queryUnload_; // the window's own events
    QWidget* client_ = nullptr;
    std::map<std::string, QWidget*> containers_;

    std::vector<BoundWidget> bound_; // widgets that show one fixed control

    EasyWorkButton* easyWork_ = nullptr;
    QScrollBar* hbar_ = nullptr;
    QButtonGroup* tabGroup_ = nullptr;
    std::vector<TabButton*> tabButtons_;
    bool syncing_ = false; // the scroll bar is being set from the core, not moved by the user

    struct ListView {
        MarkList* widget;
        Control* control;
        std::vector<std::string> shown; // the entries the widget holds
        std::size_t realMarks = 0;      // of them, those drawn as real marks
    };
    std::vector<ListView> lists_;

    struct MenuEntry {
        QAction* action;
        Control* control;
    };
    std::vector<MenuEntry> menuEntries_;
    std::vector<std::pair<QMenu*, Control*>> menus_;
    std::vector<MenuEntry> labelled_;        // every menu and item with a caption, in order
    std::vector<std::string> shownCaptions_; // what labelled_ showed at the last sync

    // A window of its own, not a child: its controls carry names that the main window uses too.
    std::unique_ptr<TerWindow> ter_;
    std::unique_ptr<PlanWindow> plan_;
    std::unique_ptr<GuideWindow> guide_;
    std::unique_ptr<OverviewWindow> overview_;
    std::unique_ptr<ChartWindow> chart_;
    QStringList chartFolders_;
    bool shown_ = false;
};

} // namespace tallisto::gui
