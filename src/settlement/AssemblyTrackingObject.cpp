#include "settlement/AssemblyTrackingObject.h"

#include <algorithm>

#include "platform/Format.h"
#include "platform/HVXConnection.h"
#include "platform/HVXSConnection.h"
#include "rules/SourceKinds.h"
#include "rules/StoredText.h"
#include "settlement/ChildList.h"
#include "settlement/ChildListText.h"
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

}  // namespace

void AssemblyTrackingObject::Add(std::string_view assembly) {
    const std::string kept = KeepFirst(assembly, kListFieldChars);
    if (std::ranges::find(assemblies_, kept) == assemblies_.end()) assemblies_.push_back(kept);
}

bool AssemblyTrackingObject::Build(const SettlementDetailList& lines, HVXSConnection& connection,
                                   std::string& message) {
    Clear();
    LiteralStatements sql(connection);
    std::vector<SqlRow> rows;
    const auto read = [&](const char* select, std::string_view link) {
        if (sql.Query({select}, {link}, 1, rows)) return true;
        message = sql.LastError();
        return false;
    };
    for (const SettlementDetailItem& line : lines.Items()) {
        if (line.source == kAssembly) {
            Add(line.sourceRef);
        } else if (line.source == kScaleTicket) {
            if (!read("SELECT ASSEMBLY FROM HVXGR03A WHERE STDLINEID='%s'", line.sourceLink))
                return false;
            if (!rows.empty()) Add(rows.front()[0]);
        } else {
            if (!read("SELECT RECNO FROM HVXGR04F WHERE DLLINK='%s'", line.sourceLink))
                return false;
            if (rows.empty()) continue;
            const std::string flink = _Fmt("%.0f", TextNumber(rows.front()[0]));
            if (!read("SELECT ASSEMBLY FROM HVXGR04H WHERE FLINK='%s'", flink)) return false;
            for (const SqlRow& row : rows) Add(row[0]);
        }
    }
    return true;
}

bool AssemblyTrackingObject::DeleteLinks(HVXSConnection& connection, std::string_view setLink,
                                         std::string& message) const {
    LiteralStatements sql(connection);
    return DeleteRows(sql, kLinkTable, setLink, message);
}

// The save deletes the links with one statement, not row by row as the
// other child lists do.
bool AssemblyTrackingObject::DeleteLinks(HVXConnection& connection, std::string_view setLink,
                                         std::string& message) const {
    if (PreparedStatements(connection)
            .Change({{}, "DELETE FROM HVXGR04H WHERE SETTLINK = ?"}, {setLink}) >= 0)
        return true;
    message = kLinkTable.deleteFailure;
    return false;
}

bool AssemblyTrackingObject::WriteLinks(HVXSConnection& connection, std::string_view flink,
                                        std::string_view setLink, std::string& message) const {
    LiteralStatements sql(connection);
    return WriteLinks(sql, flink, setLink, true, message);
}

bool AssemblyTrackingObject::WriteLinks(HVXConnection& connection, std::string_view flink,
                                        std::string_view setLink, std::string& message) const {
    PreparedStatements sql(connection);
    return WriteLinks(sql, flink, setLink, false, message);
}

bool AssemblyTrackingObject::WriteLinks(Statements& sql, std::string_view flink,
                                        std::string_view setLink, bool failBelowOne,
                                        std::string& message) const {
    for (const std::string& assembly : assemblies_)
        if (!InsertRow(sql, kLinkTable, {std::string(flink), assembly, std::string(setLink)},
                       failBelowOne, message))
            return false;
    return true;
}

}  // namespace hvx::settlement
