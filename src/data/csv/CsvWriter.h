#pragma once
// Writing CSV files (RFC 4180): fields separated by commas, every record
// ended by CR LF, a field quoted when it holds a comma, a quote or a line
// end, and a quote inside a quoted field doubled.
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace hvx::csv {

// The field as it goes into the file, quoted only where it must be.
std::string Field(std::string_view text);

// One record and its CR LF.
void WriteRecord(std::ostream& out, const std::vector<std::string>& fields);

}  // namespace hvx::csv
