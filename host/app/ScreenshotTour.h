#pragma once
// --screenshot DIR: opens each window of the Grain menu in turn and saves a
// PNG of each into DIR, named after the window's caption ("Enter By
// Settlement Source.png"). Modal dialogs are grabbed while they are shown and
// then closed: the search criteria with "&Search", so that the results
// window opens and is grabbed too; the others with Cancel.
#include <QString>
#include <QStringList>

namespace hvx::host {

class HostWindow;

// The file name for a window caption: the caption with characters that
// cannot stand in a file name replaced by '_', and ".png".
QString ScreenshotFileName(const QString& caption);

// Runs the tour; the files written, in order. error is set when a window did
// not appear or a file could not be written.
QStringList RunScreenshotTour(HostWindow& window, const QString& folder, QString& error);

}  // namespace hvx::host
