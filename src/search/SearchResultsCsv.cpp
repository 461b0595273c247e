#include "search/SearchResultsCsv.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <string_view>

namespace hvx::search {

namespace {

std::string CsvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
    std::string out = "\"";
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

}  // namespace

void WriteResultsCsv(const SearchResults& results, std::ostream& out) {
    const auto& cells = SearchCells();
    for (int cell = kCellSettlement; cell < kSearchCellCount; ++cell)
        out << (cell == kCellSettlement ? "" : ",") << CsvField(cells[cell].title);
    out << "\r\n";
    for (std::size_t row = 0; row < results.Size(); ++row) {
        for (int cell = kCellSettlement; cell < kSearchCellCount; ++cell)
            out << (cell == kCellSettlement ? "" : ",") << CsvField(results.Cell(row, cell));
        out << "\r\n";
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
