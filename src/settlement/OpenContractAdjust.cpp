#include "settlement/OpenContractAdjust.h"

#include "platform/Fail.h"
#include <vector>

#include "platform/Format.h"
#include "platform/Rounding.h"
#include "rules/Categories.h"
#include "rules/StoredText.h"
#include "settlement/SourceSql.h"

namespace hvx::settlement {
namespace {

const SqlPair kContract{"SELECT OUNITS,ISDOLUSED,TODPR FROM HVXGR04F WHERE DLLINK='%.0f'",
                        "SELECT OUNITS,ISDOLUSED,TODPR FROM HVXGR04F WHERE DLLINK = ?"};
const SqlPair kUpdate{"UPDATE HVXGR04F SET OUNITS='%s',STATUS='%s' WHERE DLLINK='%.0f'",
                      "UPDATE HVXGR04F SET OUNITS = ?, STATUS = ? WHERE DLLINK = ?"};
const SqlPair kUpdateInstallmentSale{
    "UPDATE HVXGR04F SET OUNITS='%s',STATUS='%s',ISDOLUSED='%s' WHERE DLLINK='%.0f'",
    "UPDATE HVXGR04F SET OUNITS = ?, STATUS = ?, ISDOLUSED = ? WHERE DLLINK = ?"};

}  // namespace

bool AdjustOpenContract(Statements& sql, double dlLink, double units, double dollars,
                        std::string& message) {
    std::vector<SqlRow> rows;
    if (!sql.Query(kContract, {dlLink}, 3, rows) || rows.empty())
        return Fail(message, kMsgContractUnitsNotRead);
    const SqlRow& contract = rows.front();
    const double open = HVXRound(TextNumber(contract[0]) - units, 4);
    const std::string openText = UnitsText(open);
    const char* status = open == 0 ? "C" : "O";
    long changed = 0;
    if (contract[2] == kInstallmentSale) {
        const std::string used =
            _HVXsprintf("%.2f", HVXRound(TextNumber(contract[1]) + dollars, 2));
        changed = sql.Change(kUpdateInstallmentSale, {openText, status, used, dlLink});
    } else {
        changed = sql.Change(kUpdate, {openText, status, dlLink});
    }
    return changed >= 1 || Fail(message, kMsgContractUnitsNotWritten);
}

bool AdjustOpenContract(HVXSConnection& connection, double dlLink, double units, double dollars,
                        std::string& message) {
    LiteralStatements sql(connection);
    return AdjustOpenContract(sql, dlLink, units, dollars, message);
}

bool AdjustOpenContract(HVXConnection& connection, double dlLink, double units, double dollars,
                        std::string& message) {
    PreparedStatements sql(connection);
    return AdjustOpenContract(sql, dlLink, units, dollars, message);
}

}  // namespace hvx::settlement
