// The menu bar: File, Tabs, Grading System and View, every item an action named for its control.
#include "gui/main_window.h"

#include <QAction>
#include <QMenuBar>

namespace tallisto::gui {

namespace {

// The item's key as the table of events gives it; an element of a control array has its own.
QKeySequence shortcutOf(const Event& click, const Control& item) {
    const std::size_t element = item.index < 0 ? 0 : static_cast<std::size_t>(item.index);
    if (element >= click.shortcuts.size()) return {};
    return QKeySequence(qText(click.shortcuts[element]), QKeySequence::PortableText);
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
    QAction* action = menu->addAction(literalCaption(item.caption));
    action->setObjectName(qText(item.qualifiedName()));
    // The window holds the action too, so that its shortcut works while the menus are closed.
    addAction(action);
    const bool choice = item.name == "menXP" || item.name == "menGradesys";
    action->setCheckable(choice);
    menuEntries_.push_back({action, &item});

    const Event* click = findEvent(Form::frmGradeHelp, item.name, "Click");
    if (!click) return;
    action->setShortcut(shortcutOf(*click, item));
    const EventArgs args = item.index < 0 ? EventArgs{} : EventArgs{item.index};
    connect(action, &QAction::triggered, this, [this, click, args] { events_.run(*click, args); });
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
