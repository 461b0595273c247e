#pragma once
// What the first page of the "Create New Settlement" wizard offers in each of
// its modes: the entries of its list, in order, with the list's label and
// prompt. The caller picks the mode by what it is about to create.
#include <string_view>
#include <vector>

namespace hvx {

enum class WizardMode {
    SourceType = 0,           // a settlement by source: which kind of source it draws on
    DestinationType = 1,      // a settlement by destination: where its units go
    ShipmentDestination = 2,  // a direct shipment's purchase: the categories it can buy into
};

const std::vector<std::string_view>& WizardEntries(WizardMode mode);
std::string_view WizardListLabel(WizardMode mode);
std::string_view WizardListPrompt(WizardMode mode);

// True when the source type needs the commodity and location page: only the
// sources that are not drawn from a record of the customer carry neither.
bool WizardAsksCommodity(WizardMode mode, std::string_view entry);

}  // namespace hvx
