#include "settlement/PostedUnits.h"

#include <string>

#include "platform/Format.h"
#include "platform/HVXSConnection.h"
#include "platform/Rounding.h"
#include "rules/SourceKinds.h"
#include "rules/StoredText.h"
#include "settlement/SourceSql.h"

namespace hvx::settlement {

bool AddPostedUnits(HVXSConnection& connection, std::string_view splitLink, double units) {
    if (units == 0) return true;
    if (!connection.ExecSQL(_HVXsprintf(
            "SELECT SHAREUNITS,SETTUNITS,PSETUNITS FROM HVXGR02S WHERE LINEID='%s'", splitLink)))
        return false;
    if (!connection.FetchNext()) return true;
    const double posted = TextNumber(connection.Column(3)) + units;
    connection.FreeStatement();
    return connection.ExecSQLChange(
               _HVXsprintf("UPDATE HVXGR02S SET PSETUNITS='%.4f' WHERE LINEID='%s'",
                           HVXRound(posted, 4), splitLink)) >= 0;
}

bool RefreshAssemblySettledFlag(HVXSConnection& connection, std::string_view assembly) {
    if (!connection.ExecSQL(
            _HVXsprintf("SELECT SHAREUNITS,PSETUNITS FROM HVXGR02S WHERE ASSEMBLY='%s'", assembly)))
        return false;
    bool settled = true;
    while (connection.FetchNext()) {
        const double share = TextNumber(connection.Column(1));
        if (share == 0 || UnitsBelow(TextNumber(connection.Column(2)), share)) settled = false;
    }
    connection.FreeStatement();
    const char* sql = settled ? "UPDATE HVXGR02 SET SETTLED = 'T' WHERE ASSEMBLY = '%s'"
                              : "UPDATE HVXGR02 SET SETTLED = 'F' WHERE ASSEMBLY = '%s'";
    return connection.ExecSQLChange(_HVXsprintf(sql, assembly)) >= 0;
}

bool PostSourceUnits(HVXSConnection& connection, std::string_view sourceKind,
                     std::string_view sourceLink, std::string_view sourceRef, double units) {
    if (sourceKind == kAssembly)
        return AddPostedUnits(connection, sourceLink, units) &&
               RefreshAssemblySettledFlag(connection, sourceRef);
    if (sourceKind != kScaleTicket) return true;
    if (!connection.ExecSQL(_HVXsprintf(
            "SELECT ASSEMLINK,ASSEMBLY FROM HVXGR03A WHERE STDLINEID='%s'", sourceLink)))
        return false;
    if (!connection.FetchNext()) return true;
    const std::string splitLink = connection.Column(1);
    const std::string assembly = connection.Column(2);
    connection.FreeStatement();
    return AddPostedUnits(connection, splitLink, units) &&
           RefreshAssemblySettledFlag(connection, assembly);
}

}  // namespace hvx::settlement
