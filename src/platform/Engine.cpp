#include "platform/Engine.h"

#include <cmath>
#include <cstdio>

#include "platform/EngineFactories.h"

namespace hvx {

Param Param::Number(double v) {
    char buf[64];
    // Whole numbers (record numbers, counters) travel without a fraction so
    // that integer columns accept them on either engine.
    if (std::isfinite(v) && v == std::trunc(v) && std::fabs(v) < 1e15)
        std::snprintf(buf, sizeof buf, "%.0f", v);
    else
        std::snprintf(buf, sizeof buf, "%.15g", v);
    return {Kind::Number, buf};
}

std::unique_ptr<Engine> OpenEngine(const std::string& connection, std::string& error,
                                   OpenMode mode) {
    if (connection.empty()) {
        error = "No database was given.";
        return nullptr;
    }
    const DatabaseName name = ParseDatabaseName(connection);
    if (name.kind == EngineKind::PostgreSQL) {
        auto engine = OpenPostgres(connection, error);
        // The server itself then refuses every write of this session.
        if (engine && mode == OpenMode::ReadOnly &&
            !engine->ExecScript("SET default_transaction_read_only = on", error))
            return nullptr;
        return engine;
    }
    const std::string& path = name.target;
    if (path.empty()) {
        error = "No database file was given.";
        return nullptr;
    }
    return OpenSqlite(path, mode, error);
}

}  // namespace hvx
