#pragma once
// The one reading of a database name, as every program takes it: "sqlite:PATH"
// or a bare file path for SQLite; "postgresql://…", "postgres://…" or a libpq
// conninfo ("host=… dbname=…", nothing but pairs of libpq's keywords and
// their values) for a PostgreSQL server. Any other name is a file path, "="
// or not; only ":memory:" is no file.
#include <string>

#include "platform/EngineKind.h"

namespace hvx {

struct DatabaseName {
    EngineKind kind = EngineKind::SQLite;
    // SQLite: the file ("" when none was given); PostgreSQL: the name as given.
    std::string target;
    bool sqlitePrefix = false;  // written as "sqlite:PATH"
};

DatabaseName ParseDatabaseName(const std::string& name);

// True when the name names a PostgreSQL server.
bool IsPostgresConnection(const std::string& name);

// The file of a SQLite database name; "" for a PostgreSQL server.
std::string SqliteFile(const std::string& name);

}  // namespace hvx
