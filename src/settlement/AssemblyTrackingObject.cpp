#include "settlement/AssemblyTrackingObject.h"

#include <algorithm>

#include "platform/Format.h"
#include "platform/HVXConnection.h"
#include "platform/HVXSConnection.h"
#include "rules/SourceKinds.h"
#include "rules/StoredText.h"
#include "settlement/ChildListText.h"
#include "settlement/ChildRowStore.h"
#include "settlement/SettlementDetailList.h"

namespace hvx::settlement {
namespace {

const ChildTable kLinkTable{
    .name = "HVXGR04H",
    .linkColumn = "SETTLINK",
    .literalInsert =
        "INSERT INTO HVXGR04H (FLINK,ASSEMBLY,SETTLINK,RECNO) VALUES ('%s','%s','%s',%.0f)",
    .preparedInsert = "INSERT INTO HVXGR04H (FLINK,ASSEMBLY,SETTLINK,RECNO) VALUES (?,?,?,?)",
    .saveFailure = "Error writing information to HVXGR04H.",
    .deleteFailure = "Error deleting from HVXGR04H.",
};

bool QueryFailed(HVXSConnection& connection, std::string& message) {
    message = connection.LastError();
    return false;
}

}  // namespace

void AssemblyTrackingObject::Add(std::string_view assembly) {
    const std::string kept = KeepFirst(assembly, kListFieldChars);
    if (std::ranges::find(assemblies_, kept) == assemblies_.end()) assemblies_.push_back(kept);
}

bool AssemblyTrackingObject::Build(const SettlementDetailList& lines,
                                   HVXSConnection& connection, std::string& message) {
    Clear();
    for (const SettlementDetailItem& line : lines.Items()) {
        if (line.source == kAssembly) {
            Add(line.sourceRef);
        } else if (line.source == kScaleTicket) {
            if (!connection.ExecSQL(_HVXsprintf(
                    "SELECT ASSEMBLY FROM HVXGR03A WHERE STDLINEID='%s'", line.sourceLink)))
                return QueryFailed(connection, message);
            if (connection.FetchNext()) Add(connection.Column(1));
        } else {
            if (!connection.ExecSQL(_HVXsprintf("SELECT RECNO FROM HVXGR04F WHERE DLLINK='%s'",
                                                line.sourceLink)))
                return QueryFailed(connection, message);
            if (!connection.FetchNext()) continue;
            const std::string flink = _Fmt("%.0f", TextNumber(connection.Column(1)));
            if (!connection.ExecSQL(
                    _HVXsprintf("SELECT ASSEMBLY FROM HVXGR04H WHERE FLINK='%s'", flink)))
                return QueryFailed(connection, message);
            while (connection.FetchNext()) Add(connection.Column(1));
        }
    }
    connection.FreeStatement();
    return true;
}

bool AssemblyTrackingObject::DeleteLinks(HVXSConnection& connection, std::string_view setLink,
                                         std::string& message) const {
    return DeleteRows(connection, kLinkTable, setLink, message);
}

bool AssemblyTrackingObject::DeleteLinks(HVXConnection& connection, std::string_view setLink,
                                         std::string& message) const {
    static const std::string sql = "DELETE FROM HVXGR04H WHERE SETTLINK = ?";
    connection.BindParam(sql, setLink);
    if (connection.ExecuteSQL(sql) >= 0) return true;
    message = kLinkTable.deleteFailure;
    return false;
}

bool AssemblyTrackingObject::WriteLinks(HVXSConnection& connection, std::string_view flink,
                                        std::string_view setLink, std::string& message) const {
    for (const std::string& assembly : assemblies_)
        if (!InsertRow(connection, kLinkTable, {std::string(flink), assembly, std::string(setLink)},
                       true, message))
            return false;
    return true;
}

bool AssemblyTrackingObject::WriteLinks(HVXConnection& connection, std::string_view flink,
                                        std::string_view setLink, std::string& message) const {
    for (const std::string& assembly : assemblies_)
        if (!InsertRow(connection, kLinkTable, {std::string(flink), assembly, std::string(setLink)},
                       message))
            return false;
    return true;
}

}  // namespace hvx::settlement
