#pragma once
// The host's frame: a multiple-document area with the File, Grain, Window
// and Help menus. The Grain commands call the module's entry points; they are
// disabled until a module has been started. The frame's title names the
// document window in front, and every way of closing documents (one, all,
// or the whole frame) lets each document refuse.
#include <QMainWindow>
#include <QMdiArea>
#include <QPointer>

#include "host/app/GrainMenu.h"

class QMenu;
class QMdiSubWindow;

namespace hvx::host {

class HostWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit HostWindow(QWidget* parent = nullptr);
    ~HostWindow() override;

    QMdiArea* Area() const { return area_; }
    // Enables the Grain menu over these entry points (kept by the caller).
    void SetModule(const ModuleEntryPoints* entry);
    // Runs one Grain command, as its menu item does.
    void Run(GrainCommand command);
    // The text the status bar shows on the right: the open database.
    void SetDatabaseText(const QString& text);
    // Closes the document windows in the order they were opened. A window
    // that refuses (its changes question answered Cancel) stops the round
    // and is brought to the front; false then.
    bool CloseAllDocuments();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildMenus();
    void FillWindowMenu();
    void ShowAbout();
    // The title and the closing commands follow the document in front.
    void FollowDocuments();
    void TakeCloseKeys(QMdiSubWindow* frame);

    QMdiArea* area_;
    QMenu* grainMenu_ = nullptr;
    QMenu* windowMenu_ = nullptr;
    QAction* closeAction_ = nullptr;
    QAction* closeAllAction_ = nullptr;
    QPointer<QMdiSubWindow> titled_;  // the document the title names
    QMetaObject::Connection titleWatch_;
    const ModuleEntryPoints* entry_ = nullptr;
    QString database_;
};

}  // namespace hvx::host
