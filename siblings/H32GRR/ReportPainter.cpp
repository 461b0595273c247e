#include "ReportPainter.h"

#include <QFont>
#include <QPagedPaintDevice>

namespace h32grr {
namespace {

Qt::Alignment AlignmentOf(hvx::report::Align align) {
    switch (align) {
        case hvx::report::Align::Right: return Qt::AlignRight;
        case hvx::report::Align::Center: return Qt::AlignHCenter;
        case hvx::report::Align::Left: break;
    }
    return Qt::AlignLeft;
}

// The painter is scaled to points, so a font's pixel size is its size in
// points; a point size would be scaled twice, once by the device's resolution.
QFont FontOf(const hvx::report::TextRun& run) {
    QFont font("DejaVu Sans Mono");
    font.setStyleHint(QFont::Monospace);
    font.setPixelSize(qRound(run.size));
    font.setBold(run.bold);
    return font;
}

}  // namespace

void PaintReportPage(QPainter& painter, const QPaintDevice& device,
                     const hvx::report::Page& page) {
    painter.save();
    painter.scale(device.logicalDpiX() / 72.0, device.logicalDpiY() / 72.0);
    QPen pen(Qt::black);
    pen.setWidthF(0.5);
    painter.setPen(pen);
    for (const hvx::report::Rule& rule : page.rules)
        painter.drawLine(QPointF(rule.x1, rule.y1), QPointF(rule.x2, rule.y2));
    for (const hvx::report::TextRun& run : page.runs) {
        painter.setFont(FontOf(run));
        painter.drawText(QRectF(run.x, run.y, run.width, run.size * hvx::report::kLineFactor),
                         AlignmentOf(run.align) | Qt::AlignVCenter | Qt::TextSingleLine,
                         QString::fromStdString(run.text));
    }
    painter.restore();
}

bool PaintReport(QPagedPaintDevice& device, const hvx::report::Layout& layout) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    for (std::size_t n = 0; n < layout.pages.size(); ++n) {
        if (n > 0) device.newPage();
        PaintReportPage(painter, device, layout.pages[n]);
    }
    return painter.end();
}

}  // namespace h32grr
