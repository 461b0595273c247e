#include "host/app/HostWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>

#include "qt/ui/MdiBackground.h"

namespace hvx::host {
namespace {

constexpr const char* kProductTitle = "Harvexa";

}  // namespace

// The client area and its frames are taken down by QWidget after this
// part of the window is gone; their activations must no longer reach it.
HostWindow::~HostWindow() {
    disconnect(area_, nullptr, this, nullptr);
    disconnect(titleWatch_);
}

HostWindow::HostWindow(QWidget* parent) : QMainWindow(parent), area_(new MdiBackground(this)) {
    setObjectName("HarvexaFrame");
    setWindowTitle(kProductTitle);
    area_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(area_);
    BuildMenus();
    // The area tells of every change of the document in front, the last
    // one closing included (then with none).
    connect(area_, &QMdiArea::subWindowActivated, this, &HostWindow::FollowDocuments);
    // Frames are caught as they join the area, to take their close keys.
    area_->viewport()->installEventFilter(this);
    FollowDocuments();
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

    // The closing commands live as long as the frame (the Window menu is
    // refilled each time it opens) and are the frame's own, so their keys work
    // whether or not the menu was ever opened. Ctrl+F4 is the document
    // close key desktop users know; Ctrl+W is the one Qt's own styles use.
    closeAction_ = new QAction("Cl&ose", this);
    closeAction_->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_F4), QKeySequence(Qt::CTRL | Qt::Key_W)});
    // The document in front, even while the frame itself is not active.
    connect(closeAction_, &QAction::triggered, this, [this] {
        if (QMdiSubWindow* front = area_->currentSubWindow()) front->close();
    });
    closeAllAction_ = new QAction("Close &All", this);
    connect(closeAllAction_, &QAction::triggered, this, &HostWindow::CloseAllDocuments);
    addActions({closeAction_, closeAllAction_});

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

// Cascade, Tile, Close, Close All, and one entry per open window, the
// active one checked.
void HostWindow::FillWindowMenu() {
    windowMenu_->clear();
    windowMenu_->addAction("&Cascade", area_, &QMdiArea::cascadeSubWindows);
    windowMenu_->addAction("&Tile", area_, &QMdiArea::tileSubWindows);
    windowMenu_->addSeparator();
    windowMenu_->addActions({closeAction_, closeAllAction_});
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

// The area's own close-all goes on past a refusal and asks every other
// document too; a clerk who answered Cancel expects to be left at that
// document, with no further questions.
bool HostWindow::CloseAllDocuments() {
    for (QMdiSubWindow* frame : area_->subWindowList()) {
        if (!frame->close()) {
            area_->setActiveSubWindow(frame);
            return false;
        }
    }
    return true;
}

// The documents close first, each asking about unsaved changes; one that
// stays open keeps the frame open too.
void HostWindow::closeEvent(QCloseEvent* event) {
    if (CloseAllDocuments())
        event->accept();
    else
        event->ignore();
}

// A document frame's own system menu claims the close keys too; two
// actions on one key cancel each other out and neither fires, so the frame
// gives up its claim and the Window menu's Close (which closes the same
// document, the same way) keeps the keys.
void HostWindow::TakeCloseKeys(QMdiSubWindow* frame) {
    if (!frame->systemMenu()) return;
    const QList<QKeySequence> keys = closeAction_->shortcuts();
    for (QAction* action : frame->systemMenu()->actions()) {
        QList<QKeySequence> left = action->shortcuts();
        left.removeIf([&](const QKeySequence& key) { return keys.contains(key); });
        action->setShortcuts(left);
    }
}

bool HostWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == area_->viewport() && event->type() == QEvent::ChildAdded)
        if (auto* frame = qobject_cast<QMdiSubWindow*>(static_cast<QChildEvent*>(event)->child()))
            TakeCloseKeys(frame);
    return QMainWindow::eventFilter(watched, event);
}

// "Harvexa - [caption]" while a document is in front, and the caption is
// followed as the document changes it (a record lock adds " (Locked)").
// The area's current window is the one in front even while a dialog has
// the keyboard, so the title does not flicker when a message box opens.
void HostWindow::FollowDocuments() {
    QMdiSubWindow* front = area_->currentSubWindow();
    if (front != titled_) {
        disconnect(titleWatch_);
        titled_ = front;
        if (front)
            titleWatch_ =
                connect(front, &QWidget::windowTitleChanged, this, &HostWindow::FollowDocuments);
    }
    setWindowTitle(front ? QString("%1 - [%2]").arg(kProductTitle, front->windowTitle())
                         : QString(kProductTitle));
    const bool anyOpen = !area_->subWindowList().isEmpty();
    closeAction_->setEnabled(anyOpen);
    closeAllAction_->setEnabled(anyOpen);
}

}  // namespace hvx::host
