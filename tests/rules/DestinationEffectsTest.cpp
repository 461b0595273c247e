// What choosing a destination sets on a line, in both settlement windows.
#include <gtest/gtest.h>

#include "rules/DestinationEffects.h"

namespace {

using hvx::ChargeFamily;
using hvx::DetailPage;
using hvx::SettlementType;

TEST(DestinationEffects, PageContractTermsGradesAndChargeByDestination) {
    const struct {
        const char* source;
        const char* destination;
        DetailPage page;
        bool contractEnabled;
        bool installmentTerms;
        bool loadGrades;
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
        // Units moved to any other category carry no charge.
        {"Storage Ticket", "Grain Bank", DetailPage::ContractTerms, true, false, true,
         ChargeFamily::None},
        {"Priced Later", "Basis Fixed", DetailPage::ContractTerms, true, false, true,
         ChargeFamily::None},
        {"Assembly", "Priced Later", DetailPage::ContractTerms, true, false, true,
         ChargeFamily::None},
        {"Assembly", "Futures Fixed", DetailPage::ContractTerms, true, false, true,
         ChargeFamily::None},
        {"Assembly", "Hedged-to-Arrive", DetailPage::ContractTerms, true, false, true,
         ChargeFamily::None},
        {"Assembly", "Minimum Priced", DetailPage::ContractTerms, true, false, true,
         ChargeFamily::None},
        {"Setup", "Storage Ticket", DetailPage::StorageTerms, true, false, true,
         ChargeFamily::None},
        {"CCC", "CCC", DetailPage::StorageTerms, true, false, true, ChargeFamily::None},
        {"Grain Bank", "Redelivered", DetailPage::Bin, true, false, false, ChargeFamily::None},
        {"Assembly", "priced", DetailPage::None, true, false, false, ChargeFamily::None},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.source) + " -> " + c.destination);
        const auto effects = hvx::ChooseDestination({c.source, c.destination});
        EXPECT_EQ(effects.todpr, c.destination);
        EXPECT_EQ(effects.page, c.page);
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

TEST(DestinationEffects, PatronageInBothWindows) {
    using State = hvx::PatronageState;
    const struct {
        const char* source;
        const char* destination;
        bool wasChecked;
        State single;
        State multiple;
    } cases[] = {
        {"Assembly", "Priced", false, {true, true}, {true, true}},
        {"Storage Ticket", "Installment Sale", false, {true, true}, {true, true}},
        {"Installment Sale", "Priced", true, {false, false}, {false, false}},
        {"Installment Sale", "Installment Sale", true, {false, false}, {false, false}},
        // Elsewhere the flag is disabled; only the single-source window keeps its check.
        {"Assembly", "Storage Ticket", true, {false, true}, {false, false}},
        {"Assembly", "Storage Ticket", false, {false, false}, {false, false}},
        {"Grain Bank", "Redelivered", true, {false, true}, {false, false}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.source) + " -> " + c.destination);
        EXPECT_EQ(hvx::PatronageFor(c.source, c.destination, SettlementType::SingleSource,
                                    c.wasChecked),
                  c.single);
        EXPECT_EQ(hvx::PatronageFor(c.source, c.destination, SettlementType::MultipleSource,
                                    c.wasChecked),
                  c.multiple);
        const auto effects = hvx::ChooseDestination(
            {c.source, c.destination, SettlementType::SingleSource, c.wasChecked});
        EXPECT_EQ(effects.patronage, c.single);
    }
}

}  // namespace
