#pragma once
// What choosing a destination sets on a settlement line. Pure rules: the
// window applies the result to its fields.
#include <string>
#include <string_view>

#include "rules/Categories.h"
#include "rules/SettlementTypes.h"
#include "rules/SourceKinds.h"

namespace hvx {

struct PatronageState {
    bool enabled = false;
    bool checked = false;  // the line stores "T" in PATRONAGE when checked
    bool operator==(const PatronageState&) const = default;
};

// The patronage flag of a line. Only a sale ("Priced" or "Installment Sale")
// of grain that is not already an installment sale earns patronage. For other
// destinations the flag is disabled; the multiple-source window clears it,
// the single-source window leaves its check as it was (wasChecked). The
// multiple-source window applies this each time a source kind is chosen.
PatronageState PatronageFor(std::string_view sourceKind, std::string_view destination,
                            SettlementType window, bool wasChecked);

// True while units moved to the destination carry the charge of their
// source's charge family: only a sale is charged.
bool DestinationCarriesCharge(std::string_view destination);

struct DestinationChoice {
    std::string_view sourceKind;
    std::string_view destination;
    SettlementType window = SettlementType::SingleSource;
    bool patronageChecked = false;  // the flag's check before the choice
    bool gradeListEmpty = true;     // the destination's grade list has no rows yet
};

struct DestinationEffects {
    std::string todpr;  // the line's TODPR, also shown in the destination caption
    DetailPage page = DetailPage::None;
    bool contractEnabled = false;
    PatronageState patronage;
    // "Interest Date", "Interest Rate", "Due Date" and "Submitted for Guarantee".
    bool installmentTermsShown = false;
    // The storage terms' paid-through date is defaulted on every choice.
    bool defaultPaidThrough = true;
    // Grade factor results are loaded into the destination's empty grade list.
    bool loadGradeResults = false;
    // Choosing computes no charge; this family is charged later, when the
    // settled quantity is entered, and only while the destination carries it.
    ChargeFamily chargeOnQuantity = ChargeFamily::None;
};

DestinationEffects ChooseDestination(const DestinationChoice& choice);

}  // namespace hvx
