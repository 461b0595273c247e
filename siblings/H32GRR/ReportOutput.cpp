#include "ReportOutput.h"

#include <QApplication>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <cstdlib>
#include <string>

#include "ReportPainter.h"
#include "platform/UiPort.h"

namespace h32grr {
namespace {

QPageLayout::Orientation OrientationOf(const hvx::report::Layout& layout) {
    return layout.width > layout.height ? QPageLayout::Landscape : QPageLayout::Portrait;
}

bool WritePdf(const QString& fileName, const hvx::report::Layout& layout) {
    QPdfWriter writer(fileName);
    writer.setPageSize(QPageSize(QPageSize::Letter));
    writer.setPageOrientation(OrientationOf(layout));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(300);
    writer.setTitle(QString::fromStdString(layout.title));
    writer.setCreator("Harvexa Grain");
    return PaintReport(writer, layout);
}

void Preview(const hvx::report::Layout& layout) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setPageOrientation(OrientationOf(layout));
    // The layout's margins are its own: the page starts at the sheet's corner.
    printer.setFullPage(true);
    printer.setDocName(QString::fromStdString(layout.title));
    QPrintPreviewDialog dialog(&printer, QApplication::activeWindow());
    dialog.setWindowTitle(QString::fromStdString(layout.title));
    // Large enough that a page can be read without zooming first.
    dialog.resize(960, 760);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested,
                     [&layout](QPrinter* target) { PaintReport(*target, layout); });
    dialog.exec();
}

}  // namespace

void OutputReport(const hvx::report::Layout& layout) {
    const char* pdf = std::getenv("HARVEXA_REPORT_PDF");
    if (!pdf || !*pdf) return Preview(layout);
    if (!WritePdf(QString::fromUtf8(pdf), layout))
        hvx::ShowMessage("Unable to write the report to " + std::string(pdf) + ".");
}

}  // namespace h32grr
