#include "qt/module/ClientArea.h"

#include <QApplication>
#include <QMainWindow>
#include <QScreen>

#include "platform/HostPort.h"

namespace hvx::module {

QWidget* HostWidget(void* handle) {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return nullptr;
    // A command may come without a window of its own: then the frame.
    if (!handle) handle = HVXReturnMDIWin();
    return static_cast<QWidget*>(handle);
}

QMdiArea* FindClientArea(QWidget* from) {
    if (!from) return nullptr;
    // A window inside the client area (a document the command came from, or
    // the area itself).
    for (QWidget* w = from; w; w = w->parentWidget())
        if (auto* area = qobject_cast<QMdiArea*>(w)) return area;
    // The frame: its central widget, else the first area it holds.
    QWidget* top = from->window();
    if (auto* main = qobject_cast<QMainWindow*>(top))
        if (auto* area = qobject_cast<QMdiArea*>(main->centralWidget())) return area;
    return top->findChild<QMdiArea*>();
}

ScreenSize ScreenOf(QWidget* widget) {
    QScreen* screen = widget ? widget->screen() : QGuiApplication::primaryScreen();
    if (!screen) return {};
    const QSize size = screen->geometry().size();
    return {size.width(), size.height()};
}

}  // namespace hvx::module
