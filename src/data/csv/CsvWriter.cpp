#include "data/csv/CsvWriter.h"

namespace hvx::csv {

std::string Field(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
    std::string out = "\"";
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

void WriteRecord(std::ostream& out, const std::vector<std::string>& fields) {
    for (std::size_t i = 0; i < fields.size(); ++i) out << (i == 0 ? "" : ",") << Field(fields[i]);
    out << "\r\n";
}

}  // namespace hvx::csv
