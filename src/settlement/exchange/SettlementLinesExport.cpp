// The settlements kind: one row per source line, after the columns of its
// settlement that a reader needs beside it. Gross and net are the
// settlement's: the sums of its destination records.
#include <map>

#include "data/csv/CsvWriter.h"
#include "platform/Rounding.h"
#include "platform/Statements.h"
#include "platform/Text.h"
#include "settlement/exchange/ActivityWriters.h"
#include "settlement/exchange/ExportMoney.h"
#include "settlement/exchange/StoredSettlements.h"

namespace hvx::exchange {
namespace {

// Summed as numbers and written through the module's money rounding, which
// works on 15 significant digits, so the sum of two-decimal amounts comes
// out exact.
struct Totals {
    double gross = 0, net = 0;
};

bool ReadTotals(std::map<std::string, Totals>& out, std::string& error) {
    std::vector<SqlRow> rows;
    if (!RunNative(nullptr, "SELECT SETLINK,GROSSAMT,NETAMT FROM HVXGR04F ORDER BY RECNO", {},
                   &rows, error))
        return false;
    for (const SqlRow& r : rows) {
        Totals& t = out[r[0]];
        t.gross += TextNumber(r[1]);
        t.net += TextNumber(r[2]);
    }
    return true;
}

}  // namespace

bool WriteSettlementLines(const DateRange& range, std::ostream& out, std::string& error) {
    std::vector<StoredSettlement> settlements;
    std::map<std::string, Totals> totals;
    std::vector<SqlRow> lines;
    if (!ReadStoredSettlements(settlements, error) || !ReadTotals(totals, error) ||
        !RunNative(nullptr,
                   "SELECT SETLINK,SOURCE,SOURCEREF,COMMODITY,LOCATION,FROMDPR,TODPR,CONTRACT,"
                   "UNITSSET,PRICEUNIT,TOTPRICE FROM HVXGR04D ORDER BY RECNO",
                   {}, &lines, error))
        return false;
    std::map<std::string, std::vector<const SqlRow*>> bySettlement;
    for (const SqlRow& line : lines) bySettlement[line[0]].push_back(&line);

    csv::WriteRecord(
        out,
        {"SETTLEMENT", "SETTDATE",  "ENTERED",   "TYPE",     "STATUS",  "CUSTREF",  "CUSTNAME",
         "SOURCE",     "SOURCEREF", "COMMODITY", "LOCATION", "FROMDPR", "TODPR",    "CONTRACT",
         "UNITS",      "PRICE",     "AMOUNT",    "GROSS",    "NET",     "CHECKNUM", "CHECKAMT"});
    for (const StoredSettlement& s : settlements) {
        if (!range.Contains(s.settDate)) continue;
        const Totals& t = totals[s.setLink];
        for (const SqlRow* l : bySettlement[s.setLink]) {
            const SqlRow& line = *l;
            csv::WriteRecord(out, {s.settlement,
                                   s.settDate,
                                   s.entered,
                                   s.stype,
                                   RoleText(s.role),
                                   s.custRef,
                                   s.custName,
                                   line[1],
                                   line[2],
                                   line[3],
                                   line[4],
                                   line[5],
                                   line[6],
                                   line[7],
                                   line[8],
                                   line[9],
                                   MoneyText(line[10]),
                                   HVXSRound(t.gross, 2),
                                   HVXSRound(t.net, 2),
                                   s.checkNum,
                                   MoneyText(s.checkAmt)});
        }
    }
    return true;
}

}  // namespace hvx::exchange
