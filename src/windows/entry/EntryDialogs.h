#pragma once
// What the settlement entry windows show through their view beyond the UI
// port: the new-settlement wizard, pop-up menus, the source selection dialog,
// the advance selection of a save, the pay-name editor and the view of a
// source or commodity. Tests script them.
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/HostPort.h"
#include "windows/wizard/NewSettlementAnswers.h"
#include "windows/wizard/WizardModes.h"

namespace hvx {
struct SourceSelectionRequest;
struct SourceSelectionResult;
}

namespace hvx::posted {
class PostedChangeDialogs;
}

namespace hvx::settlement {
class AdvanceSelectionPort;
class SettlementPayNameList;
struct SettlementRecordSet;
}  // namespace hvx::settlement

namespace hvx::entry {

// One entry of a pop-up menu.
struct PopUpEntry {
    std::string label;  // with its "&" accelerator; empty for a separator
    bool enabled = true;
};

class EntryDialogs {
public:
    virtual ~EntryDialogs() = default;
    // The window the dialogs are parented on, as the host knows it.
    virtual HostWindow Window() = 0;
    // The "Create New Settlement" wizard; nothing when it was cancelled.
    virtual std::optional<NewSettlementAnswers> RunWizard(WizardMode mode) = 0;
    // A pop-up menu under the named button: the chosen entry, or -1.
    virtual int PopUp(std::string_view button, const std::vector<PopUpEntry>& entries) = 0;
    // The "Select Sources" dialog for the request over the record set; true
    // on OK, with what it built or left for the line being entered.
    virtual bool SelectSources(const SourceSelectionRequest& request,
                               settlement::SettlementRecordSet& set,
                               SourceSelectionResult& result) = 0;
    // The advance selection a save may open; null where the window has none.
    virtual settlement::AdvanceSelectionPort* AdvanceSelection() = 0;
    // The pay-name editor over the settlement's list; true when it changed.
    virtual bool EditPayNames(settlement::SettlementPayNameList& payNames) = 0;
    // The change dialogs of a posted settlement.
    virtual posted::PostedChangeDialogs& PostedChanges() = 0;
    // A stored record shown read-only under a title, as label and value pairs.
    using RecordFields = std::vector<std::pair<std::string, std::string>>;
    virtual void ViewRecord(std::string_view title, const RecordFields& fields) = 0;
};

}  // namespace hvx::entry
