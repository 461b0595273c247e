#include "settlement/SourceValidation.h"

#include <algorithm>

#include "platform/Format.h"
#include "platform/HVXSConnection.h"
#include "platform/Statements.h"
#include "rules/Categories.h"
#include "rules/SourceKinds.h"
#include "rules/StoredText.h"
#include "settlement/SettlementDetailList.h"
#include "settlement/SourceGuard.h"
#include "settlement/SourceSql.h"

namespace hvx::settlement {
namespace {

bool CheckAssemblyShare(HVXSConnection& connection, const SettlementUniqueDetailItem& source,
                        std::string& message) {
    std::vector<SqlRow> rows;
    if (!LiteralStatements(connection)
             .Query({"SELECT SHAREUNITS,SETTUNITS FROM HVXGR02S WHERE LINEID='%s'"},
                    {source.sourceLink}, 2, rows) ||
        rows.empty()) {
        message = _HVXsprintf("Unable to verify assembly detail line %s.", source.sourceLink);
        return false;
    }
    const double share = TextNumber(rows.front()[0]);
    // What the split will hold once this save has moved its delta.
    const double projected =
        TextNumber(rows.front()[1]) - source.SavedUnitsRounded() + source.CurrentUnitsRounded();
    if (!UnitsBelow(share, projected)) return true;
    message = SplitBeyondShareMessage(source.sourceRef, projected - share, source.sourceLink);
    return false;
}

bool CheckContractUnique(HVXSConnection& connection, const SettlementDetailItem& line,
                         std::string_view setLink, std::string& message) {
    LiteralStatements sql(connection);
    std::vector<SqlRow> rows;
    if (!sql.Query({"SELECT SETLINK,RECNO FROM HVXGR04D WHERE TODPR='%s' AND CONTRACT='%s'"},
                   {line.toDpr, line.contract}, 2, rows)) {
        message = sql.LastError();
        return false;
    }
    const bool duplicate =
        std::any_of(rows.begin(), rows.end(), [&](const SqlRow& row) { return row[0] != setLink; });
    if (!duplicate) return true;
    message = _HVXsprintf(
        "Contract %s source %s is has already been entered. Cannot duplicate this settlement "
        "contract.",
        line.contract, line.toDpr);
    return false;
}

}  // namespace

bool ValidateSources(SettlementDetailList& details, std::string_view setLink,
                     std::string& message) {
    details.RebuildCurrentValues();
    HVXSConnection connection(1, nullptr, 0);
    for (const SettlementUniqueDetailItem& source : details.UniqueSources())
        if (source.sourceKind == kAssembly && !CheckAssemblyShare(connection, source, message))
            return false;
    // The lookup keeps a contract number from being entered twice; a line
    // with no contract number has none to repeat, and looking up the empty
    // one would walk every contract-less line on file.
    for (const SettlementDetailItem& line : details.Items())
        if (line.toDpr != kPriced && !line.contract.empty() &&
            !CheckContractUnique(connection, line, setLink, message))
            return false;
    return true;
}

}  // namespace hvx::settlement
