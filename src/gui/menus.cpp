// The menu bar: File, Tabs, Grading System, View and Help, every item an action named for its
// control.
#include "gui/main_window.h"

#include <QAction>
#include <QMenuBar>

namespace tallisto::gui {

namespace {

QKeySequence shortcutOf(const Control& item) {
    static const std::map<std::string, QKeySequence> shortcuts = {
        {"menDelSelRes", QKeySequence(Qt::Key_Delete)},
        {"mensave", QKeySequence(Qt::CTRL | Qt::Key_S)},
        {"cmdOpen", QKeySequence(Qt::CTRL | Qt::Key_O)},
        {"menNewTab", QKeySequence(Qt::CTRL | Qt::Key_T)},
        {"menRename", QKeySequence(Qt::Key_F3)},
        {"menDelete", QKeySequence(Qt::CTRL | Qt::Key_W)},
        {"menPlan", QKeySequence(Qt::CTRL | Qt::Key_P)},
        {"menGuide", QKeySequence(Qt::Key_F1)},
    };
    if (item.name == "menGradesys" && item.index >= 0 && item.index < 4)
        return QKeySequence(Qt::CTRL | static_cast<Qt::Key>(Qt::Key_F1 + item.index));
    auto found = shortcuts.find(item.name);
    return found == shortcuts.end() ? QKeySequence() : found->second;
}

} // namespace

void MainWindow::buildMenus() {
    std::map<std::string, QMenu*> holders;
    for (Control* control : form_.allControls()) {
        QMenu* holder = nullptr;
        if (auto found = holders.find(control->container); found != holders.end())
            holder = found->second;
        switch (control->kind) {
        case ControlKind::Menu:
            holders[control->name] = buildMenu(*control, holder);
            break;
        case ControlKind::MenuItem:
            if (holder) addMenuItem(holder, *control);
            break;
        case ControlKind::Separator:
            if (holder) {
                QAction* separator = holder->addSeparator();
                separator->setObjectName(qText(control->qualifiedName()));
                menuEntries_.push_back({separator, control});
            }
            break;
        default:
            break;
        }
    }
}

QMenu* MainWindow::buildMenu(Control& menu, QMenu* holder) {
    QMenu* built = holder ? holder->addMenu(literalCaption(menu.caption))
                          : menuBar()->addMenu(literalCaption(menu.caption));
    built->setObjectName(qText(menu.qualifiedName()));
    menus_.emplace_back(built, &menu);
    return built;
}

void MainWindow::addMenuItem(QMenu* menu, Control& item) {
    // Save and Save As tell their callers whether the work reached the file; a menu ignores it.
    static const std::map<std::string, std::function<void(FrmGradeHelp&)>> clicks = {
        {"tallisto", &FrmGradeHelp::tallisto_Click},
        {"menDelSelRes", &FrmGradeHelp::menDelSelRes_Click},
        {"cmdsave", &FrmGradeHelp::cmdsave_Click},
        {"mensave", &FrmGradeHelp::mensave_Click},
        {"menSaveReport", &FrmGradeHelp::menSaveReport_Click},
        {"menReportSet", &FrmGradeHelp::menReportSet_Click},
        {"cmdOpen", &FrmGradeHelp::cmdOpen_Click},
        {"menXP", &FrmGradeHelp::menXP_Click},
        {"menResetAll", &FrmGradeHelp::menResetAll_Click},
        {"about", &FrmGradeHelp::about_Click},
        {"exit", &FrmGradeHelp::exit_Click},
        {"menNewTab", &FrmGradeHelp::menNewTab_Click},
        {"reset", &FrmGradeHelp::reset_Click},
        {"menRename", &FrmGradeHelp::menRename_Click},
        {"menDelete", &FrmGradeHelp::menDelete_Click},
        {"menEditRanges", &FrmGradeHelp::menEditRanges_Click},
        {"menPlan", &FrmGradeHelp::menPlan_Click},
        {"menGuide", &FrmGradeHelp::menGuide_Click},
        {"menAbout", &FrmGradeHelp::menAbout_Click},
    };
    QAction* action = menu->addAction(literalCaption(item.caption));
    action->setObjectName(qText(item.qualifiedName()));
    action->setShortcut(shortcutOf(item));
    // The window holds the action too, so that its shortcut works while the menus are closed.
    addAction(action);
    const bool choice = item.name == "menXP" || item.name == "menGradesys";
    action->setCheckable(choice);
    menuEntries_.push_back({action, &item});

    if (item.name == "menGradesys") {
        const int index = item.index;
        connect(action, &QAction::triggered, this, [this, index] {
            runEvent([index](FrmGradeHelp& f) { f.menGradesys_Click(index); });
        });
        return;
    }
    auto click = clicks.find(item.name);
    if (click == clicks.end()) return;
    const std::function<void(FrmGradeHelp&)> procedure = click->second;
    connect(action, &QAction::triggered, this, [this, procedure] { runEvent(procedure); });
}

void MainWindow::syncMenus() {
    for (auto& [menu, control] : menus_) {
        QAction* action = menu->menuAction();
        const QString title = literalCaption(control->caption);
        if (menu->title() != title) menu->setTitle(title);
        if (action->isVisible() != control->visible) action->setVisible(control->visible);
        if (action->isEnabled() != control->enabled) action->setEnabled(control->enabled);
    }
    for (const MenuEntry& entry : menuEntries_) {
        QAction* action = entry.action;
        const Control& control = *entry.control;
        if (!action->isSeparator()) {
            const QString text = literalCaption(control.caption);
            if (action->text() != text) action->setText(text);
        }
        if (action->isVisible() != control.visible) action->setVisible(control.visible);
        // The window holds every item's shortcut, so an item in a closed-off menu is disabled too.
        const bool enabled = control.enabled && form_.menusOpenTo(control);
        if (action->isEnabled() != enabled) action->setEnabled(enabled);
        if (action->isCheckable() && action->isChecked() != control.checked)
            action->setChecked(control.checked);
    }
}

} // namespace tallisto::gui
