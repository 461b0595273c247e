// The price page: its units, prices, source lines and, on every engine, its deductions.
#include <gtest/gtest.h>

#include <tuple>

#include "windows/pricing/PricePage.h"
#include "support/ScriptedUi.h"
#include "support/TestDatabase.h"

namespace {

using hvx::PricePage;
using hvx::SettlementType;
using hvxtest::ScriptedUi;
using Entry = hvx::SourceLineEntry;
using Items = std::vector<hvx::PriceDeductionRow>;
using Texts = std::vector<std::string>;
constexpr SettlementType kSingle = SettlementType::SingleSource;
constexpr SettlementType kMultiple = SettlementType::MultipleSource;

struct Row {
    const char *units, *price;
};

bool Price(PricePage& page, const char* units, const char* price) {
    page.NewPrice();
    page.Data().units = units;
    page.Data().price = price;
    return page.AcceptPrice();
}

void AddRows(PricePage& page, const std::vector<Row>& rows) {
    for (const Row& r : rows) ASSERT_TRUE(Price(page, r.units, r.price));
}

std::string Totals(const PricePage& page) {
    return page.Data().averageText + " " + page.Data().grossText + " " + page.Data().netText;
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
    const std::pair<std::vector<Row>, const char*> cases[] = {
        // 2.505 × 10 is 25.049999999999997 in binary: still 25.05.
        {{{"10", "2.505"}, {"5", "2.50"}}, "Avg : $2.5033 Gross : $37.55 Net : $37.55"},
        // 1.005 × 3 is 3.0149999999999997: the cent is rounded up as read.
        {{{"3", "1.005"}}, "Avg : $1.0067 Gross : $3.02 Net : $3.02"},
        // Units count rounded to 4 decimals, each line's money to 2.
        {{{"0.33335", "1"}}, "Avg : $0.9898 Gross : $0.33 Net : $0.33"},
        // Units that cancel out leave no average, whatever the money.
        {{{"10", "2.505"}, {"-10", "2.50"}}, "Avg : $0.0000 Gross : $0.05 Net : $0.05"},
    };
    for (const auto& [rows, totals] : cases) {
        SCOPED_TRACE(totals);
        ScriptedUi ui;
        PricePage page(ui, kSingle);
        AddRows(page, rows);
        EXPECT_EQ(Totals(page), totals);
        // A cleared page: zero totals and empty entry fields.
        page.Data().deduction = "CHECK";
        page.Clear();
        EXPECT_EQ(Totals(page), "Avg : $0.0000 Gross : $0.00 Net : $0.00");
        EXPECT_EQ(page.UnitsList().Count() + page.Data().deduction.size(), 0u);
    }
}

TEST(PricePage, UnitsCheckAllowsOneHundredthEitherWay) {
    // 100.01 - 100 is a hair above 0.01 in binary, and passes.
    const std::pair<double, bool> cases[] = {
        {100.01, true}, {99.99, true}, {100.0101, false}, {99.9899, false}};
    for (const auto& [settled, passes] : cases) {
        SCOPED_TRACE(settled);
        ScriptedUi ui;
        PricePage page(ui, kSingle);
        AddRows(page, {{"60", "2"}, {"40", "2"}});
        page.SetUnitsSettled(settled);
        EXPECT_EQ(page.UnitsCheck(), passes);
        EXPECT_EQ(Refusals(ui), passes ? Texts{}
                                       : Texts{"Total units do not equal units settled.|"
                                               "UnitsSettled"});
    }
    // Neither an amount-settled installment sale nor a multiple-source page
    // has units to check.
    ScriptedUi ui;
    PricePage installment(ui, kSingle), multiple(ui, kMultiple);
    installment.SetSourceKind("Installment Sale");
    installment.SetUnitsSettled(50);
    multiple.SetUnitsSettled(50);
    EXPECT_TRUE(installment.UnitsCheck());
    EXPECT_TRUE(multiple.UnitsCheck());
    EXPECT_TRUE(ui.messages.empty());
}

TEST(PricePage, PriceRowsAreRefusedReplacedAndRemoved) {
    using UnitsItems = std::vector<hvx::PriceUnitRow>;
    ScriptedUi ui;
    PricePage page(ui, kSingle);
    AddRows(page, {{"10", "2.00"}, {"5", "3.00"}});
    page.ClearChanged();
    for (const Row& r : {Row{"", ""}, {" ", "2.50"}, {"10", ""}})
        EXPECT_FALSE(Price(page, r.units, r.price));
    EXPECT_EQ(Refusals(ui), (Texts{"Units are required.|Units", "Units are required.|Units",
                                   "Price is required.|Price"}));
    EXPECT_FALSE(page.Changed());
    EXPECT_EQ(page.Data().grossText, "Gross : $35.00");

    page.SelectPriceRow(0);
    EXPECT_EQ(page.Data().units + "@" + page.Data().price, "10@2.00");
    page.Data().price = "2.10";
    ASSERT_TRUE(page.AcceptPrice());
    EXPECT_EQ(page.UnitsList().Items(), (UnitsItems{{"10", "2.10"}, {"5", "3.00"}}));
    EXPECT_EQ(page.Data().grossText, "Gross : $36.00");
    page.ClearChanged();
    ASSERT_TRUE(page.RemovePrice());
    EXPECT_TRUE(page.Changed());
    EXPECT_EQ(page.UnitsList().Items(), (UnitsItems{{"5", "3.00"}}));
    EXPECT_EQ(page.Data().averageText, "Avg : $3.0000");
    EXPECT_FALSE(page.RemovePrice());  // nothing selected any more
}

TEST(PricePage, NewRowOffersTheUnitsStillToPrice) {
    const std::tuple<SettlementType, int, const char*, const char*, const char*> cases[] = {
        {kSingle, 0, "60", "", "40.00"},  // no decimals: cents
        {kSingle, 2, "99.999999", "", ""},  // zero at 5 decimals
        {kSingle, 2, "60", "7", "7"},       // what is typed stays
        {kMultiple, 2, "60", "", ""},
    };
    for (const auto& [type, decimals, priced, typed, offered] : cases) {
        SCOPED_TRACE(offered);
        ScriptedUi ui;
        PricePage page(ui, type);
        page.Inputs().decimals = decimals;
        page.SetUnitsSettled(100);
        AddRows(page, {{priced, "1"}});
        page.NewPrice();
        page.Data().units = typed;
        page.EnterUnitsField();
        EXPECT_EQ(page.Data().units, offered);
    }
}

const char* const kNoNet =
    "This installment sale contract has a net amount of 0.00. Its units cannot be settled by "
    "amount.|UnitsSettled";
const Entry kValid{true, true, "Storage Ticket", "T7", true, "Priced", "10", "2.505", 100, {}, {}};

// Each case breaks one check and every check after it, so only the order of
// the checks decides which message comes.
TEST(SourceLineAcceptance, ChecksInTheirOrder) {
    const char* const kPrice = "A unit price is required to accept this settle detail.|UnitPrice";
    const struct {
        void (*change)(Entry&);
        const char* refusal;
    } cases[] = {
        {[](Entry& e) { e = Entry{}; }, "Settlement Source is not loaded.|SourceReference"},
        {[](Entry& e) { e.customerValid = false, e.sourceReference = "", e.quantity = ""; },
         "A valid customer is required before settlement detail may be accepted.|Customer"},
        {[](Entry& e) { e.sourceReference = " ", e.quantity = "-1"; },
         "A valid source reference is required.|SourceReference"},
        {[](Entry& e) { e.quantity = " ", e.price = ""; },
         "Units settled amount is required to accept this settle detail.|UnitsSettled"},
        {[](Entry& e) { e.quantity = "-0.0001", e.available = -5, e.price = ""; },
         "Negative settlements are not supported.|UnitsSettled"},
        {[](Entry& e) { e.quantity = "100.0001", e.price = ""; },
         "Maximum units available to settle from this source are 100.0000. You are attempting "
         "to settle 100.0001.|UnitsSettled"},
        {[](Entry& e) { e.sourceKind = "Installment Sale", e.quantity = "500.005", e.price = ""; },
         "Maximum amount available to settle from this source is 100.0000. You are attempting "
         "to settle 500.0100.|UnitsSettled"},
        // A negative zero at 4 decimals is no negative settlement; equal to
        // what is available is allowed; "Direct In" has no limit.
        {[](Entry& e) { e.quantity = "-0.00004", e.price = ""; }, kPrice},
        {[](Entry& e) { e.quantity = "100.00004", e.price = " "; }, kPrice},
        {[](Entry& e) {
             e.sourceKind = "Direct In", e.sourceReference = "", e.quantity = "9999", e.price = "";
         },
         kPrice},
        {[](Entry& e) { e.price = "-0.0001"; },
         "Negative settlements are not supported.|UnitPrice"},
        {[](Entry& e) { e.sourceKind = "Installment Sale", e.contract = {0, 0, 40}; }, kNoNet},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.refusal);
        ScriptedUi ui;
        Entry entry = kValid;
        c.change(entry);
        EXPECT_FALSE(hvx::AcceptSourceLine(ui, entry));
        EXPECT_EQ(Refusals(ui), Texts{c.refusal});
    }
}

