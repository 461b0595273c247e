#include "rules/DeductionDefinition.h"

#include "platform/Format.h"
#include "platform/HVXSConnection.h"
#include "platform/Rounding.h"
#include "platform/Statements.h"
#include "platform/Text.h"
#include "rules/StoredText.h"

namespace hvx {
namespace {

std::string Trimmed(std::string text) {
    TRIM(text);
    return text;
}

}  // namespace

DeductionDefinition ReadDeductionByReference(std::string_view reference) {
    DeductionDefinition definition;
    if (reference.empty() || reference.front() == '/') return definition;
    HVXSConnection connection(1, nullptr, 0);
    std::vector<SqlRow> rows;
    if (!LiteralStatements(connection)
             .Query({"SELECT RATEUNIT,GRDOLLAR,TYPE,GRAINTAX,ADVCODE FROM HVXGR52 WHERE "
                     "REFERENCE='%s'"},
                    {reference}, 5, rows) ||
        rows.empty())
        return definition;
    const SqlRow& row = rows.front();
    definition.found = true;
    definition.rateUnit = Trimmed(row[0]);
    definition.grDollar = Trimmed(row[1]);
    definition.type = Trimmed(row[2]);
    definition.grainTax = Trimmed(row[3]);
    definition.advCode = Trimmed(row[4]);
    return definition;
}

DeductionDefinition ReadDeductionByRecno(double recno) {
    DeductionDefinition definition;
    HVXSConnection connection(1, nullptr, 0);
    std::vector<SqlRow> rows;
    if (!LiteralStatements(connection)
             .Query({"SELECT RATEUNIT,GRDOLLAR,TYPE,ADVCODE FROM HVXGR52 WHERE RECNO=%.0f"},
                    {recno}, 4, rows) ||
        rows.empty())
        return definition;
    const SqlRow& row = rows.front();
    definition.found = true;
    definition.rateUnit = Trimmed(row[0]);
    definition.grDollar = Trimmed(row[1]);
    definition.type = Trimmed(row[2]);
    definition.advCode = Trimmed(row[3]);
    return definition;
}

std::string DeductionAdvanceFlag(std::string_view reference) {
    HVXSConnection connection(1, nullptr, 0);
    LiteralStatements sql(connection);
    std::string stored;
    if (!sql.Value({"SELECT RECNO FROM HVXGR52 WHERE REFERENCE='%s'"}, {reference}, stored))
        return "F";
    const std::string recno = _HVXsprintf("%.0f", TextNumber(stored));
    std::string advCode;
    if (!sql.Value({"SELECT ADVCODE FROM HVXGR52 WHERE RECNO=%s"}, {recno}, advCode)) return "F";
    return Trimmed(advCode) == "1" ? "T" : "F";
}

std::string DeductionAmountText(const DeductionDefinition& definition, const DeductionBase& base) {
    const double amount = definition.PerUnit()
                              ? TextNumber(definition.rateUnit) * base.units
                              : TextNumber(definition.grDollar) * base.dollars * 0.01;
    return HVXSRound(amount, 2);
}

}  // namespace hvx
