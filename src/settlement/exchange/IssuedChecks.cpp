// The checks of the settlements, and the check-register kind that lists
// them: one row per check, issued or void.
#include "settlement/exchange/IssuedChecks.h"

#include "data/csv/CsvWriter.h"
#include "platform/Text.h"
#include "settlement/CheckLayout.h"
#include "settlement/exchange/ActivityWriters.h"
#include "settlement/exchange/ExportMoney.h"
#include "settlement/exchange/StoredSettlements.h"

namespace hvx::exchange {

bool ReadIssuedChecks(std::vector<IssuedCheck>& out, std::string& error) {
    std::vector<StoredSettlement> settlements;
    PayNames payNames;
    if (!ReadStoredSettlements(settlements, error) || !ReadPayNames(payNames, error)) return false;
    out.clear();
    for (const StoredSettlement& s : settlements) {
        std::string number = s.checkNum;
        TRIM(number);
        if (number.empty() || s.role == SettlementRole::Reversal) continue;
        IssuedCheck check{number,
                          s.settDate,
                          settlement::PayToLine(payNames[s.setLink], s.custName),
                          MoneyText(s.checkAmt),
                          s.settlement,
                          s.custRef,
                          s.role == SettlementRole::Reversed,
                          s.partner >= 0 ? settlements[s.partner].entered : "",
                          s.partner >= 0 ? settlements[s.partner].settlement : ""};
        out.push_back(std::move(check));
    }
    return true;
}

bool WriteCheckRegister(const DateRange& range, std::ostream& out, std::string& error) {
    std::vector<IssuedCheck> checks;
    if (!ReadIssuedChecks(checks, error)) return false;
    csv::WriteRecord(out, {"CHECKNUM", "DATE", "PAYEE", "AMOUNT", "SETTLEMENT", "CUSTREF", "STATUS",
                           "VOIDDATE", "VOIDSETTLEMENT"});
    for (const IssuedCheck& c : checks)
        if (range.Contains(c.date))
            csv::WriteRecord(out, {c.number, c.date, c.payee, c.amount, c.settlement, c.custRef,
                                   c.voided ? "Void" : "Issued", c.voidDate, c.voidSettlement});
    return true;
}

}  // namespace hvx::exchange
