// What a source's kind and the destination chosen decide: menus, activity classes, charges.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>

#include "rules/ActivityCodes.h"
#include "rules/Categories.h"
#include "rules/DestinationEffects.h"
#include "rules/Menus.h"
#include "rules/SourceKinds.h"

namespace {

using hvx::ChargeFamily;
using hvx::DetailPage;
using hvx::SettlementType;
using Labels = std::vector<std::string>;

Labels LabelsOf(const std::vector<hvx::MenuEntry>& menu) {
    Labels labels;
    for (const hvx::MenuEntry& e : menu)
        labels.emplace_back(e.kind == hvx::MenuEntry::Kind::Separator ? "-" : e.label);
    return labels;
}

bool Contains(const std::vector<std::string_view>& list, std::string_view text) {
    return std::find(list.begin(), list.end(), text) != list.end();
}

const std::string_view kSources[] = {
    hvx::kAssembly,     hvx::kScaleTicket,     hvx::kDirectIn,     hvx::kSetup, hvx::kStorageTicket,
    hvx::kPricedLater,  hvx::kInstallmentSale, hvx::kGrainBank,    hvx::kCCC,   hvx::kBasisFixed,
    hvx::kFuturesFixed, hvx::kHedgedToArrive,  hvx::kMinimumPriced};

// "Setup" only feeds single-source settlements and "Scale Ticket" only
// multiple-source ones; every other move is offered from both sides. Every
// move offered has an activity class with a text of its own, and no other
// move is classified.
TEST(Menus, BothMenusOfferTheSameMovesAndEachIsClassified) {
    for (const hvx::Category& destination : hvx::Categories()) {
        const std::string_view to = destination.text;
        for (const std::string_view from : kSources) {
            SCOPED_TRACE(std::string(from) + " -> " + std::string(to));
            const bool bySingle = Contains(hvx::DestinationsFor(from), to);
            const bool byAssembly = Contains(hvx::SourcesFor(to, false), from);
            const bool byTicket = Contains(hvx::SourcesFor(to, true), from);
            if (from == hvx::kSetup) {
                EXPECT_FALSE(byAssembly || byTicket);
            } else if (from == hvx::kScaleTicket) {
                EXPECT_FALSE(bySingle || byAssembly);
            } else if (from == hvx::kAssembly) {
                EXPECT_EQ(bySingle, byAssembly);
                EXPECT_FALSE(byTicket);
            } else {
                EXPECT_EQ(bySingle, byAssembly);
                EXPECT_EQ(bySingle, byTicket);
            }
            const std::string code = hvx::ClassifyActivity(from, to);
            EXPECT_EQ(code != "00", bySingle || byAssembly || byTicket) << code;
            if (code != "00") {
                EXPECT_EQ(hvx::ActivityClassText(code).find("Not Classified"), std::string::npos);
            }
        }
    }
}

TEST(Menus, LabelsValuesAndTheFinishEntry) {
    const Labels finish{"-", "<&Finish Settlement>"};
    EXPECT_EQ(LabelsOf(hvx::DestinationMenu("Installment Sale")),
              (Labels{"&Priced", "&Installment Sale", "-", "<&Finish Settlement>"}));
    EXPECT_EQ(LabelsOf(hvx::DestinationMenu("Scale Ticket")), finish);
    EXPECT_EQ(LabelsOf(hvx::SourceMenu("Setup", false)), finish);
    // Scale tickets are never redelivered.
    EXPECT_EQ(LabelsOf(hvx::SourceMenu("Redelivered", true)),
              (Labels{"&Storage Ticket", "&Grain Bank", "&CCC", "-", "<&Finish Settlement>"}));
    // "Priced Later" is offered as "&Price Later" but stored with its d.
    const auto menu = hvx::SourceMenu("Priced Later", true);
    EXPECT_EQ(menu[0].label, "Scale &Ticket");
    EXPECT_EQ(menu[2],
              (hvx::MenuEntry{hvx::MenuEntry::Kind::Choice, "&Price Later", "Priced Later"}));
    EXPECT_EQ(menu.back().kind, hvx::MenuEntry::Kind::Finish);
}

TEST(ActivityCodes, ClassOfAMoveAndItsText) {
    const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
        {"Assembly", "Priced", "06", "Cash Purchases (06)"},
        // A contract moved to its own kind is re-issued.
        {"Priced Later", "Priced Later", "99", "Re-Issued (99)"},
        // Reports and G/L exports match this text as it is, blank missing.
        {"Priced Later", "Minimum Priced", "50", "MP Issued from PL(50)"},
        {"Assembly", "priced", "00", "Not Classified (00)"},
        {"Priced", "Priced Later", "00", "Not Classified (00)"},
    };
    for (const auto& [from, to, code, text] : cases) {
        SCOPED_TRACE(std::string(from) + " -> " + to);
        EXPECT_EQ(hvx::ClassifyActivity(from, to), code);
        char buffer[3] = {'x', 'x', 'x'};
        hvx::ClassifyActivity(from, to, buffer);
        EXPECT_EQ(std::string(buffer), code);
        EXPECT_EQ(hvx::ActivityClassText(code), text);
    }
    EXPECT_EQ(hvx::ActivityClassText("O'1"), "Not Classified (O'1)");
    char text[8];
    hvx::ActivityClassText("06", text, sizeof text);
    EXPECT_EQ(std::string(text), "Cash Pu");
}

