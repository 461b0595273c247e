#include "settlement/SettlementLookups.h"

#include "platform/Format.h"
#include "platform/HVXSConnection.h"
#include "platform/Statements.h"
#include "platform/UiPort.h"

namespace hvx::settlement {
namespace {

const char* const kSettlementLookupSelect =
    "SELECT CUSTNAME,CUSTREF,SETTLEMENT,SETDTE,SOURCE,SOURCEREF,UNITSSET,FROMDPR,TODPR,CONTRACT,"
    "STR(RECNO) FROM HVXGR04D WHERE STYPE='%s'";
const char* const kSettlementLookupColumns =
    "CUSTNAME,Name,30,0,CUSTREF,Ref.,15,0,SETTLEMENT,Settlement,12,0,SETDTE,Date,10,0,SOURCE,"
    "Source,13,0,SOURCEREF,Reference,13,0,UNITSSET,Units Settled,10,0,FROMDPR,From DPR,13,0,"
    "TODPR,To DPR,13,0,CONTRACT,Contract,10,0";
// The list is keyed by settlement number: typing in the field finds the
// settlement, and a pick answers with its number rather than the name.
const char* const kSettlementLookupKey = "SETTLEMENT";

const char* const kContractViewSelect =
    "SELECT SETTLEMENT,COMMODITY,SETDTE FROM HVXGR04F WHERE TODPR='%s'";
const char* const kContractViewFailed = "Unable to read the contracts of %s.";

}  // namespace

bool LookupSettlement(UiPort& ui, SettlementType type, std::string& settlementField) {
    std::string chosen = settlementField;
    const std::string select = _HVXsprintf(kSettlementLookupSelect, StypeOf(type));
    if (ui.SearchWin(chosen, kSettlementLookupColumns, select, kSettlementLookupKey) == 0)
        return false;
    settlementField = chosen;
    return true;
}

bool ReadContractView(const std::string& category, std::vector<ContractViewRow>& rows,
                      std::string& error) {
    rows.clear();
    HVXSConnection connection(1, nullptr, 0);
    std::vector<SqlRow> read;
    if (!LiteralStatements(connection).Query({kContractViewSelect}, {category}, 3, read)) {
        error = _HVXsprintf(kContractViewFailed, category);
        return false;
    }
    for (SqlRow& r : read) rows.push_back({std::move(r[0]), std::move(r[1]), std::move(r[2])});
    return true;
}

}  // namespace hvx::settlement
