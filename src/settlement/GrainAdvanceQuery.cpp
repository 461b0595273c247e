#include "settlement/GrainAdvanceQuery.h"

#include "platform/HVXConnection.h"

namespace hvx::settlement {
namespace {

bool BindAll(HVXConnection& connection, std::string_view sql,
             const std::vector<std::string>& values) {
    for (const std::string& value : values)
        if (connection.BindParam(sql, std::string_view(value)) != 0) return false;
    return true;
}

}  // namespace

bool QueryAdvanceRows(HVXConnection& connection, std::string_view sql,
                      const std::vector<std::string>& values, int columns,
                      std::vector<AdvanceRow>& rows) {
    rows.clear();
    if (!BindAll(connection, sql, values) || connection.ExecuteSQL(sql) < 0) return false;
    while (connection.FetchNext(sql)) {
        AdvanceRow row;
        for (int n = 1; n <= columns; ++n) row.emplace_back(connection.ColumnVar(sql, n));
        rows.push_back(std::move(row));
    }
    return true;
}

int ChangeAdvanceRows(HVXConnection& connection, std::string_view sql,
                      const std::vector<std::string>& values) {
    if (!BindAll(connection, sql, values)) return -1;
    return connection.ExecuteSQL(sql);
}

}  // namespace hvx::settlement
