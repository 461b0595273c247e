// Lookups of categories, source kinds and settlement types that the menus do
// not already show: contract test, page, charges, titles and exact comparison.
#include <gtest/gtest.h>

#include <string>

#include "rules/Categories.h"
#include "rules/SettlementTypes.h"
#include "rules/SourceKinds.h"

namespace {

using hvx::ChargeFamily;
using hvx::DetailPage;

TEST(Vocabulary, CategoriesAsSourcesAndTheirPages) {
    const struct {
        const char* text;
        DetailPage page;
        const char* referenceTitle;  // empty: never a source
        ChargeFamily charge;
    } cases[] = {
        {"Priced", DetailPage::UnitsAndPrices, "", ChargeFamily::None},
        {"Priced Later", DetailPage::ContractTerms, "Source Ref", ChargeFamily::Service},
        {"Storage Ticket", DetailPage::StorageTerms, "Source Ref", ChargeFamily::Storage},
        {"Installment Sale", DetailPage::UnitsAndPrices, "Contract #", ChargeFamily::Interest},
        {"Basis Fixed", DetailPage::ContractTerms, "Source Ref", ChargeFamily::Service},
        {"Futures Fixed", DetailPage::ContractTerms, "Source Ref", ChargeFamily::Service},
        {"Hedged-to-Arrive", DetailPage::ContractTerms, "Source Ref", ChargeFamily::Service},
        {"Minimum Priced", DetailPage::ContractTerms, "Source Ref", ChargeFamily::Service},
        {"Grain Bank", DetailPage::ContractTerms, "Source Ref", ChargeFamily::Service},
        {"CCC", DetailPage::StorageTerms, "Source Ref", ChargeFamily::Storage},
        {"Redelivered", DetailPage::Bin, "", ChargeFamily::None},
    };
    ASSERT_EQ(hvx::Categories().size(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        SCOPED_TRACE(c.text);
        ASSERT_EQ(hvx::FindCategory(c.text), &hvx::Categories()[i]);
        const bool source = *c.referenceTitle != '\0';
        EXPECT_EQ(hvx::IsOpenContractCategory(c.text), source);
        EXPECT_EQ(hvx::IsSourceKind(c.text), source);
        EXPECT_EQ(hvx::DetailPageOf(c.text), c.page);
        EXPECT_EQ(hvx::SourceReferenceTitle(c.text), c.referenceTitle);
        EXPECT_EQ(hvx::ChargeFamilyOf(c.text), c.charge);
        // Only an installment sale is settled by amount.
        EXPECT_EQ(hvx::QuantityColumnTitle(c.text),
                  std::string(c.text) == "Installment Sale" ? "Amount" : "Units");
    }
}

TEST(Vocabulary, SourceKindsWithoutACategory) {
    const struct {
        const char* kind;
        const char* referenceTitle;
        const char* menuLabel;
        bool hasRecord;
    } cases[] = {
        {"Assembly", "Assembly #", "&Assembly", true},
        {"Scale Ticket", "Ticket #", "Scale &Ticket", true},
        {"Direct In", "Source Ref", "&Direct In", false},
        {"Setup", "Source Ref", "", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        EXPECT_TRUE(hvx::IsSourceKind(c.kind));
        EXPECT_FALSE(hvx::IsOpenContractCategory(c.kind));
        EXPECT_EQ(hvx::HasSourceRecord(c.kind), c.hasRecord);
        EXPECT_EQ(hvx::SourceReferenceTitle(c.kind), c.referenceTitle);
        EXPECT_EQ(hvx::SourceMenuLabel(c.kind), c.menuLabel);
        EXPECT_EQ(hvx::ChargeFamilyOf(c.kind), ChargeFamily::None);
        EXPECT_EQ(hvx::QuantityColumnTitle(c.kind), "Units");
    }
}

TEST(Vocabulary, TextsCompareExactly) {
    for (const char* text : {"priced", "Priced ", " CCC", "Storage ticket", "Hedged to Arrive",
                             "Price Later", "assembly", "Setup ", "Company Owned", ""}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(hvx::FindCategory(text), nullptr);
        EXPECT_FALSE(hvx::IsSourceKind(text));
        EXPECT_EQ(hvx::DetailPageOf(text), DetailPage::None);
        EXPECT_EQ(hvx::SourceReferenceTitle(text), "");
        EXPECT_EQ(hvx::ChargeFamilyOf(text), ChargeFamily::None);
    }
}

// A settlement type is stored as "0" or "1" and nothing else.
TEST(Vocabulary, SettlementTypeFromStoredText) {
    EXPECT_EQ(hvx::SettlementTypeFromStype("0"), hvx::SettlementType::SingleSource);
    EXPECT_EQ(hvx::SettlementTypeFromStype("1"), hvx::SettlementType::MultipleSource);
    for (const char* other : {"", "2", "0 ", "01"})
        EXPECT_FALSE(hvx::SettlementTypeFromStype(other)) << other;
}

}  // namespace
