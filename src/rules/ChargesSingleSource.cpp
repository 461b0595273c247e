// The charge of one line of a single-source settlement.
#include "platform/Format.h"
#include "platform/HVXSConnection.h"
#include "rules/ChargeRows.h"
#include "rules/Charges.h"
#include "rules/StoredText.h"

namespace hvx {
namespace {

using charges::ConfiguredReference;
using charges::MoneyText;

// Reads the source contract's terms; false (after the message) when the
// source contract row is missing.
bool ReadTerms(UiPort& ui, std::string_view format, std::string_view link,
               std::string_view missing, HVXSConnection& connection) {
    if (connection.ExecSQL(_HVXsprintf(format, link)) && connection.FetchNext()) return true;
    ShowMessage(ui, missing);
    return false;
}

std::vector<ChargeRow> StorageRow(UiPort& ui, const LineChargeInput& in, std::string reference) {
    HVXSConnection connection(1, nullptr, 0);
    if (!ReadTerms(ui, "SELECT PPAIDDATE,SRATEDATE,AMTPREPAID FROM HVXGR04F WHERE DLLINK='%s'",
                   in.sourceLink, kMsgNoStorageSource, connection))
        return {};
    std::string rate = connection.Column(2);
    const double charge = StorageServiceCharge(in.commodity, connection.Column(1), rate,
                                               in.quantity, DailyCharge::Storage, in.date);
    const double prepaid = TextNumber(connection.Column(3));
    if (charge <= prepaid) return {{std::move(reference), "A", MoneyText(prepaid - charge)}};
    return {{std::move(reference), "D", MoneyText(charge - prepaid)}};
}

std::vector<ChargeRow> ServiceRow(UiPort& ui, const LineChargeInput& in, std::string reference) {
    HVXSConnection connection(1, nullptr, 0);
    if (!ReadTerms(ui, "SELECT SSDATE,SCRATE FROM HVXGR04F WHERE DLLINK='%s'", in.sourceLink,
                   kMsgNoServiceSource, connection))
        return {};
    std::string rate = connection.Column(2);
    const double charge = StorageServiceCharge(in.commodity, connection.Column(1), rate,
                                               in.quantity, DailyCharge::Service, in.date);
    return {{std::move(reference), "D", MoneyText(charge)}};
}

std::vector<ChargeRow> InterestRow(UiPort& ui, const LineChargeInput& in, std::string reference) {
    HVXSConnection connection(1, nullptr, 0);
    if (!ReadTerms(ui, "SELECT ISDATE,ISRATE FROM HVXGR04F WHERE DLLINK='%s'", in.sourceLink,
                   kMsgNoInterestSource, connection))
        return {};
    const double interest =
        InterestCharge(connection.Column(1), connection.Column(2), in.quantity, in.date);
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
