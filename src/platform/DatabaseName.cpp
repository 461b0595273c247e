#include "platform/DatabaseName.h"

#include <libpq-fe.h>

namespace hvx {
namespace {

// A conninfo is nothing but "keyword = value" pairs whose keywords libpq
// knows ("host", "dbname", "sslmode" …): libpq's own reading of it decides, so
// a file name such as "a=b.db" or "prices 2024=final.db" stays a file name.
bool IsConninfo(const std::string& name) {
    if (name.find('=') == std::string::npos) return false;
    char* message = nullptr;
    PQconninfoOption* options = PQconninfoParse(name.c_str(), &message);
    if (message) PQfreemem(message);
    if (!options) return false;
    PQconninfoFree(options);
    return true;
}

}  // namespace

DatabaseName ParseDatabaseName(const std::string& name) {
    if (name.rfind("sqlite:", 0) == 0) return {EngineKind::SQLite, name.substr(7), true};
    const bool server = name.rfind("postgresql://", 0) == 0 ||
                        name.rfind("postgres://", 0) == 0 || IsConninfo(name);
    return {server ? EngineKind::PostgreSQL : EngineKind::SQLite, name, false};
}

bool IsPostgresConnection(const std::string& name) {
    return ParseDatabaseName(name).kind == EngineKind::PostgreSQL;
}

std::string SqliteFile(const std::string& name) {
    const DatabaseName parsed = ParseDatabaseName(name);
    return parsed.kind == EngineKind::SQLite ? parsed.target : std::string();
}

}  // namespace hvx
