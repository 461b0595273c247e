#pragma once
// The DDL of the table descriptions for each engine, and the transaction that
// every schema change runs in. Internal to the data layer.
#include <functional>
#include <string>
#include <vector>

#include "data/Schema.h"
#include "platform/Engine.h"

namespace hvx::data::ddl {

struct DdlStatement {
    std::string what;  // for messages: "create table HVXGR04"
    std::string sql;   // in the engine's own dialect
};

// The table with its unique RECNO index (when it has a RECNO).
std::vector<DdlStatement> CreateTable(const TableDesc& table, EngineKind engine);
// The table's non-unique link and lookup indexes; each may already exist.
std::vector<DdlStatement> CreateIndexes(const TableDesc& table);
DdlStatement DropTable(const TableDesc& table);

// Runs the statements on the session in order, stopping at the first that
// fails: "Cannot <what>: <the engine's message>".
bool Run(const std::vector<DdlStatement>& statements, std::string& error);

// Runs the work in one transaction of the session: committed when the work
// succeeds, rolled back otherwise, so a failure leaves nothing half-made.
bool InTransaction(const std::function<bool(std::string&)>& work, std::string& error);

}  // namespace hvx::data::ddl
