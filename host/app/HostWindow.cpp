#include "host/app/HostWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QStatusBar>

#include "qt/ui/MdiBackground.h"

namespace hvx::host {

HostWindow::HostWindow(QWidget* parent) : QMainWindow(parent), area_(new MdiBackground(this)) {
    setObjectName("HarvexaFrame");
    setWindowTitle("Harvexa");
    area_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(area_);
    BuildMenus();
    SetModule(nullptr);
    resize(1000, 700);
}

void HostWindow::BuildMenus() {
    QMenu* file = menuBar()->addMenu("&File");
    QAction* exit = file->addAction("E&xit", this, &QWidget::close);
    exit->setShortcut(QKeySequence::Quit);

    grainMenu_ = menuBar()->addMenu("&Grain");
    for (const GrainMenuItem& item : kGrainMenu) {
        const GrainCommand command = item.command;
        grainMenu_->addAction(item.text, this, [this, command] { Run(command); });
    }

    windowMenu_ = menuBar()->addMenu("&Window");
    connect(windowMenu_, &QMenu::aboutToShow, this, &HostWindow::FillWindowMenu);
    FillWindowMenu();

    QMenu* help = menuBar()->addMenu("&Help");
    help->addAction("&About Harvexa", this, &HostWindow::ShowAbout);
}

void HostWindow::SetModule(const ModuleEntryPoints* entry) {
    entry_ = entry;
    for (QAction* action : grainMenu_->actions()) action->setEnabled(entry_ != nullptr);
    statusBar()->showMessage(entry_ ? "Ready" : "The grain settlement module is not loaded.");
}

void HostWindow::Run(GrainCommand command) {
    if (entry_) RunGrainCommand(*entry_, command, this);
}

void HostWindow::SetDatabaseText(const QString& text) {
    database_ = text;
    auto* label = findChild<QLabel*>("database");
    if (!label) {
        label = new QLabel(this);
        label->setObjectName("database");
        statusBar()->addPermanentWidget(label);
    }
    label->setText(text);
}

// Cascade, Tile, and one entry per open window, the active one checked.
void HostWindow::FillWindowMenu() {
    windowMenu_->clear();
    windowMenu_->addAction("&Cascade", area_, &QMdiArea::cascadeSubWindows);
    windowMenu_->addAction("&Tile", area_, &QMdiArea::tileSubWindows);
    const QList<QMdiSubWindow*> frames = area_->subWindowList();
    if (frames.isEmpty()) return;
    windowMenu_->addSeparator();
    int number = 0;
    for (QMdiSubWindow* frame : frames) {
        ++number;
        const QString text = number < 10 ? QString("&%1 %2").arg(number).arg(frame->windowTitle())
                                         : QString("%1 %2").arg(number).arg(frame->windowTitle());
        QAction* action = windowMenu_->addAction(text);
        action->setCheckable(true);
        action->setChecked(frame == area_->activeSubWindow());
        connect(action, &QAction::triggered, this, [this, frame = QPointer<QMdiSubWindow>(frame)] {
            if (frame) area_->setActiveSubWindow(frame);
        });
    }
}

void HostWindow::ShowAbout() {
    QMessageBox::about(this, "About Harvexa",
                       QString("<b>Harvexa Grain</b> %1<br>Grain settlements for elevators and "
                               "cooperatives.<br><br>Database: %2")
                           .arg(HARVEXA_VERSION, database_.toHtmlEscaped()));
}

// The documents close first, each asking about unsaved changes; one that
// stays open keeps the frame open too.
void HostWindow::closeEvent(QCloseEvent* event) {
    area_->closeAllSubWindows();
    if (!area_->subWindowList().isEmpty()) {
        event->ignore();
        return;
    }
    event->accept();
}

}  // namespace hvx::host
