#pragma once
// The frames the module opens inside the host's client area.
#include <QMdiSubWindow>
#include <memory>
#include <string_view>

#include "search/SettlementSearchObject.h"
#include "windows/DocumentKinds.h"

namespace hvx::module {

// Opens a document window of the kind in the client area found from the
// parent handle, with the settlement key (settlement windows only). True when
// the window was created; false without a client area to open it in.
bool OpenDocument(void* parent, DocumentKind kind, std::string_view key);

// Opens the "Settlement Search Results" frame in the client area found from
// the parent widget and starts the search with the criteria once it shows;
// null without a client area.
QMdiSubWindow* OpenSearchResults(QWidget* parent,
                                 std::shared_ptr<search::SettlementSearchObject> criteria);

}  // namespace hvx::module
