#include "search/SearchResultsCsv.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <vector>

#include "data/csv/CsvWriter.h"

namespace hvx::search {

void WriteResultsCsv(const SearchResults& results, std::ostream& out) {
    const auto& cells = SearchCells();
    std::vector<std::string> fields;
    for (int cell = kCellSettlement; cell < kSearchCellCount; ++cell)
        fields.emplace_back(cells[cell].title);
    csv::WriteRecord(out, fields);
    for (std::size_t row = 0; row < results.Size(); ++row) {
        fields.clear();
        for (int cell = kCellSettlement; cell < kSearchCellCount; ++cell)
            fields.emplace_back(results.Cell(row, cell));
        csv::WriteRecord(out, fields);
    }
}

bool WriteResultsCsv(const SearchResults& results, const std::string& path, std::string& error) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (out) WriteResultsCsv(results, out);
    if (out) out.flush();
    if (out) return true;
    error = std::strerror(errno);
    return false;
}

}  // namespace hvx::search
