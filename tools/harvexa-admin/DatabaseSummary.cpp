#include "harvexa-admin/DatabaseSummary.h"
#include "platform/Text.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <vector>

#include "data/DatabaseFacts.h"
#include "data/Schema.h"
#include "platform/HVXSConnection.h"
#include "platform/Rounding.h"
#include "platform/Session.h"
#include "platform/Statements.h"

namespace hvx::admin {
namespace {

using Row = SqlRow;

// The summary's statements are complete as they stand: each goes to the
// engine as the value of "%s". A refused one reads as no rows.
std::vector<Row> Query(const std::string& select, int columns) {
    std::vector<Row> rows;
    HVXSConnection c;
    LiteralStatements(c).Query({"%s"}, {select}, columns, rows);
    return rows;
}

std::string First(const std::string& sql) {
    const std::vector<Row> rows = Query(sql, 1);
    return rows.empty() ? std::string() : rows.front().front();
}

// 12345.5 -> "12,345.5000": units are read more easily with separators.
std::string Grouped(double value, int decimals) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, HVXRound(value, decimals));
    const std::string text = buffer;
    const size_t digits = text.find_first_of("0123456789");
    size_t point = text.find('.');
    if (point == std::string::npos) point = text.size();
    std::string out = text.substr(0, digits);
    for (size_t i = digits; i < point; ++i) {
        if (i > digits && (point - i) % 3 == 0) out += ',';
        out += text[i];
    }
    return out + text.substr(point);
}

void PrintTableCounts(std::ostream& out) {
    out << "Rows per table:\n";
    for (const data::TableDesc& table : data::AllTables()) {
        const long rows = CountRows(table.name);
        if (rows > 0) {
            char line[80];
            std::snprintf(line, sizeof line, "  %-12s %8ld\n", table.name, rows);
            out << line;
        }
    }
}

void PrintBusiness(std::ostream& out) {
    out << "Locations:";
    for (const Row& r : Query("SELECT LOCREF,LOCDESC FROM HVXINV16 ORDER BY LOCREF", 2))
        out << "\n  " << r[0] << "  " << r[1];
    out << "\nCommodities:";
    for (const Row& r :
         Query("SELECT REFERENCE,NAME,UOM,LBSUNIT FROM HVXGR51 ORDER BY REFERENCE", 4))
        out << "\n  " << r[0] << "  " << r[1] << " (" << r[2] << ", " << r[3] << " lb)";
    out << "\nCustomers: " << CountRows("HVXAR50") << ", "
        << First("SELECT COUNT(DISTINCT CUSTREF) FROM HVXGR02S") << " with grain delivered\n";

    // Open contracts, grouped by category, with their units still open. A sale
    // holds its units open too, but no settlement draws on it.
    struct Open {
        int contracts = 0;
        double units = 0;
    };
    std::map<std::string, Open> open;
    for (const Row& r : Query("SELECT TODPR,OUNITS FROM HVXGR04F WHERE STATUS='O' AND TODPR NOT IN "
                              "('Priced','Redelivered')",
                              2)) {
        open[r[0]].contracts += 1;
        open[r[0]].units += HVXRound(TextNumber(r[1]), 4);
    }
    out << "Open contracts:";
    if (open.empty()) out << " none";
    for (const auto& [category, o] : open) {
        char line[120];
        std::snprintf(line, sizeof line, "\n  %-18s %3d %-9s %16s units", category.c_str(),
                      o.contracts, o.contracts == 1 ? "contract" : "contracts",
                      Grouped(o.units, 4).c_str());
        out << line;
    }

    double owed = 0;
    const std::vector<Row> advances =
        Query("SELECT AMOUNT,RAMOUNT FROM HVXGR57 WHERE OPENPAID='O'", 2);
    for (const Row& r : advances) owed += TextNumber(r[0]) - TextNumber(r[1]);
    out << "\nOpen advances: " << advances.size() << ", $" << Grouped(owed, 2) << " outstanding\n";
    // The counters exist only once the office is configured.
    out << "Settlements: " << CountRows("HVXGR04");
    if (const std::string next = First("SELECT CONFIG18 FROM HVXGR40"); !next.empty())
        out << ", next number " << next;
    if (const std::string check = First("SELECT CHECKNUM FROM HVXREP4"); !check.empty())
        out << "; next check number " << check;
    out << "\n";
}

}  // namespace

bool PrintSummary(std::ostream& out, std::string& error) {
    if (!data::CheckSchemaVersion(error)) return false;
    out << "Database: " << Session::Get()->Describe() << ", schema version "
        << data::StoredSchemaVersion() << "\n\n";
    PrintTableCounts(out);
    out << "\n";
    PrintBusiness(out);
    return true;
}

}  // namespace hvx::admin
