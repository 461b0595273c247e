// The check's words and figures, its pay-to line and stub, and the layout read
// back from a stored settlement on every engine.
#include <gtest/gtest.h>

#include "settlement/AmountInWords.h"
#include "settlement/CheckLayout.h"
#include "support/CheckSeed.h"

namespace {

using namespace hvx::settlement;

TEST(AmountInWords, WritesDollarsInWordsAndCentsAsAFraction) {
    const struct {
        double amount;
        const char* words;
        const char* figures;
    } cases[] = {
        {0, "Zero and 00/100 Dollars", "0.00"},
        {0.56, "Zero and 56/100 Dollars", "0.56"},
        {13.07, "Thirteen and 07/100 Dollars", "13.07"},
        {19, "Nineteen and 00/100 Dollars", "19.00"},
        {40, "Forty and 00/100 Dollars", "40.00"},
        {305.10, "Three Hundred Five and 10/100 Dollars", "305.10"},
        {1234.56, "One Thousand Two Hundred Thirty-Four and 56/100 Dollars", "1,234.56"},
        {100000, "One Hundred Thousand and 00/100 Dollars", "100,000.00"},
        {2001011.99, "Two Million One Thousand Eleven and 99/100 Dollars", "2,001,011.99"},
        {3000000000.0, "Three Billion and 00/100 Dollars", "3,000,000,000.00"},
        // Half a cent rounds up even where the double lies just below it, so
        // the words and the figures never disagree by a cent.
        {1.005, "One and 01/100 Dollars", "1.01"},
        {0.995, "One and 00/100 Dollars", "1.00"},
        {2.675, "Two and 68/100 Dollars", "2.68"},
        {0.1 + 0.2, "Zero and 30/100 Dollars", "0.30"},
        {999.999, "One Thousand and 00/100 Dollars", "1,000.00"},
        {-12.5, "Minus Twelve and 50/100 Dollars", "-12.50"},
        {-0.001, "Zero and 00/100 Dollars", "0.00"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AmountInWords(c.amount), c.words) << c.amount;
        EXPECT_EQ(AmountInFigures(c.amount), c.figures) << c.amount;
    }
}

TEST(CheckLayout, PayToLinePutsPayeesBeforeMortgageesJoinedByAnd) {
    const struct {
        std::vector<SettlementPayNameNode> names;
        const char* line;
    } cases[] = {
        {{}, "Customer Name"},
        {{{"Ann Lee", false}}, "Ann Lee"},
        {{{"First Bank", true}, {"Ann Lee", false}}, "Ann Lee and First Bank"},
        {{{"Ann Lee", false}, {"", true}, {"Bob Lee", false}, {"Farm Credit", true}},
         "Ann Lee and Bob Lee and Farm Credit"},
    };
    for (const auto& c : cases) {
        SettlementPayNameList list;
        for (const auto& n : c.names) list.Add(n.payName, n.mortgagee);
        EXPECT_EQ(PayToLine(list, "Customer Name"), c.line);
    }
}

TEST(CheckLayout, StubListsLinesDeductionsSignedAndNet) {
    const std::vector<CheckSourceLine> lines = {
        {"Assembly", "A-1", "Corn", "1000", "2.125", "2125", "Open", "Priced", "C-9"}};
    const std::vector<CheckDeduction> deductions = {{"DRY", "Drying", "25.5", "D"},
                                                    {"PRM", "Premium", "4", "A"}};
    EXPECT_EQ(CheckStub(lines, deductions, 2103.5, false),
              (std::vector<CheckStubLine>{{"Corn", "1000.00", "2.1250", "2,125.00"},
                                          {"Drying", "", "", "-25.50"},
                                          {"Premium", "", "", "4.00"},
                                          {"Net", "", "", "2,103.50"}}));
    const auto detailed = CheckStub(lines, deductions, 2103.5, true);
    ASSERT_EQ(detailed.size(), 5u);
    EXPECT_EQ(detailed[1].text, "  Assembly A-1: Open to Priced, contract C-9");
}

class CheckData_ : public hvxtest::DatabaseTest {};

TEST_P(CheckData_, ReadsTheStoredSettlementIntoTheCheck) {
    hvxtest::SeedCheckSettlement("", "5001");
    CheckData check;
    std::string message;
    ASSERT_TRUE(LoadCheckData(hvxtest::kCheckSetLink, "5001", "03/07/2024", true, check, message))
        << message;
    EXPECT_EQ(check.settlement, "1042");
    EXPECT_EQ(check.checkNumber, "5001");
    EXPECT_EQ(check.date, "03/07/2024");
    EXPECT_EQ(check.payTo, "O'Neil Farms and Farm Credit West");
    EXPECT_EQ(check.amountFigures, "1,234.56");
    EXPECT_EQ(check.amountWords, "One Thousand Two Hundred Thirty-Four and 56/100 Dollars");
    std::vector<std::string> rows;
    for (const auto& s : check.stub) rows.push_back(s.text + "|" + s.amount);
    EXPECT_EQ(rows, (std::vector<std::string>{
                        "Corn|1,000.00", "  Assembly A-17: Open Storage to Priced|",
                        "Corn|251.25", "  Scale Ticket T-88: Open Storage to Priced, contract C-5|",
                        "Drying <& Shrink>|-20.19", "PREM|3.50", "Net|1,234.56"}));

    EXPECT_FALSE(LoadCheckData("999", "1", "03/07/2024", false, check, message));
    EXPECT_FALSE(message.empty());
}

HVX_DATABASE_TEST_SUITE(CheckData_);

}  // namespace
