// The units and prices of a price page: totals rounded at each step, the
// units check at both bounds, and the price row commands with their exact
// messages and focus.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "windows/pricing/PricePage.h"
#include "support/ScriptedUi.h"

namespace {

using hvx::PricePage;
using hvx::SettlementType;
using hvxtest::ScriptedUi;

struct Row {
    const char *units, *price;
};

void AddRows(PricePage& page, const std::vector<Row>& rows) {
    for (const Row& r : rows) {
        page.NewPrice();
        page.Data().units = r.units;
        page.Data().price = r.price;
        ASSERT_TRUE(page.AcceptPrice());
    }
}

// "text|caption|focus" of each refusal, in order.
std::vector<std::string> Refusals(const ScriptedUi& ui) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < ui.messages.size(); ++i) {
        const auto& m = ui.messages[i];
        EXPECT_EQ(m.icon, hvx::MsgIcon::Exclamation);
        EXPECT_EQ(m.buttons, hvx::MsgButtons::Ok);
        out.push_back(m.text + "|" + m.caption + "|" + (i < ui.focus.size() ? ui.focus[i] : ""));
    }
    return out;
}

TEST(PricePage, TotalsRoundEachLineThenTheSums) {
    const struct {
        std::vector<Row> rows;
        double average, gross;
        const char *averageText, *grossText;
    } cases[] = {
        // 2.505 × 10 is 25.049999999999997 in binary: still 25.05.
        {{{"10", "2.505"}, {"5", "2.50"}}, 2.5033, 37.55, "Avg : $2.5033", "Gross : $37.55"},
        {{}, 0, 0, "Avg : $0.0000", "Gross : $0.00"},
        // 1.005 × 3 is 3.0149999999999997: the cent is rounded up as read.
        {{{"3", "1.005"}}, 1.0067, 3.02, "Avg : $1.0067", "Gross : $3.02"},
        // Units count rounded to 4 decimals, each line's money to 2.
        {{{"0.33335", "1"}}, 0.9898, 0.33, "Avg : $0.9898", "Gross : $0.33"},
        // Units that cancel out leave no average, whatever the money.
        {{{"10", "2.505"}, {"-10", "2.50"}}, 0, 0.05, "Avg : $0.0000", "Gross : $0.05"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.grossText);
        ScriptedUi ui;
        PricePage page(ui, SettlementType::SingleSource);
        AddRows(page, c.rows);
        EXPECT_DOUBLE_EQ(page.Average(), c.average);
        EXPECT_DOUBLE_EQ(page.Gross(), c.gross);
        EXPECT_EQ(page.Data().averageText, c.averageText);
        EXPECT_EQ(page.Data().grossText, c.grossText);
        EXPECT_EQ(page.Data().netText, std::string("Net : $") + (c.grossText + 9));
        // A cleared page: zero totals and empty entry fields.
        page.Data().deduction = "CHECK";
        page.Clear();
        EXPECT_EQ(page.Data().averageText + page.Data().grossText + page.Data().netText,
                  "Avg : $0.0000Gross : $0.00Net : $0.00");
        EXPECT_EQ(page.UnitsList().Count(), 0u);
        EXPECT_EQ(page.Data().units + page.Data().deduction, "");
    }
}

TEST(PricePage, UnitsCheckAllowsOneHundredthEitherWay) {
    const struct {
        double settled;
        std::vector<Row> rows;
        bool passes;
    } cases[] = {
        {100.01, {{"100", "2"}}, true},          // 100.01 - 100 is a hair above 0.01 in binary
        {99.99, {{"100", "2"}}, true},
        {100.0101, {{"100", "2"}}, false},
        {99.9899, {{"100", "2"}}, false},
        {100, {{"60", "2"}, {"40.01", "2"}}, true},
        {100, {{"60", "2"}, {"40.0101", "2"}}, false},
        {100, {}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.settled);
        ScriptedUi ui;
        PricePage page(ui, SettlementType::SingleSource);
        AddRows(page, c.rows);
        page.SetUnitsSettled(c.settled);
        EXPECT_EQ(page.UnitsCheck(), c.passes);
        EXPECT_EQ(Refusals(ui), c.passes ? std::vector<std::string>{}
                                         : std::vector<std::string>{
                                               "Total units do not equal units settled.|Harvexa|"
                                               "UnitsSettled"});
    }
    // Neither an amount-settled installment sale nor a multiple-source page
    // has units to check.
    ScriptedUi ui;
    PricePage installment(ui, SettlementType::SingleSource);
    installment.SetSourceKind("Installment Sale");
    installment.SetUnitsSettled(50);
    EXPECT_TRUE(installment.UnitsCheck());
    PricePage multiple(ui, SettlementType::MultipleSource);
    multiple.SetUnitsSettled(50);
    EXPECT_TRUE(multiple.UnitsCheck());
    EXPECT_TRUE(ui.messages.empty());
}

