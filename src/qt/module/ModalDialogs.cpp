#include "qt/module/ModalDialogs.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "qt/module/ModuleObject.h"
#include "qt/windows/wizard/NewSettlementWizardDialog.h"

namespace hvx::module {
namespace {

int RunDialog(QWidget* parent, const char* objectName, const char* caption, const char* status,
              const char* acceptText) {
    QDialog dialog(parent);
    dialog.setObjectName(objectName);
    dialog.setWindowTitle(caption);
    dialog.setWindowIcon(ModuleObject::Get().Icon("contract"));
    auto* layout = new QVBoxLayout(&dialog);
    auto* line = new QLabel(status, &dialog);
    line->setObjectName("status");
    layout->addWidget(line);
    layout->addStretch(1);
    auto* buttons = new QDialogButtonBox(&dialog);
    if (acceptText) {
        QPushButton* accept = buttons->addButton(acceptText, QDialogButtonBox::AcceptRole);
        accept->setDefault(true);
    }
    buttons->addButton("Cancel", QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    dialog.resize(420, 160);
    return dialog.exec();
}

}  // namespace

int RunNewSettlementDialog(QWidget* parent) {
    return RunNewSettlementWizard(parent, WizardMode::SourceType);
}

bool RunSearchCriteriaDialog(QWidget* parent, search::SettlementSearchObject&, bool,
                             bool* clearPrevious) {
    if (clearPrevious) *clearPrevious = false;
    return RunDialog(parent, "PVsettsrchDlg", "Search For Settlements",
                     "The search criteria are not built yet; Search opens an empty results "
                     "window.",
                     "&Search") == QDialog::Accepted;
}

}  // namespace hvx::module
