#pragma once
// The module's modal dialogs opened straight from an entry point: the
// "Create New Settlement" wizard and the "Search For Settlements" criteria.
#include <QDialog>

#include "search/SettlementSearchObject.h"

namespace hvx::module {

// "Create New Settlement" in its first mode, asking for the source type. The
// modal result: 1 after Finish, 0 on Cancel; the answers are dropped, as what
// follows a new settlement started here is the host's business.
int RunNewSettlementDialog(QWidget* parent);

// "Search For Settlements" on the criteria, centred over the parent. True
// when it closed with "&Search"; for a repeat search (the results window's
// research) clearPrevious then receives whether the previous results go.
bool RunSearchCriteriaDialog(QWidget* parent, hvx::search::SettlementSearchObject& criteria,
                             bool repeatSearch, bool* clearPrevious);

}  // namespace hvx::module
