#include "qt/module/ModalDialogs.h"

#include "qt/module/ModuleObject.h"
#include "qt/windows/search/SearchCriteriaDialogView.h"
#include "qt/windows/wizard/NewSettlementWizardDialog.h"

namespace hvx::module {

int RunNewSettlementDialog(QWidget* parent) {
    return RunNewSettlementWizard(parent, WizardMode::SourceType);
}

bool RunSearchCriteriaDialog(QWidget* parent, hvx::search::SettlementSearchObject& criteria,
                             bool repeatSearch, bool* clearPrevious) {
    SearchCriteriaDialogView dialog(criteria, repeatSearch, parent);
    dialog.setWindowIcon(ModuleObject::Get().Icon("contract"));
    const bool ok = dialog.Run();
    if (ok && clearPrevious) *clearPrevious = dialog.ClearPrevious();
    return ok;
}

}  // namespace hvx::module
