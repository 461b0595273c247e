// The check functions of the reports sibling, exported with C linkage under
// the names the grain module looks up.
//
// HARVEXA_CHECK_PDF, when set, names a PDF file that every check is written
// to without a printer selection being shown: the unattended runs of the
// tests and of demonstrations use it.
#include <QApplication>
#include <QPdfWriter>
#include <QPrinter>

#include <cstdlib>
#include <string>
#include <type_traits>

#include "CheckPainter.h"
#include "CheckPrinterDialog.h"
#include "SiblingExport.h"
#include "platform/Dates.h"
#include "platform/Text.h"
#include "platform/UiPort.h"
#include "settlement/CheckLayout.h"
#include "abi/SiblingAbi.h"

namespace {

const char* UnattendedPdf() {
    const char* file = std::getenv("HARVEXA_CHECK_PDF");
    return file && *file ? file : nullptr;
}

bool PaintToPdf(const QString& fileName, const hvx::settlement::CheckData& check) {
    QPdfWriter writer(fileName);
    writer.setPageSize(QPageSize(QPageSize::Letter));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(300);
    writer.setTitle(QString::fromStdString("Settlement check " + check.checkNumber));
    writer.setCreator("Harvexa Grain");
    return h32grr::PaintCheck(writer, check);
}

bool PaintToPrinter(const char* printerName, const hvx::settlement::CheckData& check) {
    QPrinter printer(QPrinter::HighResolution);
    if (*printerName) printer.setPrinterName(QString::fromUtf8(printerName));
    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setFullPage(true);
    printer.setDocName(QString::fromStdString("Settlement check " + check.checkNumber));
    return h32grr::PaintCheck(printer, check);
}

}  // namespace

H32GRR_EXPORT int CheckPrinterSelect(void*, const char* extraOptionCaption, int extraOptionOn,
                                     HVXCheckPrintOptions* options) {
    if (!options) return 0;
    if (const char* pdf = UnattendedPdf()) {
        *options = HVXCheckPrintOptions{};
        options->toFile = 1;
        CopyToBuffer(pdf, options->fileName, sizeof options->fileName);
        options->extraOption = extraOptionOn ? 1 : 0;
        return 1;
    }
    h32grr::CheckPrinterDialog dialog(QString::fromUtf8(extraOptionCaption ? extraOptionCaption : ""),
                                      extraOptionOn != 0, QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted) return 0;
    dialog.Fill(*options);
    return 1;
}

H32GRR_EXPORT void DoPrintSettlementCheck(void*, const char* setLink, const char* checkNumber,
                                          const char* printSourceDetail,
                                          const HVXCheckPrintOptions* options) {
    hvx::settlement::CheckData check;
    std::string message;
    const bool sourceDetail = printSourceDetail && std::string(printSourceDetail) == "T";
    if (!hvx::settlement::LoadCheckData(setLink ? setLink : "", checkNumber ? checkNumber : "",
                                        CurrentDate(), sourceDetail, check, message)) {
        hvx::ShowMessage(message);
        return;
    }
    const char* pdf = UnattendedPdf();
    if (!pdf && options && options->toFile) pdf = options->fileName;
    const bool printed = pdf ? PaintToPdf(QString::fromUtf8(pdf), check)
                             : PaintToPrinter(options ? options->printer : "", check);
    if (!printed)
        hvx::ShowMessage(pdf ? "Unable to write the check to " + std::string(pdf) + "."
                             : std::string("Unable to print the check on the selected printer."));
}

static_assert(std::is_same_v<decltype(&CheckPrinterSelect), HVXCheckPrinterSelectFn>);
static_assert(std::is_same_v<decltype(&DoPrintSettlementCheck), HVXPrintSettlementCheckFn>);
