// The list of every table, in creation order.
#include <cctype>

#include "data/TableGroups.h"

namespace hvx::data {

const std::vector<TableDesc>& AllTables() {
    static const std::vector<TableDesc> tables = [] {
        std::vector<TableDesc> all;
        tables::AddSettlementTables(all);
        tables::AddSourceTables(all);
        tables::AddReferenceTables(all);
        tables::AddShipmentTables(all);
        tables::AddForeignTables(all);
        tables::AddServiceTables(all);
        return all;
    }();
    return tables;
}

// Table names are upper case; a caller's lower-case spelling finds them too,
// as it would in the database.
const TableDesc* FindTable(const std::string& name) {
    std::string upper;
    for (char c : name) upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (const TableDesc& table : AllTables())
        if (upper == table.name) return &table;
    return nullptr;
}

}  // namespace hvx::data
