#include "data/SchemaDdl.h"

#include "platform/Session.h"

namespace hvx::data {

std::string IndexName(const TableDesc& table, const std::vector<const char*>& columns) {
    std::string name = std::string("IX_") + table.name;
    for (const char* column : columns) name += std::string("_") + column;
    return name;
}

std::string RecnoIndexName(const TableDesc& table) {
    return std::string("UX_") + table.name + "_RECNO";
}

namespace ddl {
namespace {

bool HasRecno(const TableDesc& table) {
    for (const ColumnDesc& column : table.columns)
        if (column.type == ColumnType::Recno) return true;
    return false;
}

// Text columns default to the empty text: the module writes only the columns
// it knows of, then reads the others back as "" and compares them with "" in
// guarded updates ("… AND DPRCO=''"), which a NULL would never match.
const char* TypeSql(ColumnType type, EngineKind engine) {
    const bool pg = engine == EngineKind::PostgreSQL;
    switch (type) {
        case ColumnType::Recno: return pg ? "BIGINT NOT NULL" : "INTEGER NOT NULL";
        case ColumnType::Text: return "TEXT DEFAULT ''";
        case ColumnType::Date: return "DATE";
        case ColumnType::Integer: return pg ? "BIGINT" : "INTEGER";
    }
    return "TEXT";
}

std::string ColumnList(const std::vector<const char*>& columns) {
    std::string list;
    for (const char* column : columns) {
        if (!list.empty()) list += ", ";
        list += column;
    }
    return list;
}

}  // namespace

std::vector<DdlStatement> CreateTable(const TableDesc& table, EngineKind engine) {
    std::string sql = std::string("CREATE TABLE ") + table.name + " (";
    for (size_t i = 0; i < table.columns.size(); ++i) {
        if (i) sql += ", ";
        sql += std::string(table.columns[i].name) + " " + TypeSql(table.columns[i].type, engine);
    }
    if (table.primaryKey) sql += std::string(", PRIMARY KEY (") + table.primaryKey + ")";
    sql += ")";

    std::vector<DdlStatement> out{{std::string("create table ") + table.name, sql}};
    if (HasRecno(table)) {
        const std::string index = RecnoIndexName(table);
        out.push_back({"create index " + index,
                       "CREATE UNIQUE INDEX " + index + " ON " + table.name + " (RECNO)"});
    }
    return out;
}

std::vector<DdlStatement> CreateIndexes(const TableDesc& table) {
    std::vector<DdlStatement> out;
    for (const auto& columns : table.indexes) {
        const std::string index = IndexName(table, columns);
        out.push_back({"create index " + index, "CREATE INDEX IF NOT EXISTS " + index + " ON " +
                                                    table.name + " (" + ColumnList(columns) +
                                                    ")"});
    }
    return out;
}

DdlStatement DropTable(const TableDesc& table) {
    return {std::string("drop table ") + table.name,
            std::string("DROP TABLE IF EXISTS ") + table.name};
}

bool Run(const std::vector<DdlStatement>& statements, std::string& error) {
    Engine* engine = Session::Get();
    if (!engine) {
        error = "The database is not open.";
        return false;
    }
    for (const DdlStatement& statement : statements) {
        std::string message;
        if (!engine->ExecScript(statement.sql, message)) {
            error = "Cannot " + statement.what + ": " + message;
            return false;
        }
    }
    return true;
}

bool InTransaction(const std::function<bool(std::string&)>& work, std::string& error) {
    if (!Session::Begin(error)) return false;
    std::string ignored;
    if (!work(error)) {
        Session::Rollback(ignored);
        return false;
    }
    if (!Session::Commit(error)) {
        Session::Rollback(ignored);
        return false;
    }
    return true;
}

}  // namespace ddl
}  // namespace hvx::data