TEST(SourceLineAcceptance, AcceptedLinesMakeTheDestinationTotals) {
    ScriptedUi ui;
    PricePage page(ui, kMultiple);
    Entry first = kValid;
    first.sourceKind = "Assembly";
    const auto line = page.AcceptSourceLine(first);
    ASSERT_TRUE(line);
    EXPECT_EQ(*line,
              (hvx::PricedSourceLine{"Assembly", "T7", "Priced", 10, 0, 2.505, 25.05, "06"}));
    Entry second = kValid;
    second.quantity = "5";
    second.price = "2.50";
    ASSERT_TRUE(page.AcceptSourceLine(second));
    EXPECT_EQ(Totals(page), "Avg : $2.5033 Gross : $37.55 Net : $37.55");
    EXPECT_TRUE(page.Changed());
    // A line that moves grain to another position needs no price.
    Entry moved = kValid;
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
    // With the earlier line's 100.00, 200.00 pays the 300.00: the 66.66 units
    // left, not the proportional 66.67. A contract without a net amount is
    // refused before anything is figured.
    using Contract = hvx::InstallmentContract;
    const std::tuple<Contract, hvx::InstallmentTaken, double, const char*> cases[] = {
        {{300, 0, 100}, {100, 33.34}, 200, "66.66"}, {{300, 0, 100}, {100, 33.34}, 150, "50.00"},
        {{300, 0, 100}, {0, 0}, 0.01, "0.00"},       {{0.000001, 0, 100}, {}, 0, nullptr}};
    for (const auto& [contract, taken, amount, expected] : cases) {
        SCOPED_TRACE(amount);
        ScriptedUi ui;
        PricePage page(ui, kSingle);
        page.SetSourceKind("Installment Sale");
        page.Inputs().decimals = 2;
        std::string units = "keep";
        EXPECT_EQ(page.SettleInstallmentAmount(contract, taken, amount, units), !!expected);
        EXPECT_EQ(units, expected ? expected : "keep");
        EXPECT_DOUBLE_EQ(page.Gross(), expected ? amount : 0);
        EXPECT_EQ(Refusals(ui), expected ? Texts{} : Texts{kNoNet});
    }
    // A new line starts with what the contract still pays; nothing once paid.
    EXPECT_EQ(hvx::InstallmentPrefill({1000, 250.5, 0}, 300), "449.50");
    EXPECT_EQ(hvx::InstallmentPrefill({1000, 700, 0}, 299.999999), "");
}

