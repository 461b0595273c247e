#include "windows/paynames/DefaultPayNames.h"

#include <vector>

#include "platform/EngineReason.h"
#include "platform/HVXConnection.h"
#include "platform/Statements.h"
#include "platform/UiPort.h"
#include "rules/LienHolders.h"
#include "settlement/SettlementPayNameList.h"
#include "shell/InterfaceObject.h"

namespace hvx {
namespace {

const char* const kLiens = "SELECT LIENHOLD,COMMODITY,EXPDATE FROM HVXGR56A WHERE CUSTREF = ?";
const char* const kTaxNumber = "SELECT SSTAXIDNUM FROM HVXAR50 WHERE REFERENCE = ?";
const char* const kLiensUnreadable =
    "Unable to read the liens of this customer. Add the lien holders by hand.";

}  // namespace

void DefaultPayNames(UiPort& ui, InterfaceObject& events, const PayNameSettlement& settlement,
                     settlement::SettlementPayNameList& payNames) {
    payNames.Add(settlement.customerName, false);

    HVXConnection connection(1);
    PreparedStatements sql(connection);
    std::vector<SqlRow> liens;
    // A check made out without a lien holder pays past the bank: the clerk is
    // told when the liens cannot be read, and the other names still follow.
    EngineFailureWatch watch;
    if (!sql.Query({"", kLiens}, {settlement.customerReference}, 3, liens))
        ShowMessage(ui, WithEngineReason(kLiensUnreadable));
    for (const SqlRow& lien : liens)
        if (LienPledges(lien[1], lien[2], settlement.commodity, settlement.settlementDate))
            payNames.Add(lien[0], true);

    std::string taxNumber;
    sql.Value({"", kTaxNumber}, {settlement.customerReference}, taxNumber);

    if (!events.Initialize()) return;
    std::string answer, error;
    if (!events.FireEvent(kSecuredPartiesEvent, taxNumber, answer, error)) {
        ShowMessage(ui, error);
        return;
    }
    for (const std::string& party : SecuredParties(answer)) payNames.Add(party, true);
}

}  // namespace hvx
