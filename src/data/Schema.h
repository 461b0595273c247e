#pragma once
// The database schema: every table the module reads or writes, described as
// data and created for either engine, with a version row and stepwise
// upgrades. The module itself creates no table at run time; harvexa-admin
// and the tests do, through these functions.
#include <string>
#include <vector>

namespace hvx::data {

enum class ColumnType {
    Recno,    // the record number: a whole number, unique in its table
    Text,     // quantities, money, flags and links are all kept as text
    Date,     // a date column, read back as "MM/DD/YYYY"
    Integer,  // whole numbers of the stand-in tables (counters, versions)
};

struct ColumnDesc {
    const char* name;
    ColumnType type;
};

struct TableDesc {
    const char* name;
    std::vector<ColumnDesc> columns;
    // Non-unique indexes, each a list of columns (RECNO always gets a unique one).
    std::vector<std::vector<const char*>> indexes;
    const char* primaryKey = nullptr;  // for stand-in tables without RECNO, e.g. "TABLENAME, COLNAME"
};

// Every table, in creation order.
const std::vector<TableDesc>& AllTables();
const TableDesc* FindTable(const std::string& name);

// The schema version this program writes and understands.
int ProgramSchemaVersion();
// The version stored in the open database; 0 when it holds no schema.
int StoredSchemaVersion();

// Creates every table and index on the open session, in one transaction, and
// records the program's version. False with a message on failure.
bool CreateSchema(std::string& error);
// The same, but only up to the given version (1 .. ProgramSchemaVersion()),
// so that an upgrade from an older version can be tried on a fresh database.
bool CreateSchemaUpTo(int version, std::string& error);
// Drops every table of the schema (for `init --force`).
bool DropSchema(std::string& error);
// Brings an older schema up to the program's version step by step.
// `from` and `to` receive the versions. False with a message on failure,
// including a database newer than the program.
bool UpgradeSchema(std::string& error, int* from = nullptr, int* to = nullptr);
// True when the open database can be used by this program; otherwise false
// with a clear message (no schema, older schema needing an upgrade, or a
// database newer than the program).
bool CheckSchemaVersion(std::string& error);

// Index names, the same on both engines: "IX_<table>_<col>[_<col>…]" for the
// non-unique indexes and "UX_<table>_RECNO" for the record-number index.
std::string IndexName(const TableDesc& table, const std::vector<const char*>& columns);
std::string RecnoIndexName(const TableDesc& table);

}  // namespace hvx::data
