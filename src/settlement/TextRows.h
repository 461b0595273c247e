#pragma once
// Reading every row of a literal query on the simple connection before the
// next statement runs: a simple connection holds one statement at a time,
// and the loops that walk such rows write while they walk.
#include <string>
#include <string_view>
#include <vector>

class HVXSConnection;

namespace hvx::settlement {

using TextRow = std::vector<std::string>;  // column texts, in select order

// The first `columns` columns of every row. False when the query is refused.
bool ReadRows(HVXSConnection& connection, std::string_view sql, int columns,
              std::vector<TextRow>& rows);

}  // namespace hvx::settlement
