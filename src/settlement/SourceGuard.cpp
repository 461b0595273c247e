#include "settlement/SourceGuard.h"

#include <vector>

#include "platform/Format.h"
#include "platform/Statements.h"
#include "rules/Categories.h"
#include "rules/StoredText.h"
#include "settlement/SourceSql.h"

namespace hvx::settlement {
namespace {

const SqlPair kSplit{"SELECT SHAREUNITS,SETTUNITS FROM HVXGR02S WHERE LINEID='%s' FOR UPDATE",
                     "SELECT SHAREUNITS,SETTUNITS FROM HVXGR02S WHERE LINEID = ? FOR UPDATE"};
const SqlPair kTicket{
    "SELECT UNITS,UNITSSET,ASSEMLINK FROM HVXGR03A WHERE STDLINEID='%s' FOR UPDATE",
    "SELECT UNITS,UNITSSET,ASSEMLINK FROM HVXGR03A WHERE STDLINEID = ? FOR UPDATE"};
const SqlPair kContract{"SELECT OUNITS,TODPR,CONTRACT FROM HVXGR04F WHERE DLLINK='%.0f' FOR UPDATE",
                        "SELECT OUNITS,TODPR,CONTRACT FROM HVXGR04F WHERE DLLINK = ? FOR UPDATE"};

// The row of a source, held until commit; false (engine's message) on a database error.
bool Hold(Statements& sql, const SqlPair& statement, const SqlValues& key, int columns, SqlRow& row,
          std::string& message) {
    std::vector<SqlRow> rows;
    if (!sql.Query(statement, key, columns, rows)) {
        message = sql.LastError();
        return false;
    }
    row = rows.empty() ? SqlRow{} : rows.front();
    return true;
}

bool Refuse(std::string& message, std::string text) {
    message = std::move(text) + "\n" + std::string(kMsgTakenMeanwhile);
    return false;
}

// The validation's sentence, for any source: what it is and holds, the units beyond, its link.
std::string BeyondMessage(std::string_view what, double beyond, std::string_view link) {
    return _HVXsprintf(
        "Saving this settlement will make settled units greater than %s by %.2f units. <%s>", what,
        beyond, link);
}

}  // namespace

std::string SplitBeyondShareMessage(std::string_view assembly, double beyond,
                                    std::string_view splitLink) {
    return BeyondMessage(_HVXsprintf("assembly %s share units", assembly), beyond, splitLink);
}

bool GuardSplit(Statements& sql, std::string_view assembly, std::string_view splitLink,
                double units, std::string& message) {
    SqlRow split;
    if (!Hold(sql, kSplit, {splitLink}, 2, split, message)) return false;
    if (split.empty() || units <= 0) return true;
    const double share = TextNumber(split[0]);
    const double settled = TextNumber(split[1]) + units;
    return !UnitsBelow(share, settled) ||
           Refuse(message, SplitBeyondShareMessage(assembly, settled - share, splitLink));
}

bool GuardTicket(Statements& sql, std::string_view ticket, std::string_view ticketLink,
                 double units, std::string& message) {
    SqlRow row;
    if (!Hold(sql, kTicket, {ticketLink}, 3, row, message)) return false;
    if (row.empty()) return true;
    // The ticket's units are settled on its split as well.
    SqlRow split;
    if (!Hold(sql, kSplit, {row[2]}, 2, split, message)) return false;
    if (units <= 0) return true;
    const double ticketUnits = TextNumber(row[0]);
    const double settled = TextNumber(row[1]) + units;
    return !UnitsBelow(ticketUnits, settled) ||
           Refuse(message, BeyondMessage(_HVXsprintf("scale ticket %s units", ticket),
                                         settled - ticketUnits, ticketLink));
}

bool GuardContract(Statements& sql, double dlLink, double units, std::string& message) {
    SqlRow row;
    if (!Hold(sql, kContract, {dlLink}, 3, row, message)) return false;
    // An installment sale is paid off in dollars, checked when the amount is
    // entered; the units that follow from them may round past the open units.
    if (row.empty() || units <= 0 || row[1] == kInstallmentSale) return true;
    const double open = TextNumber(row[0]);
    return !UnitsBelow(open, units) ||
           Refuse(message, BeyondMessage(_HVXsprintf("contract %s open units", row[2]),
                                         units - open, _HVXsprintf("%.0f", dlLink)));
}

}  // namespace hvx::settlement
