#pragma once
// The pay names a settlement starts with: the customer as payee, then as
// mortgagees the holders of liens on the customer's grain of this commodity
// that have not expired by the settlement date, then the secured parties that
// the receivers of the settlement's interface object know for the customer's
// tax number.
//
// The settlement windows fill an empty pay-name list with these once a
// settlement has what they depend on (customer, date, commodity); the user
// changes them afterwards in the pay-name editor.
#include <string>

namespace hvx {

class InterfaceObject;
class UiPort;

namespace settlement {
class SettlementPayNameList;
}

struct PayNameSettlement {
    std::string customerReference;
    std::string settlementDate;  // "MM/DD/YYYY"
    std::string commodity;
    std::string customerName;
};

// Appends the defaults to the list. When the interface object cannot be
// initialised, or a receiver refuses the question (its text is shown over the
// window), the payee and lien holders already appended stay. Liens that
// cannot be read add nothing, and the clerk is told so with the engine's
// reason; a tax number that cannot be read is empty.
void DefaultPayNames(UiPort& ui, InterfaceObject& events, const PayNameSettlement& settlement,
                     settlement::SettlementPayNameList& payNames);

}  // namespace hvx
