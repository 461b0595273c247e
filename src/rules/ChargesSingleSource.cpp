// The charge of one line of a single-source settlement.
#include "platform/HVXSConnection.h"
#include "platform/Statements.h"
#include "rules/ChargeRows.h"
#include "rules/Charges.h"
#include "rules/StoredText.h"

namespace hvx {
namespace {

using charges::ConfiguredReference;
using charges::MoneyText;

// Reads the source contract's terms, its first `columns` columns; false
// (after the message) when the source contract row is missing.
bool ReadTerms(UiPort& ui, std::string_view format, std::string_view link, int columns,
               std::string_view missing, SqlRow& terms) {
    HVXSConnection connection(1, nullptr, 0);
    std::vector<SqlRow> rows;
    if (LiteralStatements(connection).Query({format}, {link}, columns, rows) && !rows.empty()) {
        terms = std::move(rows.front());
        return true;
    }
    ShowMessage(ui, missing);
    return false;
}

std::vector<ChargeRow> StorageRow(UiPort& ui, const LineChargeInput& in, std::string reference) {
    SqlRow terms;
    if (!ReadTerms(ui, "SELECT PPAIDDATE,SRATEDATE,AMTPREPAID FROM HVXGR04F WHERE DLLINK='%s'",
                   in.sourceLink, 3, kMsgNoStorageSource, terms))
        return {};
    std::string rate = terms[1];
    const double charge = StorageServiceCharge(in.commodity, terms[0], rate, in.quantity,
                                               DailyCharge::Storage, in.date);
    const double prepaid = TextNumber(terms[2]);
    if (charge <= prepaid) return {{std::move(reference), "A", MoneyText(prepaid - charge)}};
    return {{std::move(reference), "D", MoneyText(charge - prepaid)}};
}

std::vector<ChargeRow> ServiceRow(UiPort& ui, const LineChargeInput& in, std::string reference) {
    SqlRow terms;
    if (!ReadTerms(ui, "SELECT SSDATE,SCRATE FROM HVXGR04F WHERE DLLINK='%s'", in.sourceLink, 2,
                   kMsgNoServiceSource, terms))
        return {};
    std::string rate = terms[1];
    const double charge = StorageServiceCharge(in.commodity, terms[0], rate, in.quantity,
                                               DailyCharge::Service, in.date);
    return {{std::move(reference), "D", MoneyText(charge)}};
}

std::vector<ChargeRow> InterestRow(UiPort& ui, const LineChargeInput& in, std::string reference) {
    SqlRow terms;
    if (!ReadTerms(ui, "SELECT ISDATE,ISRATE FROM HVXGR04F WHERE DLLINK='%s'", in.sourceLink, 2,
                   kMsgNoInterestSource, terms))
        return {};
    const double interest = InterestCharge(terms[0], terms[1], in.quantity, in.date);
    return {{std::move(reference), "A", MoneyText(interest)}};
}

}  // namespace

std::vector<ChargeRow> SingleSourceLineCharges(UiPort& ui, const LineChargeInput& in) {
    if (!charges::IsChargedDestination(in.destination)) return {};
    const ChargeFamily family = ChargeFamilyOf(in.sourceKind);
    std::string reference = ConfiguredReference(family);
    if (reference.empty()) return {};
    switch (family) {
        case ChargeFamily::Storage: return StorageRow(ui, in, std::move(reference));
        case ChargeFamily::Service: return ServiceRow(ui, in, std::move(reference));
        case ChargeFamily::Interest: return InterestRow(ui, in, std::move(reference));
        case ChargeFamily::None: break;
    }
    return {};
}

}  // namespace hvx
