#include "windows/sources/SettleLookups.h"

#include <array>
#include <vector>

#include "data/ReferenceLookups.h"
#include "platform/Fail.h"
#include "platform/Format.h"
#include "platform/HVXSConnection.h"
#include "platform/Statements.h"
#include "platform/Text.h"
#include "platform/UiPort.h"
#include "rules/Categories.h"
#include "windows/entry/ContractSourcePick.h"

namespace hvx {
namespace {

struct ContractList {
    std::string_view category;
    std::string_view title;
};

constexpr std::array<ContractList, 9> kContractLists{{
    {kPricedLater, "Find Priced Later Contract To Settle"},
    {kFuturesFixed, "Find Futures Fixed Contract To Settle"},
    {kMinimumPriced, "Find Minimum Priced Contract To Settle"},
    {kStorageTicket, "Find Storage Ticket To Settle"},
    {kGrainBank, "Find Grain Bank Contract To Settle"},
    {kBasisFixed, "Find Basis Fixed Contract To Settle"},
    {kHedgedToArrive, "Find Hedged-to-Arrive Contract To Settle"},
    {kInstallmentSale, "Find Installment Sale To Settle"},
    {kCCC, "Find CCC Contract To Settle"},
}};

const char* const kContractSelect =
    "SELECT CONTRACT,SETTLEMENT,COMMODITY,OUNITS,UNITSSET,STR(RECNO) FROM HVXGR04F WHERE "
    "TODPR='%s' AND CUSTREF='%s' AND STATUS='O'";
const char* const kContractColumns =
    "CONTRACT,Contract #,20,0,SETTLEMENT,Settlement #,20,0,COMMODITY,Commodity,20,0,OUNITS,"
    "Unsettled,20,0,UNITSSET,Total,20,0";

const char* const kAssemblySelect =
    "SELECT ASSEMBLY,CONTRACT,COMMODITY,LOCATION,DPR,SHAREUNITS,SETTUNITS,STR(RECNO) FROM "
    "HVXGR02S WHERE CUSTREF='%s' AND SETTLED='F'";
const char* const kAssemblySelectOfCommodity =
    "SELECT ASSEMBLY,CONTRACT,COMMODITY,LOCATION,DPR,SHAREUNITS,SETTUNITS,STR(RECNO) FROM "
    "HVXGR02S WHERE CUSTREF='%s' AND SETTLED='F' AND COMMODITY='%s' AND LOCATION='%s'";
const char* const kAssemblyColumns =
    "ASSEMBLY,Assembly #,13,-1,CONTRACT,Contract,11,0,COMMODITY,Commodity,13,0,LOCATION,Loc.,8,0,"
    "DPR,DPR,18,0,SHAREUNITS,Share Units,15,0,SETTUNITS,Settled Units,15,0";
const char* const kLimiterColumns =
    "ASSEMBLY,Assembly #,13,-1,CONTRACT,Contract,11,0,COMMODITY,Commodity,10,0,LOCATION,Loc.,8,0,"
    "DPR,DPR,18,0,SHAREUNITS,Share Units,15,0,SETTUNITS,Settled Units,15,0";
const char* const kAssemblyReadBack =
    "SELECT COMMODITY,DPR,LOCATION,SHAREUNITS,SETTUNITS,LINEID FROM HVXGR02S WHERE RECNO=%.0f";

const char* const kNotReadBack = "Unable to read the selected record back.";

// Units as the commodity shows them.
std::string CommodityUnits(const std::string& commodity, const std::string& units) {
    const std::string format = data::PriceFormat(data::LookupCommodityDecimals(commodity).decimals);
    return _HVXsprintf(format, TextNumber(units));
}

bool ReadBack(const char* sql, double recno, int columns, SqlRow& row, std::string& message) {
    HVXSConnection connection(1, nullptr, 0);
    LiteralStatements statements(connection);
    std::vector<SqlRow> rows;
    if (!statements.Query({sql}, {recno}, columns, rows)) return Fail(message, statements.LastError());
    if (rows.empty()) return Fail(message, kNotReadBack);
    row = rows.front();
    return true;
}

}  // namespace

std::string_view ContractLookupTitle(std::string_view category) {
    for (const ContractList& list : kContractLists)
        if (list.category == category) return list.title;
    return {};
}

LookupResult FindContractToSettle(UiPort& ui, std::string_view category, std::string_view custRef,
                                  std::string& start, ContractPick& pick, std::string& message) {
    const std::string_view title = ContractLookupTitle(category);
    if (title.empty()) return LookupResult::Cancelled;
    if (custRef.empty()) {
        ShowMessage(ui, kMsgNoCustomerReference);
        return LookupResult::Cancelled;
    }
    const std::string select = _HVXsprintf(kContractSelect, category, custRef);
    const double recno = ui.TitledSearchWin(title, start, kContractColumns, select, "");
    if (recno == 0) return LookupResult::Cancelled;
    // Read back as a settlement window takes a picked contract, then shown as the lookup shows it.
    entry::ContractSourcePick r;
    if (!entry::ReadContractPick(recno, category, start, r, message)) return LookupResult::Failed;
    const bool installment = category == kInstallmentSale;
    pick = ContractPick{recno, start, r.settlement, r.commodity, r.location, r.sourceLink,
                        CommodityUnits(r.commodity, r.openUnits),
                        CommodityUnits(r.commodity, r.unitsSet),
                        installment ? _HVXsprintf("%.2f", TextNumber(r.netAmt)) : std::string(),
                        installment ? _HVXsprintf("%.2f", TextNumber(r.isDolUsed)) : std::string(),
                        r.caption};
    return LookupResult::Picked;
}

LookupResult FindAssemblyToSettle(UiPort& ui, AssemblyListUse use, std::string_view custRef,
                                  std::string_view commodity, std::string_view location,
                                  std::string& start, AssemblyPick& pick, std::string& message) {
    if (custRef.empty()) {
        ShowMessage(ui, kMsgNoCustomerReference);
        return LookupResult::Cancelled;
    }
    const std::string select =
        commodity.empty() ? _HVXsprintf(kAssemblySelect, custRef)
                          : _HVXsprintf(kAssemblySelectOfCommodity, custRef, commodity, location);
    const char* columns = use == AssemblyListUse::Limiter ? kLimiterColumns : kAssemblyColumns;
    const double recno = ui.TitledSearchWin(kFindAssemblyTitle, start, columns, select, "");
    if (recno == 0) return LookupResult::Cancelled;
    SqlRow r;
    if (!ReadBack(kAssemblyReadBack, recno, 6, r, message)) return LookupResult::Failed;
    pick = AssemblyPick{recno, start, r[0], r[1], r[2], r[5],
                        CommodityUnits(r[0], r[3]), CommodityUnits(r[0], r[4]),
                        "Assembly : " + start};
    return LookupResult::Picked;
}

}  // namespace hvx
