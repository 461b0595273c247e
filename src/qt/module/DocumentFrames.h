#pragma once
// The frames the module opens inside the host's client area.
#include <QMdiSubWindow>
#include <string_view>

#include "windows/DocumentKinds.h"

namespace hvx::module {

// Opens a document window of the kind in the client area found from the
// parent handle, with the settlement key (settlement windows only). True when
// the window was created; false without a client area to open it in.
bool OpenDocument(void* parent, DocumentKind kind, std::string_view key);

// Opens the "Settlement Search Results" frame in the client area found from
// the parent widget; null without a client area.
QMdiSubWindow* OpenSearchResults(QWidget* parent);

}  // namespace hvx::module