TEST(PricePage, InstallmentSaleKeepsTheTotalsSetFromOutside) {
    ScriptedUi ui;
    PricePage page(ui, kSingle);
    page.SetSourceKind("Installment Sale");
    EXPECT_EQ(page.PageHint(), "A single source can go to multiple destination DPRs.");
    EXPECT_EQ(page.DeductionHint(),
              "Enter the deduction to subtract from this settlement. Deductions will be "
              "subtracted from the entire settlement.");
    page.SetGross(1234.565);  // binary 1234.56500000000005: the cent rounds up
    page.SetAverage(2.50005);
    page.RecomputeTotals();
    EXPECT_DOUBLE_EQ(page.Average(), 2.5001);
    EXPECT_EQ(Totals(page), "Avg : $2.5001 Gross : $1234.57 Net : $1234.57");
    page.SetSourceKind("Storage Ticket");  // back to units: the rows decide
    page.RecomputeTotals();
    EXPECT_EQ(page.Data().grossText, "Gross : $0.00");
    EXPECT_EQ(page.PageHint(), "");
}

class PriceDeductions : public hvxtest::DatabaseTest {
protected:
    void SetUp() override {
        hvxtest::DatabaseTest::SetUp();
        hvxtest::Exec(
            "INSERT INTO HVXGR52 (REFERENCE,DESCRIPT,TYPE,RATEUNIT,GRDOLLAR,ADVCODE,GRAINTAX,RECNO)"
            " VALUES ('STOR','Storage','D','','','0','0',1),('CHECK','Checkoff','D','0.0125','',"
            "'0','0',2),('PCT','Percent','D','','1.5','0','0',3),('ADV','Advance','D','','','1',"
            "'0',4),('TAX','Grain tax','D','0.10','','0','1',5),('PREM','Premium','A','','2.5',"
            "'0','1',6),('HALF','Half cent','D','1.005','','0','0',7)");
    }
    // A single-source page selling units at one price.
    static void Sell(PricePage& page, const char* units, const char* price) {
        page.SetUnitsSettled(std::stod(units));
        AddRows(page, {{units, price}});
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
    static bool Accept(PricePage& page, const char* reference, const char* amount, const char* da) {
        page.NewDeduction();
        page.Data().deduction = reference;
        page.Data().amount = amount;
        page.Data().da = da;
        return page.AcceptDeduction();
    }
    static std::string Shown(const PricePage& page) {
        const auto& d = page.Data();
        return d.deduction + " " + d.amount + " " + d.da + (d.advance ? " advance" : "");
    }
    ScriptedUi ui_;
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
    // Single source: 100 units at 2.00, gross 200.00, whatever GRAINTAX says.
    // Multiple source: 160 units, gross 420.00; grain sold 120 units, 300.00.
    const std::tuple<SettlementType, const char*, const char*> cases[] = {
        {kSingle, "CHECK", "CHECK 1.25 D"},     {kSingle, "PCT", "PCT 3.00 D"},
        {kSingle, "ADV", "ADV 0.00 D advance"}, {kMultiple, "CHECK", "CHECK 2.00 D"},
        {kMultiple, "TAX", "TAX 12.00 D"},      {kMultiple, "PREM", "PREM 7.50 A"},
    };
    for (const auto& [type, reference, shown] : cases) {
        SCOPED_TRACE(shown);
        PricePage page(ui_, type);
        if (type == kSingle) {
            Sell(page, "100", "2.00");
        } else {
            page.Inputs().sourceLines = kLines;
            page.RecomputeDestinationTotals();
        }
        Type(page, reference);
        EXPECT_EQ(Shown(page), shown);
        EXPECT_FALSE(page.Data().amountSelected);
    }
    // A half cent is rounded up as it reads, though 1.005 and 0.625 are held
    // as 1.00499... and a binary tie that printf would round to even.
    PricePage page(ui_, kSingle);
    Sell(page, "1", "25.00");
    Type(page, "HALF");
    EXPECT_EQ(Shown(page), "HALF 1.01 D");
    Type(page, "PREM");
    EXPECT_EQ(Shown(page), "PREM 0.63 A");
    EXPECT_TRUE(ui_.pickLists.empty());
    EXPECT_TRUE(ui_.messages.empty());
}

TEST_P(PriceDeductions, UnknownOrSlashReferenceOpensThePickList) {
    PricePage page(ui_, kMultiple);
    page.Inputs().sourceLines = kLines;
    page.RecomputeDestinationTotals();
    // The pick ignores GRAINTAX: every source line's units count.
    ui_.picks = {{5, "TAX"}, {0, ""}, {3, "PCT"}};
    Type(page, "/T");
    EXPECT_EQ(Shown(page), "TAX 16.00 D");
    EXPECT_TRUE(page.Data().amountSelected);
    Type(page, "NOSUCH");  // cancelled: the entry stays as typed
    EXPECT_EQ(Shown(page), "NOSUCH  ");
    EXPECT_TRUE(page.FindDeduction());
    EXPECT_EQ(Shown(page), "PCT 6.30 D");
    EXPECT_EQ(ui_.pickLists, Texts(3, "SELECT REFERENCE,DESCRIPT,TYPE,STR(RECNO) FROM HVXGR52"));
    EXPECT_EQ(ui_.focus, (Texts{"Amount", "Amount"}));
}

TEST_P(PriceDeductions, TypedAmountIsMarkedAndSurvivesCharges) {
    PricePage page(ui_, kSingle);
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
    EXPECT_EQ(Shown(page), "CHECK 1.25 D");
}

TEST_P(PriceDeductions, RefusalsNetAndAdvanceEffect) {
    PricePage page(ui_, kSingle);
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
    EXPECT_EQ(Refusals(ui_), (Texts{"Deduction/Addition reference is required.|Deduction",
                                    "An amount is required.|Amount", "D/A is required.|DA"}));
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
                  "VALUES ('C100','Assembly','A1','O','100.00','40.00',1),('C100','Storage "
                  "Ticket','T7','O','50.00','',2),('C100','Assembly','A1','P','999.00','0',3),"
                  "('C200','Assembly','A1','O','7.00','0',4)");
    // The source's advances are whoever's were given on it (C200's 7.00 too),
    // less the 25.00 this settlement repays; the customer's, C100's only.
    PricePage single(ui_, kSingle);
    single.SetSourceKind("Assembly");
    single.Inputs().customerReference = "C100";
    single.Inputs().sourceReference = "A1";
    Sell(single, "100", "2.00");
    ASSERT_TRUE(Accept(single, "ADV", "25.00", "D"));
    EXPECT_EQ(single.Data().arText,
              "A/R Due~0.00\nAdvance for this source~42.00\nTotal advance for customer~85.00");
    // A source on two lines counts twice, as the window lists it.
    PricePage multiple(ui_, kMultiple);
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
