#pragma once
// Finding the host's multiple-document client area from the window handle an
// entry point was given: the host frame, a window inside it, or nothing (then
// the host's main window, as the host port names it).
#include <QMdiArea>
#include <QWidget>

#include "windows/FramePlacement.h"

namespace hvx::module {

// The host window behind a handle; null when there is none or no
// QApplication runs (no widget can be made without one).
QWidget* HostWidget(void* handle);

// The client area of the frame the widget belongs to, or null.
QMdiArea* FindClientArea(QWidget* from);

// The size of the screen the widget is shown on.
ScreenSize ScreenOf(QWidget* widget);

}  // namespace hvx::module
