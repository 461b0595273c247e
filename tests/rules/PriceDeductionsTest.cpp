// Deductions of a price page over the deduction table on every engine: the
// amount on the typed-reference and the pick path, manual amounts that no
// charge overwrites, the net, the advance effect and the A/R panel.
#include <gtest/gtest.h>

#include <tuple>

#include "rules/PricePage.h"
#include "support/ScriptedUi.h"
#include "support/TestDatabase.h"

namespace {

using hvx::PricePage;
using hvx::SettlementType;
using Items = std::vector<hvx::SettlementDeductionItem>;
using Texts = std::vector<std::string>;

class PriceDeductions : public hvxtest::DatabaseTest {
protected:
    void SetUp() override {
        hvxtest::DatabaseTest::SetUp();
        hvxtest::Exec(
            "INSERT INTO HVXGR52 (REFERENCE,DESCRIPT,TYPE,RATEUNIT,GRDOLLAR,ADVCODE,GRAINTAX,RECNO) "
            "VALUES ('STOR','Storage','D','','','0','0',1),('CHECK','Checkoff','D','0.0125','',"
            "'0','0',2),('PCT','Percent','D','','1.5','0','0',3),('ADV','Advance','D','','','1',"
            "'0',4),('TAX','Grain tax','D','0.10','','0','1',5),('PREM','Premium','A','','2.5',"
            "'0','1',6),('HALF','Half cent','D','1.005','','0','0',7)");
    }
    // A single-source page selling units at one price.
    void Sell(PricePage& page, const char* units, const char* price) {
        page.SetUnitsSettled(std::stod(units));
        page.Data().units = units;
        page.Data().price = price;
        ASSERT_TRUE(page.AcceptPrice());
    }
    // Types a reference and leaves the field.
    static void Type(PricePage& page, const char* reference) {
        page.NewDeduction();
        page.Data().deduction = reference;
        page.Data().deductionEdited = true;
        page.LeaveDeductionField();
    }
    // Types an amount over the selected row and leaves the field.
    static void TypeAmount(PricePage& page, std::size_t row, const char* amount) {
        page.SelectDeductionRow(row);
        page.Data().amount = amount;
        page.Data().amountEdited = true;
        page.LeaveAmountField();
    }
    static bool Accept(PricePage& page, const char* reference, const char* amount,
                       const char* da) {
        page.NewDeduction();
        page.Data().deduction = reference;
        page.Data().amount = amount;
        page.Data().da = da;
        return page.AcceptDeduction();
    }
    static std::string Entry(const PricePage& page) {
        const auto& d = page.Data();
        return d.deduction + " " + d.amount + " " + d.da + (d.advance ? " advance" : "");
    }
    hvxtest::ScriptedUi ui_;
};
HVX_DATABASE_TEST_SUITE(PriceDeductions);

// Multiple-source lines: grain sold from an assembly and from a storage
// ticket, and an installment sale paid out (not grain sold again).
const std::vector<hvx::PricedSourceLine> kLines{
    {"Assembly", "A1", "Priced", 100, 0, 2.5, 250.00, "06"},
    {"Storage Ticket", "T7", "Priced", 20, 0, 2.5, 50.00, "04"},
    {"Installment Sale", "C3", "Priced", 40, 120.00, 3, 120.00, "07"},
};

TEST_P(PriceDeductions, TypedReferenceFiguresOnItsBase) {
    const struct {
        SettlementType type;
        const char *reference, *entry;
    } cases[] = {
        // Single source: 100 units at 2.00, gross 200.00, whatever GRAINTAX says.
        {SettlementType::SingleSource, "CHECK", "CHECK 1.25 D"},
        {SettlementType::SingleSource, "PCT", "PCT 3.00 D"},
        {SettlementType::SingleSource, "ADV", "ADV 0.00 D advance"},
        // Multiple source: 160 units, gross 420.00; grain sold 120 units, 300.00.
        {SettlementType::MultipleSource, "CHECK", "CHECK 2.00 D"},
        {SettlementType::MultipleSource, "TAX", "TAX 12.00 D"},
        {SettlementType::MultipleSource, "PREM", "PREM 7.50 A"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entry);
        PricePage page(ui_, c.type);
        if (c.type == SettlementType::SingleSource) {
            Sell(page, "100", "2.00");
        } else {
            page.Inputs().sourceLines = kLines;
            page.RecomputeDestinationTotals();
        }
        Type(page, c.reference);
        EXPECT_EQ(Entry(page), c.entry);
        EXPECT_FALSE(page.Data().amountSelected);
    }
    // A half cent is rounded up as it reads, though 1.005 and 0.625 are held
    // as 1.00499... and a binary tie that printf would round to even.
    PricePage page(ui_, SettlementType::SingleSource);
    Sell(page, "1", "25.00");
    Type(page, "HALF");
    EXPECT_EQ(Entry(page), "HALF 1.01 D");
    Type(page, "PREM");
    EXPECT_EQ(Entry(page), "PREM 0.63 A");
    EXPECT_TRUE(ui_.pickLists.empty());
    EXPECT_TRUE(ui_.messages.empty());
}

TEST_P(PriceDeductions, UnknownOrSlashReferenceOpensThePickList) {
    PricePage page(ui_, SettlementType::MultipleSource);
    page.Inputs().sourceLines = kLines;
    page.RecomputeDestinationTotals();
    // The pick ignores GRAINTAX: every source line's units count.
    ui_.picks = {{5, "TAX"}, {0, ""}, {3, "PCT"}};
    Type(page, "/T");
    EXPECT_EQ(Entry(page), "TAX 16.00 D");
    EXPECT_TRUE(page.Data().amountSelected);
    Type(page, "NOSUCH");  // cancelled: the entry stays as typed
    EXPECT_EQ(Entry(page), "NOSUCH  ");
    EXPECT_TRUE(page.FindDeduction());
    EXPECT_EQ(Entry(page), "PCT 6.30 D");
    EXPECT_EQ(ui_.pickLists,
              Texts(3, "SELECT REFERENCE,DESCRIPT,TYPE,STR(RECNO) FROM HVXGR52"));
    EXPECT_EQ(ui_.focus, (Texts{"Amount", "Amount"}));
}

TEST_P(PriceDeductions, TypedAmountIsMarkedAndSurvivesCharges) {
    PricePage page(ui_, SettlementType::SingleSource);
    Sell(page, "100", "2.00");
    page.PutChargeRows({{"STOR", "D", "4.00"}, {"CHECK", "D", "1.25"}});
    TypeAmount(page, 0, "12.00");  // over the computed storage row
    EXPECT_EQ(page.Data().amount, "12.00*");
    page.Data().amountEdited = true;
    page.LeaveAmountField();
    EXPECT_EQ(page.Data().amount, "12.00*");  // one marker only
    ASSERT_TRUE(page.AcceptDeduction());
    EXPECT_EQ(page.Data().netText, "Net : $186.75");
    // A recomputation replaces the computed row, keeps the typed one, and
    // adds a new reference with its advance flag.
    page.PutChargeRows({{"STOR", "D", "4.10"}, {"CHECK", "A", "0.50"}, {"ADV", "D", "5.00"}});
    EXPECT_EQ(page.Deductions().Items(), (Items{{"STOR", "12.00*", "D", "F"},
                                                {"CHECK", "0.50", "A", "F"},
                                                {"ADV", "5.00", "D", "T"}}));
    EXPECT_EQ(page.Data().netText, "Net : $183.50");
    // An amount left empty is figured again, and is no typed amount.
    TypeAmount(page, 1, "");
    EXPECT_EQ(Entry(page), "CHECK 1.25 D");
}

TEST_P(PriceDeductions, RefusalsNetAndAdvanceEffect) {
    PricePage page(ui_, SettlementType::SingleSource);
    Sell(page, "50", "2.00");
    ASSERT_TRUE(Accept(page, "CHECK", "10.00", "D"));
    page.ClearChanged();
    for (const auto& [reference, amount, da] :
         {std::tuple{"", "1.00", "D"}, {"CHECK", "", ""}, {"CHECK", "1.00", " "}}) {
        page.SelectDeductionRow(0);
        page.Data().deduction = reference;
        page.Data().amount = amount;
        page.Data().da = da;
        EXPECT_FALSE(page.AcceptDeduction());
    }
    ASSERT_EQ(ui_.messages.size(), 3u);
    EXPECT_EQ(ui_.messages[0].text, "Deduction/Addition reference is required.");
    EXPECT_EQ(ui_.messages[1].text, "An amount is required.");
    EXPECT_EQ(ui_.messages[2].text, "D/A is required.");
    EXPECT_EQ(ui_.messages[2].caption, "Harvexa");
    EXPECT_EQ(ui_.focus, (Texts{"Deduction", "Amount", "DA"}));
    EXPECT_EQ(page.Deductions().Items(), (Items{{"CHECK", "10.00", "D", "F"}}));
    EXPECT_FALSE(page.Changed());

    ASSERT_TRUE(Accept(page, "PREM", "2.50", "A"));
    EXPECT_EQ(page.Data().netText, "Net : $92.50");
    ASSERT_TRUE(Accept(page, "ADV", "30.00*", "D"));
    ASSERT_TRUE(Accept(page, "ADV", "4.25", "A"));
    EXPECT_EQ(page.Data().netText, "Net : $66.75");
    EXPECT_DOUBLE_EQ(page.AdvanceEffect(), -25.75);
    page.SelectDeductionRow(2);
    ASSERT_TRUE(page.RemoveDeduction());
    EXPECT_EQ(page.Data().netText, "Net : $96.75");
    EXPECT_DOUBLE_EQ(page.AdvanceEffect(), 4.25);
    EXPECT_FALSE(page.RemoveDeduction());
}

TEST_P(PriceDeductions, ArPanelCountsOpenAdvances) {
    // Open: 60.00 on A1 and 50.00 on T7 for C100; 7.00 on A1 for C200.
    hvxtest::Exec("INSERT INTO HVXGR57 (CUSTREF,SOURCE,SOURCEREF,OPENPAID,AMOUNT,RAMOUNT,RECNO) "
                  "VALUES ('C100','Assembly','A1','O','100.00','40.00',1),"
                  "('C100','Storage Ticket','T7','O','50.00','',2),"
                  "('C100','Assembly','A1','P','999.00','0',3),"
                  "('C200','Assembly','A1','O','7.00','0',4)");
    // The source's advances are whoever's were given on it (C200's 7.00 too),
    // less the 25.00 this settlement repays; the customer's, C100's only.
    PricePage single(ui_, SettlementType::SingleSource);
    single.SetSourceKind("Assembly");
    single.Inputs().customerReference = "C100";
    single.Inputs().sourceReference = "A1";
    Sell(single, "100", "2.00");
    ASSERT_TRUE(Accept(single, "ADV", "25.00", "D"));
    EXPECT_EQ(single.Data().arText,
              "A/R Due~0.00\nAdvance for this source~42.00\nTotal advance for customer~85.00");
    // A source on two lines counts twice, as the window lists it.
    PricePage multiple(ui_, SettlementType::MultipleSource);
    multiple.Inputs().customerReference = "C100";
    multiple.Inputs().sourceLines = {kLines[0], kLines[1], kLines[0]};
    multiple.PutChargeRow({"ADV", "D", "25.00"});
    multiple.ShowArInformation();
    ASSERT_EQ(ui_.popups.size(), 1u);
    EXPECT_EQ(ui_.popups[0].caption, "A/R Information");
    EXPECT_EQ(ui_.popups[0].text,
              "A/R Due~0.00\nAdvance for source(s)~184.00\nTotal advance for customer~110.00");
}

}  // namespace
