#pragma once
// The module's modal dialogs opened straight from an entry point: the
// "Create New Settlement" wizard and the "Search For Settlements" criteria.
// Their pages and criteria belong to the wizard and the search; until those
// exist each dialog says so in one line and offers only the buttons that end
// it.
#include <QDialog>

namespace hvx::module {

// "Create New Settlement": Cancel only. The modal result (0 on Cancel).
int RunNewSettlementDialog(QWidget* parent);

// "Search For Settlements": "&Search" (accept) and "Cancel". True on Search.
bool RunSearchCriteriaDialog(QWidget* parent);

}  // namespace hvx::module
