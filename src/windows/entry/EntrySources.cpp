#include "windows/entry/EntrySources.h"

#include "data/ReferenceLookups.h"
#include "platform/Fail.h"
#include "platform/Format.h"
#include "platform/HVXSConnection.h"
#include "platform/Statements.h"
#include "platform/Text.h"
#include "rules/SourceKinds.h"
#include "settlement/SettlementRecordSet.h"
#include "windows/entry/SettlementEntryWindow.h"

namespace hvx::entry {
namespace {

const char* const kSplitOpen = "SELECT SHAREUNITS,SETTUNITS FROM HVXGR02S WHERE LINEID='%s'";
const char* const kTicketOpen = "SELECT UNITS,UNITSSET FROM HVXGR03A WHERE STDLINEID='%s'";
const char* const kContractOpen =
    "SELECT OUNITS,NETAMT,ISDOLUSED,UNITSSET FROM HVXGR04F WHERE DLLINK='%s'";

bool BySettledAmount(const EntryLine& line) {
    return SettledQuantityOf(line.sourceKind) == SettledQuantity::Amount;
}

}  // namespace

bool ReadSourceOpen(EntryLine& line, std::string& message) {
    line.sourceOpen = 0;
    if (!HasSourceRecord(line.sourceKind) || line.sourceLink.empty()) return true;
    const bool split = line.sourceKind == kAssembly;
    const bool ticket = line.sourceKind == kScaleTicket;
    HVXSConnection connection(1, nullptr, 0);
    std::vector<SqlRow> rows;
    const char* sql = split ? kSplitOpen : ticket ? kTicketOpen : kContractOpen;
    if (!LiteralStatements(connection).Query({sql}, {line.sourceLink}, split || ticket ? 2 : 4,
                                             rows) ||
        rows.empty())
        return Fail(message, _HVXsprintf("Unable to read source %s (%s).", line.sourceRef,
                                         line.sourceKind));
    const SqlRow& row = rows.front();
    if (split || ticket) {
        line.sourceOpen = TextNumber(row[0]) - TextNumber(row[1]);
        return true;
    }
    line.sourceOpen = TextNumber(row[0]);
    line.installment = {TextNumber(row[1]), TextNumber(row[2]), TextNumber(row[3])};
    return true;
}

double SourceTotal(const settlement::SettlementRecordSet& set, const EntryLine& line) {
    double total = BySettledAmount(line) ? line.installment.netAmount - line.installment.dollarsUsed
                                         : line.sourceOpen;
    if (const settlement::SettlementUniqueDetailItem* source =
            set.details.FindSource({line.sourceKind, line.sourceRef, line.sourceLink}))
        total += BySettledAmount(line) ? source->savedDollars : source->savedUnits;
    return total;
}

double Available(const settlement::SettlementRecordSet& set, const EntryLine& line) {
    double taken = 0;
    for (const auto& item : set.details.Items()) {
        if (item.dlLink == line.editingLink) continue;
        if (item.Key() != settlement::SourceKey{line.sourceKind, line.sourceRef, line.sourceLink})
            continue;
        taken += BySettledAmount(line) ? item.totPrice : item.unitsSet;
    }
    return SourceTotal(set, line) - taken;
}

int CommodityDecimalPlaces(std::string_view commodity) {
    const data::CommodityDecimals found = data::LookupCommodityDecimals(commodity);
    if (!found.found) return 2;
    const std::string format = data::PriceFormat(found.decimals);  // "%.4f"
    return format.size() > 3 ? format[2] - '0' : 2;
}

}  // namespace hvx::entry
