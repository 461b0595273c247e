// The charges of a multiple-source settlement, summed over its unique sources.
#include <functional>
#include <optional>

#include "platform/HVXConnection.h"
#include "platform/Rounding.h"
#include "platform/Statements.h"
#include "rules/ChargeRows.h"
#include "rules/Charges.h"
#include "rules/StoredText.h"

namespace hvx {
namespace {

using charges::MoneyText;

// The terms of one source contract: the columns of the family's statement.
using TermsVisitor = std::function<void(const ChargeSource&, const SqlRow& terms)>;

struct FamilyQuery {
    ChargeFamily family;
    const char* sql;
    int columns;
    std::string_view missing;
};

constexpr FamilyQuery kStorage{
    ChargeFamily::Storage,
    "SELECT PPAIDDATE,SRATEDATE,AMTPREPAID,COMMODITY FROM HVXGR04F WHERE DLLINK = ?", 4,
    kMsgNoStorageSource};
constexpr FamilyQuery kService{ChargeFamily::Service,
                               "SELECT SSDATE,SCRATE,COMMODITY FROM HVXGR04F WHERE DLLINK = ?", 3,
                               kMsgNoServiceSource};
constexpr FamilyQuery kInterest{ChargeFamily::Interest,
                                "SELECT ISDATE,ISRATE,COMMODITY FROM HVXGR04F WHERE DLLINK = ?", 3,
                                kMsgNoInterestSource};

// Visits the contract terms of every remaining source of the family. Nothing
// (no visit at all) when no source is of the family; false after the message
// when a source contract row is missing, since a total without it would
// understate the charge.
std::optional<bool> VisitSources(UiPort& ui, const FamilyQuery& query,
                                 const std::vector<ChargeSource>& sources,
                                 const TermsVisitor& visit) {
    bool any = false;
    HVXConnection connection(1);
    PreparedStatements sql(connection);
    std::vector<SqlRow> rows;
    for (const ChargeSource& source : sources) {
        if (source.removed || ChargeFamilyOf(source.sourceKind) != query.family) continue;
        any = true;
        if (!sql.Query({{}, query.sql}, {source.sourceLink}, query.columns, rows) || rows.empty()) {
            ShowMessage(ui, query.missing);
            return false;
        }
        visit(source, rows.front());
    }
    if (!any) return std::nullopt;
    return true;
}

std::optional<ChargeRow> StorageRow(UiPort& ui, const std::vector<ChargeSource>& sources,
                                    std::string_view date) {
    double charges = 0, prepaid = 0;
    const auto ok =
        VisitSources(ui, kStorage, sources, [&](const ChargeSource& source, const SqlRow& terms) {
            std::string rate = terms[1];
            charges += StorageServiceCharge(terms[3], terms[0], rate, HVXSRound(source.units, 4),
                                            DailyCharge::Storage, date);
            prepaid += TextNumber(terms[2]);
        });
    if (!ok.value_or(false)) return std::nullopt;
    const double total = HVXRound(charges - prepaid, 2);
    if (total < 0) return ChargeRow{{}, "A", MoneyText(-total)};
    return ChargeRow{{}, "D", MoneyText(total)};
}

std::optional<ChargeRow> ServiceRow(UiPort& ui, const std::vector<ChargeSource>& sources,
                                    std::string_view date) {
    double charges = 0;
    const auto ok =
        VisitSources(ui, kService, sources, [&](const ChargeSource& source, const SqlRow& terms) {
            std::string rate = terms[1];
            charges += StorageServiceCharge(terms[2], terms[0], rate, HVXSRound(source.units, 4),
                                            DailyCharge::Service, date);
        });
    if (!ok.value_or(false)) return std::nullopt;
    return ChargeRow{{}, "D", MoneyText(HVXRound(charges, 2))};
}

std::optional<ChargeRow> InterestRow(UiPort& ui, const std::vector<ChargeSource>& sources,
                                     std::string_view date) {
    double interest = 0;
    const auto ok =
        VisitSources(ui, kInterest, sources, [&](const ChargeSource& source, const SqlRow& terms) {
            interest += InterestCharge(terms[0], terms[1], HVXSRound(source.dollars, 2), date);
        });
    if (!ok.value_or(false)) return std::nullopt;
    return ChargeRow{{}, "A", MoneyText(HVXRound(interest, 2))};
}

}  // namespace

std::vector<ChargeRow> MultipleSourceCharges(UiPort& ui, std::string_view destination,
                                             const std::vector<ChargeSource>& sources,
                                             std::string_view date) {
    if (!charges::IsChargedDestination(destination)) return {};
    using RowRule =
        std::optional<ChargeRow> (*)(UiPort&, const std::vector<ChargeSource>&, std::string_view);
    const struct {
        ChargeFamily family;
        RowRule rule;
    } rules[] = {{ChargeFamily::Storage, StorageRow},
                 {ChargeFamily::Service, ServiceRow},
                 {ChargeFamily::Interest, InterestRow}};
    std::vector<ChargeRow> rows;
    for (const auto& r : rules) {
        std::string reference = charges::ConfiguredReference(r.family);
        if (reference.empty()) continue;
        if (std::optional<ChargeRow> row = r.rule(ui, sources, date)) {
            row->reference = std::move(reference);
            rows.push_back(std::move(*row));
        }
    }
    return rows;
}

}  // namespace hvx
