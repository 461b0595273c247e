#include "settlement/PostedUnits.h"

#include <string>

#include "platform/HVXSConnection.h"
#include "platform/Rounding.h"
#include "platform/Statements.h"
#include "rules/SourceKinds.h"
#include "rules/StoredText.h"
#include "settlement/SourceSql.h"

namespace hvx::settlement {

bool AddPostedUnits(HVXSConnection& connection, std::string_view splitLink, double units) {
    if (units == 0) return true;
    LiteralStatements sql(connection);
    std::vector<SqlRow> rows;
    if (!sql.Query({"SELECT SHAREUNITS,SETTUNITS,PSETUNITS FROM HVXGR02S WHERE LINEID='%s'"},
                   {splitLink}, 3, rows))
        return false;
    if (rows.empty()) return true;
    const double posted = TextNumber(rows.front()[2]) + units;
    return sql.Change({"UPDATE HVXGR02S SET PSETUNITS='%.4f' WHERE LINEID='%s'"},
                      {HVXRound(posted, 4), splitLink}) >= 0;
}

bool RefreshAssemblySettledFlag(HVXSConnection& connection, std::string_view assembly) {
    LiteralStatements sql(connection);
    std::vector<SqlRow> rows;
    if (!sql.Query({"SELECT SHAREUNITS,PSETUNITS FROM HVXGR02S WHERE ASSEMBLY='%s'"}, {assembly}, 2,
                   rows))
        return false;
    bool settled = true;
    for (const SqlRow& row : rows) {
        const double share = TextNumber(row[0]);
        if (share == 0 || UnitsBelow(TextNumber(row[1]), share)) settled = false;
    }
    const char* update = settled ? "UPDATE HVXGR02 SET SETTLED = 'T' WHERE ASSEMBLY = '%s'"
                                 : "UPDATE HVXGR02 SET SETTLED = 'F' WHERE ASSEMBLY = '%s'";
    return sql.Change({update}, {assembly}) >= 0;
}

bool PostSourceUnits(HVXSConnection& connection, std::string_view sourceKind,
                     std::string_view sourceLink, std::string_view sourceRef, double units) {
    if (sourceKind == kAssembly)
        return AddPostedUnits(connection, sourceLink, units) &&
               RefreshAssemblySettledFlag(connection, sourceRef);
    if (sourceKind != kScaleTicket) return true;
    std::vector<SqlRow> rows;
    if (!LiteralStatements(connection)
             .Query({"SELECT ASSEMLINK,ASSEMBLY FROM HVXGR03A WHERE STDLINEID='%s'"}, {sourceLink},
                    2, rows))
        return false;
    if (rows.empty()) return true;
    const SqlRow& ticket = rows.front();
    return AddPostedUnits(connection, ticket[0], units) &&
           RefreshAssemblySettledFlag(connection, ticket[1]);
}

}  // namespace hvx::settlement
