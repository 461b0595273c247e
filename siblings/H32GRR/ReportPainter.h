#pragma once
// Draws a laid-out document (platform/ReportLayout) on any paint device: a
// PDF writer, a printer or an image. The painter is scaled so one unit is
// one point of the sheet, and every run is set in the monospaced face the
// layout measured with, as plain text (never markup).
#include <QPagedPaintDevice>
#include <QPainter>

#include "platform/ReportLayout.h"

namespace h32grr {

// Paints one page of the layout with a painter already begun on the device.
void PaintReportPage(QPainter& painter, const QPaintDevice& device,
                     const hvx::report::Page& page);

// Paints every page, a new page of the device between them. False when the
// device cannot be painted on (a file that cannot be written).
bool PaintReport(QPagedPaintDevice& device, const hvx::report::Layout& layout);

}  // namespace h32grr
