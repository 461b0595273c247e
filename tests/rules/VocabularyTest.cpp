// What the kind of a source and the chosen destination decide: the charge a
// source pays, its reference column, and what choosing a destination sets on
// a line in both settlement windows.
#include <gtest/gtest.h>

#include <string>

#include "rules/DestinationEffects.h"
#include "rules/SourceKinds.h"

namespace {

using hvx::ChargeFamily;
using hvx::DetailPage;
using hvx::SettlementType;

// Storage is charged on storage tickets and CCC loans, interest on an
// installment sale, a service charge on every other open contract. Texts
// compare exactly.
TEST(Vocabulary, SourceKindsTheirChargeAndReference) {
    const struct {
        const char* kind;
        bool source, record;
        const char* referenceTitle;
        ChargeFamily charge;
    } cases[] = {
        {"Storage Ticket", true, true, "Source Ref", ChargeFamily::Storage},
        {"CCC", true, true, "Source Ref", ChargeFamily::Storage},
        {"Installment Sale", true, true, "Contract #", ChargeFamily::Interest},
        {"Grain Bank", true, true, "Source Ref", ChargeFamily::Service},
        {"Hedged-to-Arrive", true, true, "Source Ref", ChargeFamily::Service},
        {"Assembly", true, true, "Assembly #", ChargeFamily::None},
        {"Scale Ticket", true, true, "Ticket #", ChargeFamily::None},
        {"Direct In", true, false, "Source Ref", ChargeFamily::None},
        {"Setup", true, false, "Source Ref", ChargeFamily::None},
        {"Priced", false, false, "", ChargeFamily::None},
        {"Redelivered", false, false, "", ChargeFamily::None},
        {"storage ticket", false, false, "", ChargeFamily::None},
        {"CCC ", false, false, "", ChargeFamily::None},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        EXPECT_EQ(hvx::IsSourceKind(c.kind), c.source);
        EXPECT_EQ(hvx::HasSourceRecord(c.kind), c.record);
        EXPECT_EQ(hvx::SourceReferenceTitle(c.kind), c.referenceTitle);
        EXPECT_EQ(hvx::ChargeFamilyOf(c.kind), c.charge);
        EXPECT_EQ(hvx::IsOpenContractCategory(c.kind), c.charge != ChargeFamily::None);
        // Only an installment sale is settled by amount.
        EXPECT_EQ(hvx::QuantityColumnTitle(c.kind),
                  std::string(c.kind) == "Installment Sale" ? "Amount" : "Units");
    }
    EXPECT_EQ(hvx::SourceMenuLabel("Setup"), "");
    EXPECT_EQ(hvx::SourceMenuLabel("Priced"), "");
    EXPECT_EQ(hvx::SettlementTypeFromStype("0"), SettlementType::SingleSource);
    EXPECT_EQ(hvx::SettlementTypeFromStype("1"), SettlementType::MultipleSource);
    for (const char* other : {"", "2", "0 ", "01"})
        EXPECT_FALSE(hvx::SettlementTypeFromStype(other)) << other;
}

// Only a sale carries the charge of the source, and takes no grade list.
TEST(DestinationEffects, PageContractTermsGradesAndCharge) {
    const struct {
        const char *source, *destination;
        DetailPage page;
        bool contractEnabled, installmentTerms, loadGrades;
        ChargeFamily charge;
    } cases[] = {
        {"Storage Ticket", "Priced", DetailPage::UnitsAndPrices, false, false, false,
         ChargeFamily::Storage},
        {"Grain Bank", "Installment Sale", DetailPage::UnitsAndPrices, true, true, false,
         ChargeFamily::Service},
        {"Installment Sale", "Priced", DetailPage::UnitsAndPrices, false, false, false,
         ChargeFamily::Interest},
        {"Assembly", "Priced", DetailPage::UnitsAndPrices, false, false, false,
         ChargeFamily::None},
        {"Storage Ticket", "Grain Bank", DetailPage::ContractTerms, true, false, true,
         ChargeFamily::None},
        {"Setup", "CCC", DetailPage::StorageTerms, true, false, true, ChargeFamily::None},
        {"Grain Bank", "Redelivered", DetailPage::Bin, true, false, false, ChargeFamily::None},
        {"Assembly", "priced", DetailPage::None, true, false, false, ChargeFamily::None},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.source) + " -> " + c.destination);
        const auto effects = hvx::ChooseDestination({c.source, c.destination});
        EXPECT_EQ(effects.todpr, c.destination);
        EXPECT_EQ(effects.page, c.page);
        EXPECT_EQ(hvx::DetailPageOf(c.destination), c.page);
        EXPECT_EQ(effects.contractEnabled, c.contractEnabled);
        EXPECT_EQ(effects.installmentTermsShown, c.installmentTerms);
        EXPECT_TRUE(effects.defaultPaidThrough);
        EXPECT_EQ(effects.loadGradeResults, c.loadGrades);
        EXPECT_EQ(effects.chargeOnQuantity, c.charge);
        // Rows already in the grade list are never replaced.
        hvx::DestinationChoice typed{c.source, c.destination};
        typed.gradeListEmpty = false;
        EXPECT_FALSE(hvx::ChooseDestination(typed).loadGradeResults);
    }
}

// A sale earns patronage unless it pays off an installment sale. Elsewhere
// the flag is disabled; only the single-source window keeps its check.
TEST(DestinationEffects, PatronageInBothWindows) {
    using State = hvx::PatronageState;
    const struct {
        const char *source, *destination;
        bool wasChecked;
        State single, multiple;
    } cases[] = {
        {"Storage Ticket", "Installment Sale", false, {true, true}, {true, true}},
        {"Installment Sale", "Priced", true, {false, false}, {false, false}},
        {"Assembly", "Storage Ticket", true, {false, true}, {false, false}},
        {"Assembly", "Storage Ticket", false, {false, false}, {false, false}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.source) + " -> " + c.destination);
        EXPECT_EQ(hvx::PatronageFor(c.source, c.destination, SettlementType::MultipleSource,
                                    c.wasChecked),
                  c.multiple);
        EXPECT_EQ(hvx::ChooseDestination({c.source, c.destination, SettlementType::SingleSource,
                                          c.wasChecked})
                      .patronage,
                  c.single);
    }
}

}  // namespace
