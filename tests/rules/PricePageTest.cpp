// The units and prices of a price page, the source lines of a multiple-source
// settlement and an installment sale settled by amount: totals rounded at each
// step, and every refusal with its exact message and focus.
#include <gtest/gtest.h>

#include <functional>

#include "rules/PricePage.h"
#include "support/ScriptedUi.h"

namespace {

using hvx::PricePage;
using hvx::SettlementType;
using hvx::SourceLineEntry;
using hvxtest::ScriptedUi;
using Texts = std::vector<std::string>;

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

// "text|focus" of each message, every one a refusal in the product's caption.
Texts Refusals(const ScriptedUi& ui) {
    Texts out;
    for (std::size_t i = 0; i < ui.messages.size(); ++i) {
        const auto& m = ui.messages[i];
        EXPECT_EQ(m.caption, "Harvexa");
        EXPECT_EQ(m.icon, hvx::MsgIcon::Exclamation);
        out.push_back(m.text + "|" + (i < ui.focus.size() ? ui.focus[i] : ""));
    }
    return out;
}

TEST(PricePage, TotalsRoundEachLineThenTheSums) {
    const struct {
        std::vector<Row> rows;
        const char *averageText, *grossText;
    } cases[] = {
        // 2.505 × 10 is 25.049999999999997 in binary: still 25.05.
        {{{"10", "2.505"}, {"5", "2.50"}}, "Avg : $2.5033", "Gross : $37.55"},
        // 1.005 × 3 is 3.0149999999999997: the cent is rounded up as read.
        {{{"3", "1.005"}}, "Avg : $1.0067", "Gross : $3.02"},
        // Units count rounded to 4 decimals, each line's money to 2.
        {{{"0.33335", "1"}}, "Avg : $0.9898", "Gross : $0.33"},
        // Units that cancel out leave no average, whatever the money.
        {{{"10", "2.505"}, {"-10", "2.50"}}, "Avg : $0.0000", "Gross : $0.05"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.grossText);
        ScriptedUi ui;
        PricePage page(ui, SettlementType::SingleSource);
        AddRows(page, c.rows);
        EXPECT_EQ(page.Data().averageText, c.averageText);
        EXPECT_EQ(page.Data().grossText, c.grossText);
        EXPECT_EQ(page.Data().netText, std::string("Net : $") + (c.grossText + 9));
        // A cleared page: zero totals and empty entry fields.
        page.Data().deduction = "CHECK";
        page.Clear();
        EXPECT_EQ(page.Data().averageText + page.Data().grossText + page.Data().netText,
                  "Avg : $0.0000Gross : $0.00Net : $0.00");
        EXPECT_EQ(page.UnitsList().Count() + page.Data().deduction.size(), 0u);
    }
}

TEST(PricePage, UnitsCheckAllowsOneHundredthEitherWay) {
    const struct {
        double settled;
        bool passes;
    } cases[] = {
        {100.01, true},  // 100.01 - 100 is a hair above 0.01 in binary
        {99.99, true},
        {100.0101, false},
        {99.9899, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.settled);
        ScriptedUi ui;
        PricePage page(ui, SettlementType::SingleSource);
        AddRows(page, {{"60", "2"}, {"40", "2"}});
        page.SetUnitsSettled(c.settled);
        EXPECT_EQ(page.UnitsCheck(), c.passes);
        EXPECT_EQ(Refusals(ui), c.passes ? Texts{}
                                         : Texts{"Total units do not equal units settled.|"
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

TEST(PricePage, PriceRowsAreRefusedReplacedAndRemoved) {
    ScriptedUi ui;
    PricePage page(ui, SettlementType::SingleSource);
    AddRows(page, {{"10", "2.00"}, {"5", "3.00"}});
    page.ClearChanged();
    for (const Row& r : std::vector<Row>{{"", ""}, {" ", "2.50"}, {"10", ""}}) {
        page.NewPrice();
        page.Data().units = r.units;
        page.Data().price = r.price;
        EXPECT_FALSE(page.AcceptPrice());
    }
    EXPECT_EQ(Refusals(ui), (Texts{"Units are required.|Units", "Units are required.|Units",
                                   "Price is required.|Price"}));
    EXPECT_FALSE(page.Changed());
    EXPECT_EQ(page.Data().grossText, "Gross : $35.00");

    page.SelectPriceRow(0);
    EXPECT_EQ(page.Data().units + "@" + page.Data().price, "10@2.00");
    page.Data().price = "2.10";
    ASSERT_TRUE(page.AcceptPrice());
    EXPECT_EQ(page.UnitsList().Items(),
              (std::vector<hvx::SettlementUnitsItem>{{"10", "2.10"}, {"5", "3.00"}}));
    EXPECT_EQ(page.Data().grossText, "Gross : $36.00");
    page.ClearChanged();
    ASSERT_TRUE(page.RemovePrice());
    EXPECT_TRUE(page.Changed());
    EXPECT_EQ(page.UnitsList().Items(), (std::vector<hvx::SettlementUnitsItem>{{"5", "3.00"}}));
    EXPECT_EQ(page.Data().averageText, "Avg : $3.0000");
    EXPECT_FALSE(page.RemovePrice());  // nothing selected any more
}

TEST(PricePage, NewRowOffersTheUnitsStillToPrice) {
    const struct {
        SettlementType type;
        int decimals;
        const char *priced, *typed, *offered;
    } cases[] = {
        {SettlementType::SingleSource, 0, "60", "", "40.00"},  // no decimals: cents
        {SettlementType::SingleSource, 3, "60.5", "", "39.500"},
        {SettlementType::SingleSource, 2, "99.999999", "", ""},  // zero at 5 decimals
        {SettlementType::SingleSource, 2, "60", "7", "7"},       // what is typed stays
        {SettlementType::MultipleSource, 2, "60", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.offered);
        ScriptedUi ui;
        PricePage page(ui, c.type);
        page.Inputs().decimals = c.decimals;
        page.SetUnitsSettled(100);
        AddRows(page, {{c.priced, "1"}});
        page.NewPrice();
        page.Data().units = c.typed;
        page.EnterUnitsField();
        EXPECT_EQ(page.Data().units, c.offered);
    }
}

const SourceLineEntry kValid{true, true, "Storage Ticket", "T7", true, "Priced", "10", "2.505", 100};

// Each case breaks one check and every check after it, so only the order of
// the checks decides which message comes.
TEST(SourceLineAcceptance, ChecksInTheirOrder) {
    const char* const kPrice = "A unit price is required to accept this settle detail.|UnitPrice";
    const struct {
        std::function<void(SourceLineEntry&)> change;
        const char* refusal;
    } cases[] = {
        {[](auto& e) { e = SourceLineEntry{}; }, "Settlement Source is not loaded.|SourceReference"},
        {[](auto& e) { e.customerValid = false, e.sourceReference = "", e.quantity = ""; },
         "A valid customer is required before settlement detail may be accepted.|Customer"},
        {[](auto& e) { e.sourceReference = " ", e.quantity = "-1"; },
         "A valid source reference is required.|SourceReference"},
        {[](auto& e) { e.sourceReferenceValid = false, e.quantity = ""; },
         "A valid source reference is required.|SourceReference"},
        {[](auto& e) { e.quantity = " ", e.price = ""; },
         "Units settled amount is required to accept this settle detail.|UnitsSettled"},
        {[](auto& e) { e.quantity = "-0.0001", e.available = -5, e.price = ""; },
         "Negative settlements are not supported.|UnitsSettled"},
        {[](auto& e) { e.quantity = "100.0001", e.price = ""; },
         "Maximum units available to settle from this source are 100.0000. You are attempting "
         "to settle 100.0001.|UnitsSettled"},
        {[](auto& e) {
             e.sourceKind = "Installment Sale", e.quantity = "500.005", e.available = 500,
             e.price = "";
         },
         "Maximum amount available to settle from this source is 500.0000. You are attempting "
         "to settle 500.0100.|UnitsSettled"},
        // A negative zero at 4 decimals is no negative settlement; equal to
        // what is available is allowed; "Direct In" has no limit.
        {[](auto& e) { e.quantity = "-0.00004", e.price = ""; }, kPrice},
        {[](auto& e) { e.quantity = "100.00004", e.price = " "; }, kPrice},
        {[](auto& e) {
             e.sourceKind = "Direct In", e.sourceReference = "", e.quantity = "9999", e.price = "";
         },
         kPrice},
        {[](auto& e) { e.price = "-0.0001"; }, "Negative settlements are not supported.|UnitPrice"},
        {[](auto& e) {
             e.sourceKind = "Installment Sale", e.quantity = "100", e.contract = {0, 0, 40};
         },
         "This installment sale contract has a net amount of 0.00. Its units cannot be settled "
         "by amount.|UnitsSettled"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.refusal);
        ScriptedUi ui;
        SourceLineEntry entry = kValid;
        c.change(entry);
        EXPECT_FALSE(hvx::AcceptSourceLine(ui, entry));
        EXPECT_EQ(Refusals(ui), Texts{c.refusal});
    }
}

TEST(SourceLineAcceptance, AcceptedLinesMakeTheDestinationTotals) {
    ScriptedUi ui;
    PricePage page(ui, SettlementType::MultipleSource);
    SourceLineEntry first = kValid;
    first.sourceKind = "Assembly";
    const auto line = page.AcceptSourceLine(first);
    ASSERT_TRUE(line);
    EXPECT_EQ(*line,
              (hvx::PricedSourceLine{"Assembly", "T7", "Priced", 10, 0, 2.505, 25.05, "06"}));
    SourceLineEntry second = kValid;
    second.quantity = "5";
    second.price = "2.50";
    ASSERT_TRUE(page.AcceptSourceLine(second));
    EXPECT_EQ(page.Data().averageText + " " + page.Data().grossText + " " + page.Data().netText,
              "Avg : $2.5033 Gross : $37.55 Net : $37.55");
    EXPECT_TRUE(page.Changed());
    // A line that moves grain to another position needs no price.
    SourceLineEntry moved = kValid;
    moved.destination = "Grain Bank";
    moved.price = "";
    const auto unpriced = hvx::AcceptSourceLine(ui, moved);
    ASSERT_TRUE(unpriced);
    EXPECT_EQ(unpriced->totalPrice, 0);
    EXPECT_EQ(unpriced->glCode, "56");
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_FALSE(page.AcceptSourceLine({}));
}

TEST(InstallmentSale, PaymentThatCompletesTheContractTakesTheUnitsLeft) {
    const hvx::InstallmentContract contract{300, 0, 100};
    const struct {
        hvx::InstallmentContract contract;
        hvx::InstallmentTaken taken;
        double amount;
        const char* units;  // null: refused
    } cases[] = {
        // With the earlier line's 100.00 this pays the 300.00: the 66.66 units
        // left, not the proportional 66.67.
        {contract, {100, 33.34}, 200, "66.66"},
        {contract, {100, 33.34}, 150, "50.00"},
        {contract, {0, 0}, 0.01, "0.00"},
        // A contract without a net amount is refused before anything is figured.
        {{0.000001, 0, 100}, {}, 0, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.amount);
        ScriptedUi ui;
        PricePage page(ui, SettlementType::SingleSource);
        page.SetSourceKind("Installment Sale");
        page.Inputs().decimals = 2;
        std::string units = "keep";
        EXPECT_EQ(page.SettleInstallmentAmount(c.contract, c.taken, c.amount, units), !!c.units);
        EXPECT_EQ(units, c.units ? c.units : "keep");
        EXPECT_DOUBLE_EQ(page.Gross(), c.units ? c.amount : 0);
        EXPECT_EQ(Refusals(ui), c.units ? Texts{}
                                        : Texts{"This installment sale contract has a net "
                                                "amount of 0.00. Its units cannot be settled by "
                                                "amount.|UnitsSettled"});
    }
    // A new line starts with what the contract still pays; nothing once paid.
    EXPECT_EQ(hvx::InstallmentPrefill({1000, 250.5, 0}, 300), "449.50");
    EXPECT_EQ(hvx::InstallmentPrefill({1000, 700, 0}, 299.999999), "");
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
    EXPECT_DOUBLE_EQ(page.Average(), 2.5001);
    EXPECT_EQ(page.Data().averageText + " " + page.Data().grossText + " " + page.Data().netText,
              "Avg : $2.5001 Gross : $1234.57 Net : $1234.57");
    page.SetSourceKind("Storage Ticket");  // back to units: the rows decide
    page.RecomputeTotals();
    EXPECT_EQ(page.Data().grossText, "Gross : $0.00");
    EXPECT_EQ(page.PageHint(), "");
}

}  // namespace
