#include "platform/DatabaseName.h"

namespace hvx {

DatabaseName ParseDatabaseName(const std::string& name) {
    if (name.rfind("sqlite:", 0) == 0) return {EngineKind::SQLite, name.substr(7), true};
    const bool server = name.rfind("postgresql://", 0) == 0 ||
                        name.rfind("postgres://", 0) == 0 || name.find('=') != std::string::npos;
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
