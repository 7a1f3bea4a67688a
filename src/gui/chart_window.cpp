// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/chart_window.h"

#include "gui/control_widgets.h"
#include "gui/side_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QVBoxLayout>

namespace tallisto::gui {

namespace {

// The module from the first of the folders whose copy loads. When none does, `missing` tells the
// user why: no copy anywhere, or the loader's reason for the first that did not load (a library
// it needs is missing).
MakeChartPane loadChartModule(const QStringList& folders, QString& missing) {
    const QString file = QStringLiteral(TALLISTO_CHART_MODULE);
    QString unloadable;
    for (const QString& folder : folders) {
        QLibrary module(QDir(folder).filePath(file));
        if (!QFileInfo::exists(module.fileName())) continue;
        // Loaded for the rest of the run: the QLibrary going does not unload it.
        if (auto make = reinterpret_cast<MakeChartPane>(module.resolve(makeChartPaneName)))
            return make;
        if (unloadable.isEmpty())
            unloadable =
                QStringLiteral("Tallisto cannot show the chart: %1 could not be "
                               "loaded.\n\n%2")
                    .arg(QDir::toNativeSeparators(module.fileName()), module.errorString());
    }
    if (!unloadable.isEmpty()) {
        missing = unloadable;
        return nullptr;
    }
    QStringList places;
    for (const QString& folder : folders)
        places << QDir::toNativeSeparators(QDir::cleanPath(folder));
    missing = QStringLiteral("Tallisto cannot show the chart: %1, which draws it, is in none of "
                             "these folders:\n\n%2\n\nInstalling Tallisto again puts it back.")
                  .arg(file, places.join('\n'));
    return nullptr;
}

} // namespace

std::unique_ptr<ChartWindow> ChartWindow::open(CoreEvents& events, const QStringList& folders,
                                               QString& missing) {
    const MakeChartPane make = loadChartModule(folders, missing);
    if (!make) return nullptr;
    return std::unique_ptr<ChartWindow>(new ChartWindow(events, make(nullptr)));
}

ChartWindow::ChartWindow(CoreEvents& events, ChartPane* pane)
    : QWidget(nullptr, Qt::Window), events_(events), form_(events.program().frmChart),
      allBox_(new QCheckBox(this)), pane_(pane) {
    setObjectName(QStringLiteral("frmChart"));
    queryUnload_ = events_.handler(Form::frmChart, "frmChart", "QueryUnload");
    allSubjects_ = events_.handler(Form::frmChart, "chkAllSubjects", "Click");
    setAttribute(Qt::WA_ShowWithoutActivating);
    allBox_->setObjectName(QStringLiteral("chkAllSubjects"));
    allBox_->setFocusPolicy(Qt::NoFocus);
    // The core decides the box's state: a click asks it, and sync() shows its answer.
    connect(allBox_, &QCheckBox::clicked, this, [this] {
        allBox_->setChecked(form_.chkAllSubjects.checked);
        if (allSubjects_) allSubjects_({});
    });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(allBox_);
    layout->addWidget(pane_, 1);
    resize(760, 500);
}

void ChartWindow::sync() {
    const Control& window = form_.frmChart;
    const QString caption = qText(window.caption);
    if (windowTitle() != caption) setWindowTitle(caption);
    if (!window.visible) {
        if (isVisible()) hide();
        return;
    }
    const Control& box = form_.chkAllSubjects;
    if (allBox_->text() != qText(box.caption)) allBox_->setText(qText(box.caption));
    if (allBox_->isChecked() != box.checked) allBox_->setChecked(box.checked);
    pane_->draw(form_.data());
    if (!isVisible()) {
        placeNearMainWindow(this, window, events_.form().frmGradeHelp);
        show();
    }
    if (form_.timesAsked() != timesAsked_) {
        timesAsked_ = form_.timesAsked();
        raise();
    }
}

void ChartWindow::closeEvent(QCloseEvent* event) {
    if (!events_.ended() && queryUnload_) queryUnload_({});
    event->accept();
}

} // namespace tallisto::gui
