#include "rules/ArInformation.h"

#include "platform/Format.h"
#include "platform/HVXSConnection.h"
#include "platform/Rounding.h"
#include "platform/Statements.h"
#include "rules/StoredText.h"

namespace hvx {
namespace {

double OpenAdvances(const SqlPair& select, const SqlValues& values) {
    HVXSConnection connection(1, nullptr, 0);
    std::vector<SqlRow> rows;
    if (!LiteralStatements(connection).Query(select, values, 2, rows)) return 0;
    double open = 0;
    for (const SqlRow& row : rows) open += TextNumber(row[0]) - TextNumber(row[1]);
    return open;
}

}  // namespace

double OpenSourceAdvances(std::string_view sourceKind, std::string_view sourceReference) {
    return OpenAdvances({"SELECT AMOUNT,RAMOUNT FROM HVXGR57 WHERE SOURCE='%s' AND SOURCEREF='%s' "
                         "AND OPENPAID='O'"},
                        {sourceKind, sourceReference});
}

double OpenCustomerAdvances(std::string_view customerReference) {
    return OpenAdvances({"SELECT AMOUNT,RAMOUNT FROM HVXGR57 WHERE CUSTREF='%s' AND OPENPAID='O'"},
                        {customerReference});
}

std::string ArInformationText(SettlementType type, const ArFigures& figures) {
    // Rounded first so a sum of cents that lands a hair below a half cent
    // still shows the cent it stands for.
    const double due = HVXRound(figures.due, 2);
    const double source = HVXRound(figures.sourceAdvances, 2);
    const double customer = HVXRound(figures.customerAdvances, 2);
    if (type == SettlementType::SingleSource)
        return _HVXsprintf(
            "A/R Due~%.2f\nAdvance for this source~%.2f\nTotal advance for customer~%.2f", due,
            source, customer);
    return _HVXsprintf("A/R Due~%.2f\nAdvance for source(s)~%.2f\nTotal advance for customer~%.2f",
                       due, source, customer);
}

}  // namespace hvx
