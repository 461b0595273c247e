#pragma once
// The two engines, opened by OpenEngine.
#include <memory>
#include <string>

#include "platform/Engine.h"

namespace hvx {
std::unique_ptr<Engine> OpenSqlite(const std::string& path, OpenMode mode, std::string& error);
std::unique_ptr<Engine> OpenPostgres(const std::string& conninfo, std::string& error);
}  // namespace hvx
