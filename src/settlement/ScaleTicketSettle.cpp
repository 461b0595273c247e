#include "settlement/ScaleTicketSettle.h"

#include <vector>

#include "platform/Rounding.h"
#include "rules/StoredText.h"
#include "settlement/AssemblySettle.h"
#include "settlement/SourceSql.h"

namespace hvx::settlement {
namespace {

const SqlPair kTicket{"SELECT UNITS,UNITSSET,ASSEMLINK FROM HVXGR03A WHERE STDLINEID = '%s'",
                      "SELECT UNITS,UNITSSET,ASSEMLINK FROM HVXGR03A WHERE STDLINEID = ?"};
const SqlPair kUpdateTicket{
    "UPDATE HVXGR03A SET UNITSSET = '%.04f',SETTLED = '%s' WHERE STDLINEID = '%s'",
    "UPDATE HVXGR03A SET UNITSSET = ?, SETTLED = ? WHERE STDLINEID = ?"};
const SqlPair kSplit{"SELECT SHAREUNITS,SETTUNITS FROM HVXGR02S WHERE LINEID='%s'",
                     "SELECT SHAREUNITS,SETTUNITS FROM HVXGR02S WHERE LINEID = ?"};
const SqlPair kUpdateSplit{"UPDATE HVXGR02S SET SETTUNITS='%.04f',SETTLED='%s' WHERE LINEID='%s'",
                           "UPDATE HVXGR02S SET SETTUNITS = ?, SETTLED = ? WHERE LINEID = ?"};

}  // namespace

bool SettleScaleTicket(Statements& sql, std::string_view ticketLink, double units) {
    std::vector<SqlRow> rows;
    if (!sql.Query(kTicket, {ticketLink}, 3, rows)) return false;
    if (rows.empty()) return true;
    const double ticketUnits = TextNumber(rows[0][0]);
    const double settled = TextNumber(rows[0][1]) + units;
    const std::string splitLink = rows[0][2];
    const char* flag = UnitsEqual(ticketUnits, settled) ? "D" : "F";
    if (SettleUpdateFailed(sql, sql.Change(kUpdateTicket, {HVXRound(settled, 4), flag, ticketLink})))
        return false;

    if (!sql.Query(kSplit, {splitLink}, 2, rows)) return false;
    if (rows.empty()) return true;
    const double splitSettled = TextNumber(rows[0][1]) + units;
    const char* splitFlag = SplitSettledFlag(TextNumber(rows[0][0]), splitSettled);
    return !SettleUpdateFailed(sql, 
        sql.Change(kUpdateSplit, {HVXRound(splitSettled, 4), splitFlag, splitLink}));
}

bool SettleScaleTicket(HVXSConnection& connection, std::string_view ticketLink, double units) {
    LiteralStatements sql(connection);
    return SettleScaleTicket(sql, ticketLink, units);
}

bool SettleScaleTicket(HVXConnection& connection, std::string_view ticketLink, double units) {
    PreparedStatements sql(connection);
    return SettleScaleTicket(sql, ticketLink, units);
}

}  // namespace hvx::settlement
