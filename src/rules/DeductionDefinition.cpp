#include "rules/DeductionDefinition.h"

#include "platform/Format.h"
#include "platform/HVXSConnection.h"
#include "platform/Rounding.h"
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
    if (!connection.ExecSQL(_HVXsprintf(
            "SELECT RATEUNIT,GRDOLLAR,TYPE,GRAINTAX,ADVCODE FROM HVXGR52 WHERE REFERENCE='%s'",
            reference)) ||
        !connection.FetchNext())
        return definition;
    definition.found = true;
    definition.rateUnit = Trimmed(connection.Column(1));
    definition.grDollar = Trimmed(connection.Column(2));
    definition.type = Trimmed(connection.Column(3));
    definition.grainTax = Trimmed(connection.Column(4));
    definition.advCode = Trimmed(connection.Column(5));
    return definition;
}

DeductionDefinition ReadDeductionByRecno(double recno) {
    DeductionDefinition definition;
    HVXSConnection connection(1, nullptr, 0);
    if (!connection.ExecSQL(_HVXsprintf(
            "SELECT RATEUNIT,GRDOLLAR,TYPE,ADVCODE FROM HVXGR52 WHERE RECNO=%.0f", recno)) ||
        !connection.FetchNext())
        return definition;
    definition.found = true;
    definition.rateUnit = Trimmed(connection.Column(1));
    definition.grDollar = Trimmed(connection.Column(2));
    definition.type = Trimmed(connection.Column(3));
    definition.advCode = Trimmed(connection.Column(4));
    return definition;
}

std::string DeductionAdvanceFlag(std::string_view reference) {
    HVXSConnection connection(1, nullptr, 0);
    if (!connection.ExecSQL(
            _HVXsprintf("SELECT RECNO FROM HVXGR52 WHERE REFERENCE='%s'", reference)) ||
        !connection.FetchNext())
        return "F";
    const std::string recno = _HVXsprintf("%.0f", TextNumber(connection.Column(1)));
    if (!connection.ExecSQL(
            _HVXsprintf("SELECT ADVCODE FROM HVXGR52 WHERE RECNO=%s", recno)) ||
        !connection.FetchNext())
        return "F";
    return Trimmed(connection.Column(1)) == "1" ? "T" : "F";
}

std::string DeductionAmountText(const DeductionDefinition& definition, const DeductionBase& base) {
    const double amount = definition.PerUnit()
                              ? TextNumber(definition.rateUnit) * base.units
                              : TextNumber(definition.grDollar) * base.dollars * 0.01;
    return HVXSRound(amount, 2);
}

}  // namespace hvx
