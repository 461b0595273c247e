#pragma once
// The listed rows as a CSV file: a heading row with the column
// titles, then every row in the order shown, lines ending in CR LF, a
// field quoted when it holds a comma, a quote or a line end.
#include <ostream>
#include <string>

#include "search/SearchResults.h"

namespace hvx::search {

void WriteResultsCsv(const SearchResults& results, std::ostream& out);
// False when the file cannot be written (error says why).
bool WriteResultsCsv(const SearchResults& results, const std::string& path, std::string& error);

}  // namespace hvx::search