// Storage is charged on storage tickets and CCC loans, interest on an
// installment sale, a service charge on every other open contract. Texts
// compare exactly.
TEST(Vocabulary, SourceKindsTheirChargeAndReference) {
    const std::tuple<const char*, bool, bool, const char*, ChargeFamily> cases[] = {
        {"Storage Ticket", true, true, "Source Ref", ChargeFamily::Storage},
        {"CCC", true, true, "Source Ref", ChargeFamily::Storage},
        {"Installment Sale", true, true, "Contract #", ChargeFamily::Interest},
        {"Grain Bank", true, true, "Source Ref", ChargeFamily::Service},
        {"Assembly", true, true, "Assembly #", ChargeFamily::None},
        {"Setup", true, false, "Source Ref", ChargeFamily::None},
        {"Priced", false, false, "", ChargeFamily::None},
        {"storage ticket", false, false, "", ChargeFamily::None},
    };
    for (const auto& [kind, source, record, referenceTitle, charge] : cases) {
        SCOPED_TRACE(kind);
        EXPECT_EQ(hvx::IsSourceKind(kind), source);
        EXPECT_EQ(hvx::HasSourceRecord(kind), record);
        EXPECT_EQ(hvx::SourceReferenceTitle(kind), referenceTitle);
        EXPECT_EQ(hvx::ChargeFamilyOf(kind), charge);
        EXPECT_EQ(hvx::IsOpenContractCategory(kind), charge != ChargeFamily::None);
        // Only an installment sale is settled by amount.
        EXPECT_EQ(hvx::QuantityColumnTitle(kind),
                  std::string(kind) == "Installment Sale" ? "Amount" : "Units");
    }
    EXPECT_EQ(hvx::SourceMenuLabel("Setup"), "");
    EXPECT_EQ(hvx::SettlementTypeFromStype("0"), SettlementType::SingleSource);
    EXPECT_EQ(hvx::SettlementTypeFromStype("1"), SettlementType::MultipleSource);
    for (const char* other : {"", "2", "0 ", "01"})
        EXPECT_FALSE(hvx::SettlementTypeFromStype(other)) << other;
}

// Only a sale carries the charge of the source, and takes no grade list.
TEST(DestinationEffects, PageContractTermsGradesAndCharge) {
    using P = DetailPage;
    using C = ChargeFamily;
    // Page, contract enabled, installment terms shown, grade results loaded, charge.
    const std::tuple<const char*, const char*, P, bool, bool, bool, C> cases[] = {
        {"Storage Ticket", "Priced", P::UnitsAndPrices, false, false, false, C::Storage},
        {"Grain Bank", "Installment Sale", P::UnitsAndPrices, true, true, false, C::Service},
        {"Installment Sale", "Priced", P::UnitsAndPrices, false, false, false, C::Interest},
        {"Storage Ticket", "Grain Bank", P::ContractTerms, true, false, true, C::None},
        {"Setup", "CCC", P::StorageTerms, true, false, true, C::None},
        {"Grain Bank", "Redelivered", P::Bin, true, false, false, C::None},
        {"Assembly", "priced", P::None, true, false, false, C::None},
    };
    for (const auto& [source, destination, page, contract, terms, grades, charge] : cases) {
        SCOPED_TRACE(std::string(source) + " -> " + destination);
        const auto effects = hvx::ChooseDestination({source, destination});
        EXPECT_EQ(effects.todpr, destination);
        EXPECT_EQ(effects.page, page);
        EXPECT_EQ(hvx::DetailPageOf(destination), page);
        EXPECT_EQ(effects.contractEnabled, contract);
        EXPECT_EQ(effects.installmentTermsShown, terms);
        EXPECT_TRUE(effects.defaultPaidThrough);
        EXPECT_EQ(effects.loadGradeResults, grades);
        EXPECT_EQ(effects.chargeOnQuantity, charge);
        // Rows already in the grade list are never replaced.
        hvx::DestinationChoice typed{source, destination};
        typed.gradeListEmpty = false;
        EXPECT_FALSE(hvx::ChooseDestination(typed).loadGradeResults);
    }
}

// A sale earns patronage unless it pays off an installment sale. Elsewhere
// the flag is disabled; only the single-source window keeps its check.
TEST(DestinationEffects, PatronageInBothWindows) {
    using State = hvx::PatronageState;
    const std::tuple<const char*, const char*, bool, State, State> cases[] = {
        {"Storage Ticket", "Installment Sale", false, {true, true}, {true, true}},
        {"Installment Sale", "Priced", true, {false, false}, {false, false}},
        {"Assembly", "Storage Ticket", true, {false, true}, {false, false}},
    };
    for (const auto& [source, destination, wasChecked, single, multiple] : cases) {
        SCOPED_TRACE(std::string(source) + " -> " + destination);
        EXPECT_EQ(
            hvx::PatronageFor(source, destination, SettlementType::MultipleSource, wasChecked),
            multiple);
        EXPECT_EQ(
            hvx::ChooseDestination({source, destination, SettlementType::SingleSource, wasChecked})
                .patronage,
            single);
    }
}

}  // namespace
