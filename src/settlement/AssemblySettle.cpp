#include "settlement/AssemblySettle.h"

#include <vector>

#include "platform/Rounding.h"
#include "rules/StoredText.h"
#include "settlement/SourceSql.h"

namespace hvx::settlement {
namespace {

const SqlPair kSplit{"SELECT SHAREUNITS,SETTUNITS,PSETUNITS FROM HVXGR02S WHERE LINEID='%s'",
                     "SELECT SHAREUNITS,SETTUNITS,PSETUNITS FROM HVXGR02S WHERE LINEID = ?"};
const SqlPair kUpdateSplit{"UPDATE HVXGR02S SET SETTUNITS='%.04f',SETTLED='%s' WHERE LINEID='%s'",
                           "UPDATE HVXGR02S SET SETTUNITS = ?,SETTLED = ? WHERE LINEID = ?"};
const SqlPair kTicketsSettledAlone{
    "SELECT UNITS,RECNO FROM HVXGR03A WHERE ASSEMLINK = '%s' AND SETTLED = '%s'",
    "SELECT UNITS,RECNO FROM HVXGR03A WHERE ASSEMLINK = ? AND SETTLED = ?"};
const SqlPair kTicketsToSpread{
    "SELECT RECNO,UNITS FROM HVXGR03A WHERE ASSEMLINK = '%s' AND SETTLED <> '%s' ORDER BY "
    "SCALETICK",
    "SELECT RECNO,UNITS FROM HVXGR03A WHERE ASSEMLINK = ? AND SETTLED <> ? ORDER BY SCALETICK"};
const SqlPair kUpdateTicket{
    "UPDATE HVXGR03A SET UNITSSET = '%.4f', SETTLED = '%s' WHERE RECNO = %s",
    "UPDATE HVXGR03A SET UNITSSET = ?, SETTLED = ? WHERE RECNO = ?"};

// The office's switch, read on the settling connection and inside its
// transaction, so that a failed read fails the settle rather than quietly
// skipping the spreading. On only for an upper-case "T", as everywhere.
const SqlPair kSettByTicket{"SELECT SETTBYTICK FROM HVXGR40", "SELECT SETTBYTICK FROM HVXGR40"};

// A ticket settled by ticket keeps its units; the assembly's units cover
// the others.
constexpr const char* kSettledByTicket = "D";

}  // namespace

const char* SplitSettledFlag(double shareUnits, double settledUnits) {
    return shareUnits != 0 && UnitsAtMost(shareUnits, settledUnits) ? "T" : "F";
}

bool SettleAssemblySplit(Statements& sql, std::string_view splitLink, double units) {
    if (units == 0) return true;
    std::vector<SqlRow> rows;
    if (!sql.Query(kSplit, {splitLink}, 3, rows)) return false;
    if (rows.empty()) return true;
    const double share = TextNumber(rows[0][0]);
    const double settled = TextNumber(rows[0][1]) + units;
    const char* flag = SplitSettledFlag(share, settled);
    const double stored = HVXRound(settled, 4);
    if (SettleUpdateFailed(sql, sql.Change(kUpdateSplit, {stored, flag, splitLink}))) return false;
    if (!sql.Query(kSettByTicket, {}, 1, rows)) return false;
    const bool byTicket = !rows.empty() && !rows[0][0].empty() && rows[0][0].front() == 'T';
    return !byTicket || SpreadAssemblyOverTickets(sql, splitLink, stored, flag[0] == 'T');
}

bool SettleAssemblySplit(HVXSConnection& connection, std::string_view splitLink, double units) {
    LiteralStatements sql(connection);
    return SettleAssemblySplit(sql, splitLink, units);
}

bool SettleAssemblySplit(HVXConnection& connection, std::string_view splitLink, double units) {
    PreparedStatements sql(connection);
    return SettleAssemblySplit(sql, splitLink, units);
}

bool SpreadAssemblyOverTickets(Statements& sql, std::string_view splitLink, double settledUnits,
                               bool fullySettled) {
    // What remains is kept at 4 decimals, like every quantity it is made
    // of, so a ticket that exactly uses up the rest is found covered and not
    // short by a binary remainder.
    double remaining = HVXRound(settledUnits, 4);
    std::vector<SqlRow> rows;
    if (!sql.Query(kTicketsSettledAlone, {splitLink, kSettledByTicket}, 2, rows)) return false;
    for (const SqlRow& ticket : rows)
        remaining = HVXRound(remaining - HVXRound(TextNumber(ticket[0]), 4), 4);

    if (!sql.Query(kTicketsToSpread, {splitLink, kSettledByTicket}, 2, rows)) return false;
    for (const SqlRow& ticket : rows) {
        const double units = HVXRound(TextNumber(ticket[1]), 4);
        double settled = units;
        const char* flag = "T";
        if (!fullySettled) {
            if (units < 0) {
                settled = 0;
                flag = "F";
            } else if (remaining < units) {
                settled = remaining;
                remaining = 0;
                flag = "F";
            } else {
                remaining = HVXRound(remaining - units, 4);
            }
        }
        const std::string recno = _Fmt("%.0f", TextNumber(ticket[0]));
        if (sql.Change(kUpdateTicket, {settled, flag, recno}) < 1) return false;
    }
    return true;
}

bool SpreadAssemblyOverTickets(HVXSConnection& connection, std::string_view splitLink,
                               double settledUnits, bool fullySettled) {
    LiteralStatements sql(connection);
    return SpreadAssemblyOverTickets(sql, splitLink, settledUnits, fullySettled);
}

bool SpreadAssemblyOverTickets(HVXConnection& connection, std::string_view splitLink,
                               double settledUnits, bool fullySettled) {
    PreparedStatements sql(connection);
    return SpreadAssemblyOverTickets(sql, splitLink, settledUnits, fullySettled);
}

}  // namespace hvx::settlement
