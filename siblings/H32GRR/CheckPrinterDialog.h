#pragma once
// The printer selection for checks: a printer of the system or a PDF file,
// and one extra option the caller names ("Print Source Detail").
#include <QDialog>

#include "abi/SiblingAbi.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;

namespace h32grr {

class CheckPrinterDialog : public QDialog {
    Q_OBJECT
public:
    CheckPrinterDialog(const QString& extraOptionCaption, bool extraOptionOn,
                       QWidget* parent = nullptr);
    // The selection as the check print expects it.
    void Fill(HVXCheckPrintOptions& options) const;

private:
    void Browse();
    void UpdateEnabled();

    QRadioButton* toPrinter_;
    QRadioButton* toFile_;
    QComboBox* printers_;
    QLineEdit* fileName_;
    QCheckBox* extraOption_;
};

}  // namespace h32grr
