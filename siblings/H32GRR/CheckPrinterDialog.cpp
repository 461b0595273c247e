#include "CheckPrinterDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/Text.h"

namespace h32grr {

CheckPrinterDialog::CheckPrinterDialog(const QString& extraOptionCaption, bool extraOptionOn,
                                       QWidget* parent)
    : QDialog(parent),
      toPrinter_(new QRadioButton(tr("&Printer"))),
      toFile_(new QRadioButton(tr("PDF &file"))),
      printers_(new QComboBox),
      fileName_(new QLineEdit(QDir::home().filePath("check.pdf"))),
      extraOption_(new QCheckBox(extraOptionCaption)) {
    setWindowTitle(tr("Print Check"));
    printers_->addItems(QPrinterInfo::availablePrinterNames());
    printers_->setCurrentText(QPrinterInfo::defaultPrinterName());
    // Without a printer on the system a PDF file is the only way out.
    const bool havePrinter = printers_->count() > 0;
    toPrinter_->setEnabled(havePrinter);
    (havePrinter ? toPrinter_ : toFile_)->setChecked(true);
    extraOption_->setChecked(extraOptionOn);

    auto* browse = new QPushButton(tr("&Browse..."));
    connect(browse, &QPushButton::clicked, this, &CheckPrinterDialog::Browse);
    connect(toPrinter_, &QRadioButton::toggled, this, &CheckPrinterDialog::UpdateEnabled);

    auto* grid = new QGridLayout;
    grid->addWidget(toPrinter_, 0, 0);
    grid->addWidget(printers_, 0, 1, 1, 2);
    grid->addWidget(toFile_, 1, 0);
    grid->addWidget(fileName_, 1, 1);
    grid->addWidget(browse, 1, 2);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(extraOption_);
    layout->addWidget(buttons);
    UpdateEnabled();
}

void CheckPrinterDialog::Browse() {
    const QString name = QFileDialog::getSaveFileName(this, tr("Print Check to File"),
                                                      fileName_->text(), tr("PDF files (*.pdf)"));
    if (!name.isEmpty()) fileName_->setText(name);
}

void CheckPrinterDialog::UpdateEnabled() {
    printers_->setEnabled(toPrinter_->isChecked());
    fileName_->setEnabled(!toPrinter_->isChecked());
}

void CheckPrinterDialog::Fill(HVXCheckPrintOptions& options) const {
    options = HVXCheckPrintOptions{};
    options.toFile = toFile_->isChecked() ? 1 : 0;
    CopyToBuffer(printers_->currentText().toStdString(), options.printer, sizeof options.printer);
    CopyToBuffer(fileName_->text().toStdString(), options.fileName, sizeof options.fileName);
    options.extraOption = extraOption_->isChecked() ? 1 : 0;
}

}  // namespace h32grr
