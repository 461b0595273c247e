#pragma once
// The module's modal dialogs opened straight from an entry point: the
// "Create New Settlement" wizard and the "Search For Settlements" criteria.
// The criteria belong to the search; until it exists its dialog says so in
// one line and offers only the buttons that end it.
#include <QDialog>

#include "search/SettlementSearchObject.h"

namespace hvx::module {

// "Create New Settlement" in its first mode, asking for the source type. The
// modal result: 1 after Finish, 0 on Cancel; the answers are dropped, as what
// follows a new settlement started here is the host's business.
int RunNewSettlementDialog(QWidget* parent);

// "Search For Settlements": "&Search" (accept) and "Cancel". True on Search.
bool RunSearchCriteriaDialog(QWidget* parent, search::SettlementSearchObject& criteria,
                             bool repeatSearch, bool* clearPrevious);

}  // namespace hvx::module
