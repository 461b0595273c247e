#pragma once
// The host's frame: a multiple-document area with the File, Grain, Window
// and Help menus. The Grain commands call the module's entry points; they are
// disabled until a module has been started.
#include <QMainWindow>
#include <QMdiArea>

#include "host/app/GrainMenu.h"

class QMenu;

namespace hvx::host {

class HostWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit HostWindow(QWidget* parent = nullptr);

    QMdiArea* Area() const { return area_; }
    // Enables the Grain menu over these entry points (kept by the caller).
    void SetModule(const ModuleEntryPoints* entry);
    // Runs one Grain command, as its menu item does.
    void Run(GrainCommand command);
    // The text the status bar shows on the right: the open database.
    void SetDatabaseText(const QString& text);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenus();
    void FillWindowMenu();
    void ShowAbout();

    QMdiArea* area_;
    QMenu* grainMenu_ = nullptr;
    QMenu* windowMenu_ = nullptr;
    const ModuleEntryPoints* entry_ = nullptr;
    QString database_;
};

}  // namespace hvx::host
