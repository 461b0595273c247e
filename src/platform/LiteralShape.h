#pragma once
// The shape of a literal statement: its text with the values taken out.
//
// The module writes most statements as literal SQL with the values formatted
// in ("... WHERE SETLINK = '1042'"), so every statement is a new text for the
// engine to parse and plan. Two statements that differ only in their values
// have one shape ("... WHERE SETLINK = ?"); prepared once, a shape is run
// again with the next statement's values bound, and the engine answers as it
// would have answered the literal text.
//
// Only values whose bound form reads exactly as the literal does are taken
// out: quoted texts and whole numbers of up to 15 digits. Left in the text
// are values whose position gives them a meaning of their own or whose type
// only the text tells: everything in a select list, the numbers of ORDER BY
// and GROUP BY (column positions), typed literals (DATE '2024-03-07'),
// numbers with a fraction or an exponent.
#include <string>
#include <string_view>
#include <vector>

#include "platform/Engine.h"

namespace hvx {

struct LiteralShape {
    std::string text;          // "?" (SQLite) or "$n" (PostgreSQL) where each value stood
    std::vector<Param> values;  // in order of appearance
};

// The shape of sql, a statement already in the engine's dialect. False when
// it has no value to take out or already holds placeholders.
bool ShapeOf(std::string_view sql, EngineKind engine, LiteralShape& shape);

}  // namespace hvx
