#pragma once
// The framework's SQL dialect, turned into each engine's own.
//
// The module writes its statements once: dates as "{YYYY-MM-DD}" (what
// SQLFmtDate leaves between the braces), "STR(x)" for the text of a number,
// and "?" placeholders on prepared statements. "FOR UPDATE" locks the rows
// read on PostgreSQL and is dropped on SQLite. Quoted literals and quoted
// identifiers pass through untouched, so a brace or question mark inside a
// customer's name is never rewritten.
#include <string>
#include <string_view>

#include "platform/Engine.h"

namespace hvx {

// False (with a message) for a brace literal that holds no date. An empty
// "{}" becomes NULL.
bool TranslateSql(std::string_view sql, EngineKind engine, std::string& out, std::string& error);

}  // namespace hvx
