// The checks of a multiple-source source line in their fixed order, the
// destination totals the accepted lines give, and the settled quantity of an
// installment sale turned from dollars into units.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "windows/pricing/PricePage.h"
#include "support/ScriptedUi.h"

namespace {

using hvx::InstallmentContract;
using hvx::InstallmentTaken;
using hvx::SourceLineEntry;
using hvxtest::ScriptedUi;

SourceLineEntry ValidEntry() {
    SourceLineEntry e;
    e.sourceLoaded = e.customerValid = e.sourceReferenceValid = true;
    e.sourceKind = "Storage Ticket";
    e.sourceReference = "T7";
    e.destination = "Priced";
    e.quantity = "10";
    e.price = "2.505";
    e.available = 100;
    return e;
}

// Each case breaks one check and every check after it, so only the order of
// the checks decides which message comes.
TEST(SourceLineAcceptance, ChecksInTheirOrder) {
    const struct {
        std::function<void(SourceLineEntry&)> change;
        const char *message, *focus;
    } cases[] = {
        {[](auto& e) { e = SourceLineEntry{}; }, "Settlement Source is not loaded.",
         "SourceReference"},
        {[](auto& e) { e.customerValid = false, e.sourceReference = "", e.quantity = ""; },
         "A valid customer is required before settlement detail may be accepted.", "Customer"},
        {[](auto& e) { e.sourceReference = " ", e.quantity = "-1"; },
         "A valid source reference is required.", "SourceReference"},
        {[](auto& e) { e.sourceReferenceValid = false, e.quantity = ""; },
         "A valid source reference is required.", "SourceReference"},
        {[](auto& e) { e.quantity = " ", e.price = ""; },
         "Units settled amount is required to accept this settle detail.", "UnitsSettled"},
        {[](auto& e) { e.quantity = "-0.0001", e.available = -5, e.price = ""; },
         "Negative settlements are not supported.", "UnitsSettled"},
        {[](auto& e) { e.quantity = "100.0001", e.price = ""; },
         "Maximum units available to settle from this source are 100.0000. You are attempting "
         "to settle 100.0001.",
         "UnitsSettled"},
        {[](auto& e) {
             e.sourceKind = "Installment Sale", e.quantity = "500.005", e.available = 500,
             e.price = "";
         },
         "Maximum amount available to settle from this source is 500.0000. You are attempting "
         "to settle 500.0100.",
         "UnitsSettled"},
        // A negative zero at 4 decimals is no negative settlement; equal to
        // what is available is allowed; "Direct In" has no limit.
        {[](auto& e) { e.quantity = "-0.00004", e.price = ""; },
         "A unit price is required to accept this settle detail.", "UnitPrice"},
        {[](auto& e) { e.quantity = "100.00004", e.price = " "; },
         "A unit price is required to accept this settle detail.", "UnitPrice"},
        {[](auto& e) {
             e.sourceKind = "Direct In", e.sourceReference = "", e.quantity = "9999",
             e.price = "";
         },
         "A unit price is required to accept this settle detail.", "UnitPrice"},
        {[](auto& e) { e.price = "-0.0001"; }, "Negative settlements are not supported.",
         "UnitPrice"},
        {[](auto& e) {
             e.sourceKind = "Installment Sale", e.quantity = "100", e.contract = {0, 0, 40};
         },
         "This installment sale contract has a net amount of 0.00. Its units cannot be settled "
         "by amount.",
         "UnitsSettled"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        ScriptedUi ui;
        SourceLineEntry entry = ValidEntry();
        c.change(entry);
        EXPECT_FALSE(hvx::AcceptSourceLine(ui, entry));
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text, c.message);
        EXPECT_EQ(ui.messages[0].caption, "Harvexa");
        EXPECT_EQ(ui.messages[0].icon, hvx::MsgIcon::Exclamation);
        EXPECT_EQ(ui.focus, std::vector<std::string>{c.focus});
    }
}

TEST(SourceLineAcceptance, AcceptedLinesMakeTheDestinationTotals) {
    ScriptedUi ui;
    hvx::PricePage page(ui, hvx::SettlementType::MultipleSource);
    SourceLineEntry first = ValidEntry();
    first.sourceKind = "Assembly";
    const auto line = page.AcceptSourceLine(first);
    ASSERT_TRUE(line);
    EXPECT_EQ(*line,
              (hvx::PricedSourceLine{"Assembly", "T7", "Priced", 10, 0, 2.505, 25.05, "06"}));

    SourceLineEntry second = ValidEntry();
    second.quantity = "5";
    second.price = "2.50";
    ASSERT_TRUE(page.AcceptSourceLine(second));
    EXPECT_EQ(page.Data().grossText, "Gross : $37.55");
    EXPECT_EQ(page.Data().averageText, "Avg : $2.5033");
    EXPECT_EQ(page.Data().netText, "Net : $37.55");
    EXPECT_TRUE(page.Changed());

    // A line that moves grain to another position needs no price.
    SourceLineEntry moved = ValidEntry();
    moved.destination = "Grain Bank";
    moved.price = "";
    const auto unpriced = hvx::AcceptSourceLine(ui, moved);
    ASSERT_TRUE(unpriced);
    EXPECT_EQ(unpriced->totalPrice, 0);
    EXPECT_EQ(unpriced->glCode, "56");
    EXPECT_TRUE(ui.messages.empty());
}

TEST(InstallmentSale, PaymentThatCompletesTheContractTakesTheUnitsLeft) {
    const InstallmentContract contract{300, 0, 100};
    const struct {
        InstallmentTaken taken;
        double amount;
        const char* units;
    } cases[] = {
        // With the earlier line's 100.00 this pays the 300.00: the 66.66 units
        // left, not the proportional 66.67.
        {{100, 33.34}, 200, "66.66"},
        {{100, 33.34}, 150, "50.00"},
        {{0, 0}, 300, "100.00"},
        {{0, 0}, 0.01, "0.00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.units);
        ScriptedUi ui;
        hvx::PricePage page(ui, hvx::SettlementType::SingleSource);
        page.SetSourceKind("Installment Sale");
        page.Inputs().decimals = 2;
        std::string units;
        EXPECT_TRUE(page.SettleInstallmentAmount(contract, c.taken, c.amount, units));
        EXPECT_EQ(units, c.units);
        EXPECT_DOUBLE_EQ(page.Gross(), c.amount);
    }
    // A new line starts with what the contract still pays; nothing once paid.
    EXPECT_EQ(hvx::InstallmentPrefill({1000, 250.5, 0}, 300), "449.50");
    EXPECT_EQ(hvx::InstallmentPrefill({1000, 700, 0}, 299.999999), "");

    // A contract without a net amount is refused before anything is figured.
    for (double net : {0.0, 0.000001}) {
        ScriptedUi ui;
        hvx::PricePage page(ui, hvx::SettlementType::SingleSource);
        page.SetSourceKind("Installment Sale");
        std::string units = "keep";
        EXPECT_FALSE(page.SettleInstallmentAmount({net, 0, 100}, {}, 0, units));
        EXPECT_EQ(units, "keep");
        EXPECT_EQ(page.Data().grossText, "Gross : $0.00");
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text,
                  "This installment sale contract has a net amount of 0.00. Its units cannot be "
                  "settled by amount.");
        EXPECT_EQ(ui.focus, std::vector<std::string>{"UnitsSettled"});
    }
}

}  // namespace
