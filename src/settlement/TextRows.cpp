#include "settlement/TextRows.h"

#include "platform/HVXSConnection.h"

namespace hvx::settlement {

bool ReadRows(HVXSConnection& connection, std::string_view sql, int columns,
              std::vector<TextRow>& rows) {
    rows.clear();
    if (!connection.ExecSQL(sql)) return false;
    while (connection.FetchNext()) {
        TextRow row;
        for (int n = 1; n <= columns; ++n) row.push_back(connection.Column(n));
        rows.push_back(std::move(row));
    }
    connection.FreeStatement();
    return true;
}

}  // namespace hvx::settlement
