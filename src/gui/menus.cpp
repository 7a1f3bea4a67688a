// SPDX-License-Identifier: GPL-3.0-or-later
// The menu bar: File, Edit, Tabs, Grading System, View and Help, every item an action named for
// its control.
#include "gui/main_window.h"

#include <QAction>
#include <QMenuBar>
#include <array>

namespace tallisto::gui {

namespace {

// The item's keys as the table of events gives them; an element of a control array has one of its
// own.
QList<QKeySequence> shortcutsOf(const Event& click, const Control& item) {
    QList<QKeySequence> keys;
    for (std::size_t i = 0; i < click.shortcuts.size(); ++i)
        if (item.index < 0 || i == static_cast<std::size_t>(item.index))
            keys << QKeySequence(qText(click.shortcuts[i]), QKeySequence::PortableText);
    return keys;
}

// The runs of ASCII letters and digits of the caption, in lower case.
QStringList wordsOf(const QString& caption) {
    const QString lower = caption.toLower();
    QStringList words;
    qsizetype start = -1;
    for (qsizetype i = 0; i <= lower.size(); ++i) {
        const char16_t c = i < lower.size() ? lower[i].unicode() : u' ';
        const bool inWord = (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9');
        if (inWord && start < 0) start = i;
        if (!inWord && start >= 0) {
            words += lower.mid(start, i - start);
            start = -1;
        }
    }
    return words;
}

// Where the letters and digits of a caption stand, in three tiers of preference: first letters of
// words no other entry of the menu has ("As" of "Save As" beside "Save"), first letters of the
// other words, then every other letter.
using Tiers = std::array<std::vector<qsizetype>, 3>;

Tiers mnemonicCandidates(const QString& caption, const QStringList& otherWords) {
    Tiers tiers;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (!caption[i].isLetterOrNumber()) continue;
        if (i > 0 && caption[i - 1].isLetterOrNumber()) {
            tiers[2].push_back(i);
            continue;
        }
        qsizetype end = i;
        while (end < caption.size() && caption[end].isLetterOrNumber())
            ++end;
        tiers[otherWords.contains(caption.mid(i, end - i).toLower()) ? 1 : 0].push_back(i);
    }
    return tiers;
}

} // namespace

// Each entry of one menu gets a letter of its own, to be chosen by with Alt or within the open
// menu. Every entry is offered its best tier before any entry falls back to a worse one, so that
// "Exit" keeps its E although "Reset All" comes first. The captions stay as the program has them.
std::vector<QString> mnemonicTexts(const std::vector<std::string>& captions) {
    std::vector<QString> texts;
    std::vector<QStringList> words;
    for (const std::string& caption : captions) {
        texts.push_back(qText(caption));
        words.push_back(wordsOf(texts.back()));
    }
    std::vector<Tiers> candidates;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        QStringList others;
        for (std::size_t j = 0; j < texts.size(); ++j)
            if (j != i) others += words[j];
        candidates.push_back(mnemonicCandidates(texts[i], others));
    }
    std::vector<qsizetype> chosen(texts.size(), -1);
    QString taken;
    for (std::size_t tier = 0; tier < 3; ++tier)
        for (std::size_t i = 0; i < texts.size(); ++i)
            for (qsizetype at : candidates[i][tier]) {
                if (chosen[i] >= 0 || taken.contains(texts[i][at].toLower())) continue;
                chosen[i] = at;
                taken += texts[i][at].toLower();
            }
    for (std::size_t i = 0; i < texts.size(); ++i) {
        QString text = texts[i];
        text.replace(QLatin1Char('&'), QLatin1String("&&"));
        if (chosen[i] >= 0)
            text.insert(chosen[i] + texts[i].left(chosen[i]).count(QLatin1Char('&')), '&');
        texts[i] = text;
    }
    return texts;
}

void MainWindow::buildMenus() {
    // F10 opens the first menu, as on the desktops that the program runs on.
    auto* openMenus = new QAction(this);
    openMenus->setObjectName(QStringLiteral("menuKey"));
    openMenus->setShortcut(QKeySequence(Qt::Key_F10));
    connect(openMenus, &QAction::triggered, this, [this] {
        for (QAction* menu : menuBar()->actions())
            if (menu->isVisible() && menu->isEnabled()) return menuBar()->setActiveAction(menu);
    });
    addAction(openMenus);

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
    QMenu* built = holder ? holder->addMenu(QString()) : menuBar()->addMenu(QString());
    built->setObjectName(qText(menu.qualifiedName()));
    menus_.emplace_back(built, &menu);
    labelled_.push_back({built->menuAction(), &menu});
    return built;
}

void MainWindow::addMenuItem(QMenu* menu, Control& item) {
    QAction* action = menu->addAction(QString());
    action->setObjectName(qText(item.qualifiedName()));
    labelled_.push_back({action, &item});
    // The window holds the action too, so that its shortcut works while the menus are closed.
    addAction(action);
    const bool choice = item.name == "menXP" || item.name == "menGradesys";
    action->setCheckable(choice);
    menuEntries_.push_back({action, &item});

    const Event* click = findEvent(Form::frmGradeHelp, item.name, "Click");
    if (!click) return;
    action->setShortcuts(shortcutsOf(*click, item));
    const EventArgs args = item.index < 0 ? EventArgs{} : EventArgs{item.index};
    connect(action, &QAction::triggered, this, [this, click, args] { events_.run(*click, args); });
}

// The entries of each menu, the menus of the bar among them, take their captions with the letters
// chosen for them; only a change of a caption chooses again.
void MainWindow::syncMenuTexts() {
    std::vector<std::string> captions;
    for (const MenuEntry& entry : labelled_)
        captions.push_back(entry.control->container + '\n' + entry.control->caption);
    if (captions == shownCaptions_) return;
    shownCaptions_ = captions;
    std::map<std::string, std::vector<const MenuEntry*>> byMenu;
    for (const MenuEntry& entry : labelled_)
        byMenu[entry.control->container].push_back(&entry);
    for (const auto& [menu, entries] : byMenu) {
        std::vector<std::string> texts;
        for (const MenuEntry* entry : entries)
            texts.push_back(entry->control->caption);
        const std::vector<QString> shown = mnemonicTexts(texts);
        for (std::size_t i = 0; i < entries.size(); ++i)
            if (entries[i]->action->text() != shown[i]) entries[i]->action->setText(shown[i]);
    }
}

void MainWindow::syncMenus() {
    syncMenuTexts();
    for (auto& [menu, control] : menus_) {
        QAction* action = menu->menuAction();
        if (action->isVisible() != control->visible) action->setVisible(control->visible);
        if (action->isEnabled() != control->enabled) action->setEnabled(control->enabled);
    }
    for (const MenuEntry& entry : menuEntries_) {
        QAction* action = entry.action;
        const Control& control = *entry.control;
        if (action->isVisible() != control.visible) action->setVisible(control.visible);
        // The window holds every item's shortcut, so an item in a closed-off menu is disabled too.
        const bool enabled = control.enabled && form_.menusOpenTo(control);
        if (action->isEnabled() != enabled) action->setEnabled(enabled);
        if (action->isCheckable() && action->isChecked() != control.checked)
            action->setChecked(control.checked);
    }
}

} // namespace tallisto::gui
