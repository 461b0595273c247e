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

bool IsPostgresConnection(const std::string& c) {
    if (c.rfind("sqlite:", 0) == 0) return false;
    return c.rfind("postgresql://", 0) == 0 || c.rfind("postgres://", 0) == 0 ||
           c.find('=') != std::string::npos;
}

std::unique_ptr<Engine> OpenEngine(const std::string& connection, std::string& error) {
    if (connection.empty()) {
        error = "No database was given.";
        return nullptr;
    }
    if (IsPostgresConnection(connection)) return OpenPostgres(connection, error);
    const std::string path = connection.rfind("sqlite:", 0) == 0 ? connection.substr(7) : connection;
    if (path.empty()) {
        error = "No database file was given.";
        return nullptr;
    }
    return OpenSqlite(path, error);
}

}  // namespace hvx
