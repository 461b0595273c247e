// The advance-activity kind: each advance on a row of its own, followed by
// its repayments. A repayment row repeats its advance's customer and source
// and names the settlement that repaid it; its date is the repayment's.
#include <map>

#include "data/csv/CsvWriter.h"
#include "platform/Statements.h"
#include "settlement/exchange/ActivityWriters.h"
#include "settlement/exchange/ExportMoney.h"

namespace hvx::exchange {
namespace {

enum AdvanceColumn {
    A_LINK,
    A_DATE,
    A_CUSTREF,
    A_CUSTNAME,
    A_SOURCE,
    A_SOURCEREF,
    A_SETTLEMENT,
    A_AMOUNT,
    A_REPAID,
    A_STATUS,
    A_CHECKNUM
};
enum RepaymentColumn { R_LINK, R_DATE, R_AMOUNT, R_CHECKNUM, R_SETTLEMENT };

const char* const kAdvances =
    "SELECT ADVLINK,ADVDATE,CUSTREF,CUSTNAME,SOURCE,SOURCEREF,SETTLEMENT,AMOUNT,RAMOUNT,"
    "OPENPAID,CHECKNUM FROM HVXGR57 ORDER BY RECNO";
// The repaying settlement is found by the link the repayment keeps of it.
const char* const kRepayments =
    "SELECT A.ADVLINK,A.RDATE,A.AMOUNT,A.CHECKNUM,H.SETTLEMENT FROM HVXGR57A A "
    "LEFT JOIN HVXGR04 H ON H.SETLINK=A.SOURCELINK ORDER BY A.RECNO";

void WriteRepayment(std::ostream& out, const SqlRow& r, const SqlRow* advance) {
    const auto of = [&](AdvanceColumn c) { return advance ? (*advance)[c] : std::string(); };
    csv::WriteRecord(
        out, {"R", r[R_LINK], r[R_DATE], of(A_CUSTREF), of(A_CUSTNAME), of(A_SOURCE),
              of(A_SOURCEREF), r[R_SETTLEMENT], MoneyText(r[R_AMOUNT]), "", "", r[R_CHECKNUM]});
}

}  // namespace

bool WriteAdvanceActivity(const DateRange& range, std::ostream& out, std::string& error) {
    std::vector<SqlRow> advances, repayments;
    if (!RunNative(nullptr, kAdvances, {}, &advances, error) ||
        !RunNative(nullptr, kRepayments, {}, &repayments, error))
        return false;
    std::map<std::string, std::vector<const SqlRow*>> byAdvance;
    for (const SqlRow& r : repayments) byAdvance[r[R_LINK]].push_back(&r);

    csv::WriteRecord(out, {"ROWTYPE", "ADVLINK", "DATE", "CUSTREF", "CUSTNAME", "SOURCE",
                           "SOURCEREF", "SETTLEMENT", "AMOUNT", "REPAID", "STATUS", "CHECKNUM"});
    for (const SqlRow& a : advances) {
        if (range.Contains(a[A_DATE]))
            csv::WriteRecord(out,
                             {"A", a[A_LINK], a[A_DATE], a[A_CUSTREF], a[A_CUSTNAME], a[A_SOURCE],
                              a[A_SOURCEREF], a[A_SETTLEMENT], MoneyText(a[A_AMOUNT]),
                              MoneyText(a[A_REPAID]), a[A_STATUS], a[A_CHECKNUM]});
        const auto found = byAdvance.find(a[A_LINK]);
        if (found == byAdvance.end()) continue;
        for (const SqlRow* r : found->second)
            if (range.Contains((*r)[R_DATE])) WriteRepayment(out, *r, &a);
        byAdvance.erase(found);
    }
    // Repayments of an advance that is gone still show what was paid.
    for (const SqlRow& r : repayments)
        if (byAdvance.count(r[R_LINK]) && range.Contains(r[R_DATE]))
            WriteRepayment(out, r, nullptr);
    return true;
}

}  // namespace hvx::exchange
