#pragma once
// Reading the rows of a prepared query whole before acting on them.
//
// The advance steps update and delete rows of the very tables they walk
// (repayments are deleted while their list is read), so every list is read to
// the end first; no engine then sees a table change under an open cursor.
#include <string>
#include <string_view>
#include <vector>

class HVXConnection;

namespace hvx::settlement {

using AdvanceRow = std::vector<std::string>;  // column texts, in select order

// Binds the values in order, runs the query and reads its first `columns`
// columns of every row. False (with the connection's error) when it fails.
bool QueryAdvanceRows(HVXConnection& connection, std::string_view sql,
                      const std::vector<std::string>& values, int columns,
                      std::vector<AdvanceRow>& rows);

// Binds the values in order and runs a change: the rows changed, -1 on failure.
int ChangeAdvanceRows(HVXConnection& connection, std::string_view sql,
                      const std::vector<std::string>& values);

}  // namespace hvx::settlement