TEST(PricePage, AcceptPriceRefusesEmptyFieldsInOrder) {
    const struct {
        const char *units, *price, *refusal;
    } cases[] = {
        {"", "", "Units are required.|Harvexa|Units"},
        {" ", "2.50", "Units are required.|Harvexa|Units"},
        {"10", "", "Price is required.|Harvexa|Price"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.refusal);
        ScriptedUi ui;
        PricePage page(ui, SettlementType::SingleSource);
        AddRows(page, {{"5", "1.00"}});
        page.ClearChanged();
        page.NewPrice();
        page.Data().units = c.units;
        page.Data().price = c.price;
        EXPECT_FALSE(page.AcceptPrice());
        EXPECT_EQ(Refusals(ui), std::vector<std::string>{c.refusal});
        EXPECT_EQ(page.UnitsList().Count(), 1u);
        EXPECT_FALSE(page.Changed());
        EXPECT_EQ(page.Data().grossText, "Gross : $5.00");
    }
}

TEST(PricePage, SelectedRowIsReplacedAndRemoved) {
    ScriptedUi ui;
    PricePage page(ui, SettlementType::SingleSource);
    AddRows(page, {{"10", "2.00"}, {"5", "3.00"}});
    EXPECT_EQ(page.Data().grossText, "Gross : $35.00");
    page.SelectPriceRow(0);
    EXPECT_EQ(page.Data().units + "@" + page.Data().price, "10@2.00");
    page.Data().price = "2.10";
    ASSERT_TRUE(page.AcceptPrice());
    EXPECT_EQ(page.UnitsList().Items(),
              (std::vector<hvx::PriceUnitRow>{{"10", "2.10"}, {"5", "3.00"}}));
    EXPECT_EQ(page.Data().grossText, "Gross : $36.00");
    page.ClearChanged();
    ASSERT_TRUE(page.RemovePrice());
    EXPECT_TRUE(page.Changed());
    EXPECT_EQ(page.UnitsList().Items(), (std::vector<hvx::PriceUnitRow>{{"5", "3.00"}}));
    EXPECT_EQ(page.Data().averageText, "Avg : $3.0000");
    EXPECT_FALSE(page.RemovePrice());  // nothing selected any more
}

TEST(PricePage, NewRowOffersTheUnitsStillToPrice) {
    const struct {
        SettlementType type;
        int decimals;
        std::vector<Row> rows;
        const char *typed, *offered;
    } cases[] = {
        {SettlementType::SingleSource, 2, {{"60", "1"}}, "", "40.00"},
        {SettlementType::SingleSource, 0, {{"60", "1"}}, "", "40.00"},  // no decimals: cents
        {SettlementType::SingleSource, 3, {{"60.5", "1"}}, "", "39.500"},
        {SettlementType::SingleSource, 2, {{"99.999999", "1"}}, "", ""},  // zero at 5 decimals
        {SettlementType::SingleSource, 2, {{"120", "1"}}, "", "-20.00"},
        {SettlementType::SingleSource, 2, {{"60", "1"}}, "7", "7"},  // what is typed stays
        {SettlementType::MultipleSource, 2, {{"60", "1"}}, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.offered);
        ScriptedUi ui;
        PricePage page(ui, c.type);
        page.Inputs().decimals = c.decimals;
        page.SetUnitsSettled(100);
        AddRows(page, c.rows);
        page.NewPrice();
        page.Data().units = c.typed;
        page.EnterUnitsField();
        EXPECT_EQ(page.Data().units, c.offered);
    }
}

TEST(PricePage, InstallmentSaleKeepsTheTotalsSetFromOutside) {
    ScriptedUi ui;
    PricePage page(ui, SettlementType::SingleSource);
    page.SetSourceKind("Installment Sale");
    EXPECT_EQ(page.PageHint(), "A single source can go to multiple destination DPRs.");
    EXPECT_EQ(page.DeductionHint(),
              "Enter the deduction to subtract from this settlement. Deductions will be "
              "subtracted from the entire settlement.");
    page.SetGross(1234.565);  // binary 1234.56500000000005: the cent rounds up
    page.SetAverage(2.50005);
    page.RecomputeTotals();
    EXPECT_EQ(page.Data().grossText, "Gross : $1234.57");
    EXPECT_EQ(page.Data().averageText, "Avg : $2.5001");
    EXPECT_EQ(page.Data().netText, "Net : $1234.57");

    page.SetSourceKind("Storage Ticket");  // back to units: the rows decide
    page.RecomputeTotals();
    EXPECT_EQ(page.Data().grossText, "Gross : $0.00");
    EXPECT_EQ(page.PageHint(), "");
}

}  // namespace
