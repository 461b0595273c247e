#pragma once
// Building blocks of the table descriptions, shared by the files that list
// the tables group by group. Not part of the data layer's interface.
#include <vector>

#include "data/Schema.h"

namespace hvx::data::tables {

inline ColumnDesc T(const char* name) { return {name, ColumnType::Text}; }
inline ColumnDesc D(const char* name) { return {name, ColumnType::Date}; }

// The one-row table that holds the schema version.
inline constexpr const char* kSchemaTable = "HVXSCHEMA";

using IndexList = std::vector<std::vector<const char*>>;

// A table of the suite: the listed columns followed by RECNO, the record
// number by which every row of every suite table is read, changed and deleted.
inline TableDesc SuiteTable(const char* name, std::vector<ColumnDesc> columns,
                            IndexList indexes = {}) {
    columns.push_back({"RECNO", ColumnType::Recno});
    return TableDesc{name, std::move(columns), std::move(indexes)};
}

// The settlement tables (HVXGR04 and its children) and the source tables the
// settlements draw on (assemblies, scale tickets, contracts).
void AddSettlementTables(std::vector<TableDesc>& out);
void AddSourceTables(std::vector<TableDesc>& out);
// Commodities, positions, charges, advances and the configuration row.
void AddReferenceTables(std::vector<TableDesc>& out);
// Direct shipments and collateral warehouse receipts.
void AddShipmentTables(std::vector<TableDesc>& out);
// Tables of other modules that this module only reads.
void AddForeignTables(std::vector<TableDesc>& out);
// Our stand-ins for services of the host and the framework: next numbers,
// the lock service and the schema version.
void AddServiceTables(std::vector<TableDesc>& out);

}  // namespace hvx::data::tables
