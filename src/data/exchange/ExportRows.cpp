#include "data/exchange/ExportRows.h"

#include "data/csv/CsvWriter.h"
#include "platform/Statements.h"

namespace hvx::exchange {

bool ExportRows(const ExchangeKind& kind, std::ostream& out, std::string& error) {
    std::vector<std::string> heading;
    std::string columns;
    for (const ExchangeColumn& column : kind.columns) {
        heading.emplace_back(column.name);
        columns += (columns.empty() ? "" : ",") + std::string(column.name);
    }
    const std::string query = kind.exportQuery
                                  ? kind.exportQuery
                                  : "SELECT " + columns + " FROM " + kind.table + " ORDER BY RECNO";
    std::vector<SqlRow> found;
    if (!RunNative(nullptr, query, {}, &found, error)) return false;
    csv::WriteRecord(out, heading);
    for (const SqlRow& row : found) csv::WriteRecord(out, row);
    return true;
}

}  // namespace hvx::exchange
