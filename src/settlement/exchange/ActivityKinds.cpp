// The activity kinds, and the two that are one statement each: the position
// journal and the receivable entries.
#include "settlement/exchange/ActivityKinds.h"

#include <algorithm>

#include "data/csv/CsvWriter.h"
#include "platform/Statements.h"
#include "settlement/exchange/ActivityWriters.h"
#include "settlement/exchange/ExportMoney.h"

namespace hvx::exchange {
namespace {

struct PlainKind {
    std::vector<std::string> heading;
    const char* sql;  // selects the heading's columns in its order
    std::size_t dateColumn;
    std::size_t moneyColumn;  // npos: none
};

bool WritePlain(const PlainKind& kind, const DateRange& range, std::ostream& out,
                std::string& error) {
    std::vector<SqlRow> rows;
    if (!RunNative(nullptr, kind.sql, {}, &rows, error)) return false;
    csv::WriteRecord(out, kind.heading);
    for (SqlRow& row : rows) {
        if (!range.Contains(row[kind.dateColumn])) continue;
        if (kind.moneyColumn != std::string::npos)
            row[kind.moneyColumn] = MoneyText(row[kind.moneyColumn]);
        csv::WriteRecord(out, row);
    }
    return true;
}

// Units are written as the journal stores them, four decimals.
bool WriteJournal(const DateRange& range, std::ostream& out, std::string& error) {
    static const PlainKind kind{{"TRANNUM", "ACTDATE", "COMMODITY", "LOCATION", "PROGRAM", "SOURCE",
                                 "DEST", "NETUNITS", "REFERENCE", "STATUS"},
                                "SELECT TRANNUM,ACTDATE,COMMODITY,LOCATION,PROGRAM,SOURCE,DEST,"
                                "NETUNITS,REFERENCE,STATUS FROM HVXGR29 ORDER BY RECNO",
                                1,
                                std::string::npos};
    return WritePlain(kind, range, out, error);
}

// An entry keeps no date of its own: it is made when its settlement is
// posted, so it takes the entry date of the settlement it names.
bool WriteReceivables(const DateRange& range, std::ostream& out, std::string& error) {
    static const PlainKind kind{
        {"REFERENCE", "DATE", "CUSTREF", "SOURCE", "ARACCT1", "ARACCT2", "ARACCT3", "DESCRIPT",
         "AMOUNT", "STATUS"},
        "SELECT R.REFERENCE,H.ADTE,R.CUSTREF,R.SOURCE,R.ARACCT1,R.ARACCT2,R.ARACCT3,R.DESCRIPT,"
        "R.AMOUNT,R.STATUS FROM HVXGRAR R LEFT JOIN HVXGR04 H ON H.SETTLEMENT=R.REFERENCE "
        "ORDER BY R.RECNO",
        1,
        8};
    return WritePlain(kind, range, out, error);
}

}  // namespace

const std::vector<ActivityKind>& ActivityKinds() {
    static const std::vector<ActivityKind> kinds{{"settlements", WriteSettlementLines},
                                                 {"position-journal", WriteJournal},
                                                 {"receivables", WriteReceivables},
                                                 {"advance-activity", WriteAdvanceActivity},
                                                 {"check-register", WriteCheckRegister}};
    return kinds;
}

const ActivityKind* FindActivityKind(std::string_view name) {
    const auto& kinds = ActivityKinds();
    const auto found = std::find_if(kinds.begin(), kinds.end(),
                                    [&](const ActivityKind& kind) { return name == kind.name; });
    return found == kinds.end() ? nullptr : &*found;
}

std::string ActivityKindNames() {
    std::string names;
    for (const ActivityKind& kind : ActivityKinds()) names += std::string(", ") + kind.name;
    return names.substr(2);
}

}  // namespace hvx::exchange
