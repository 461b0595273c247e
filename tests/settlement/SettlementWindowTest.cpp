// The settlement window on every engine: accept checks, status, lookup, and
// the check, printed by fakes of the report module that count the prints.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/PickList.h"
#include "settlement/AcceptChecks.h"
#include "settlement/AmountInWords.h"
#include "settlement/CheckLayout.h"
#include "settlement/CheckPrinting.h"
#include "settlement/SettlementLookups.h"
#include "settlement/SettlementStatus.h"
#include "shell/BackOfficeCalls.h"
#include "abi/SiblingAbi.h"
#include "support/CheckSeed.h"
#include "support/FakeHost.h"
#include "support/ScriptedUi.h"

namespace {

using namespace hvx::settlement;
using hvx::MsgAnswer;
using hvxtest::Column;
using hvxtest::Exec;
using Texts = std::vector<std::string>;

TEST(AmountInWords, WritesDollarsInWordsAndCentsAsAFraction) {
    const struct {
        double amount;
        const char *words, *figures;
    } cases[] = {
        {0, "Zero and 00/100 Dollars", "0.00"},
        {1234.56, "One Thousand Two Hundred Thirty-Four and 56/100 Dollars", "1,234.56"},
        {2001011.99, "Two Million One Thousand Eleven and 99/100 Dollars", "2,001,011.99"},
        {3000000000.0, "Three Billion and 00/100 Dollars", "3,000,000,000.00"},
        // Half a cent rounds up even where the double lies just below it, so
        // the words and the figures never disagree by a cent.
        {1.005, "One and 01/100 Dollars", "1.01"},
        {0.995, "One and 00/100 Dollars", "1.00"},
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
    SettlementPayNameList list;
    EXPECT_EQ(PayToLine(list, "Customer Name"), "Customer Name");
    for (const auto& [name, mortgagee] : {std::pair{"Farm Credit", true}, {"Ann Lee", false},
                                          {"", true}, {"Bob Lee", false}})
        list.Add(name, mortgagee);
    EXPECT_EQ(PayToLine(list, "Customer Name"), "Ann Lee and Bob Lee and Farm Credit");
}

struct Fakes {
    int selectAnswer = 1, detail = 1;
    std::string selectCall;
    Texts prints;             // "link/number/detail" of each print
    std::string duringPrint;  // SQL another workstation runs meanwhile
};
Fakes gFakes;

int SelectFake(void*, const char* caption, int on, HVXCheckPrintOptions* options) {
    gFakes.selectCall = std::string(caption) + ":" + std::to_string(on);
    options->toFile = 1;
    std::strcpy(options->fileName, "/tmp/check.pdf");
    options->extraOption = gFakes.detail;
    return gFakes.selectAnswer;
}

void PrintFake(void*, const char* setLink, const char* number, const char* detail,
               const HVXCheckPrintOptions* options) {
    gFakes.prints.push_back(std::string(setLink) + "/" + number + "/" + detail);
    EXPECT_STREQ(options->fileName, "/tmp/check.pdf");
    if (!gFakes.duringPrint.empty()) hvxtest::Exec(gFakes.duringPrint);
}

class SettlementWindow : public hvxtest::DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        gFakes = Fakes{};
        host.AddModule("H32GRR.DLL")
            .Export("CheckPrinterSelect", &SelectFake)
            .Export("DoPrintSettlementCheck", &PrintFake);
    }
    hvxtest::FakeHost host;
    hvxtest::ScriptedUi ui;
};
HVX_DATABASE_TEST_SUITE(SettlementWindow);

// The counter is read to at most a check number's buffer.
TEST_P(SettlementWindow, ReadsTheCounterAndTheStoredSettlementIntoTheCheck) {
    hvxtest::SeedCheckSettlement("", "123456789012345678901234");
    std::string number, message;
    ASSERT_TRUE(CurrentCheckNumber(ui, number));
    EXPECT_EQ(number, "1234567890123456789");
    CheckData check;
    ASSERT_TRUE(LoadCheckData(hvxtest::kCheckSetLink, "5001", "03/07/2024", true, check, message))
        << message;
    EXPECT_EQ(check.settlement + "|" + check.checkNumber + "|" + check.date + "|" + check.payTo +
                  "|" + check.amountFigures + "|" + check.amountWords,
              "1042|5001|03/07/2024|O'Neil Farms and Farm Credit West|1,234.56|One Thousand Two "
              "Hundred Thirty-Four and 56/100 Dollars");
    Texts rows;
    for (const auto& s : check.stub)
        rows.push_back(s.text + "|" + s.units + "|" + s.price + "|" + s.amount);
    EXPECT_EQ(rows, (Texts{"Corn|400.00|2.5000|1,000.00",
                           "  Assembly A-17: Open Storage to Priced|||",
                           "Corn|100.50|2.5000|251.25",
                           "  Scale Ticket T-88: Open Storage to Priced, contract C-5|||",
                           "Drying <& Shrink>|||-20.19", "PREM|||3.50", "Net|||1,234.56"}));
    EXPECT_FALSE(LoadCheckData("999", "1", "03/07/2024", false, check, message));
    EXPECT_EQ(message, "Settlement 999 was not found.");
}

// The settlement's own number is reprinted as it is; a counter number is
// stored and the counter moves on, unless another workstation took it
// meanwhile. A settlement not saved yet uses no selection and no number.
TEST_P(SettlementWindow, UsesUpANumberOnlyOnYesAndReprintsWithTheSameNumber) {
    const std::string q = "Did the check print correctly?.\n\nNo will reprint this check.";
    const std::string taken =
        "Check number 5001 was also given to a check printed at another workstation while this "
        "one printed. Please void one of the two checks.";
    const std::string unsaved = "Please save this settlement before printing its check.";
    const std::string noReport = "Unable to find report (DoPrintSettlementCheck) in H32GRR.DLL";
    const struct {
        const char *name, *own, *counter;  // the settlement's own number, the counter's
        std::vector<MsgAnswer> answers;
        bool confirmed;
        Texts prints, messages;
        const char *counterAfter, *storedAfter;
        int detail = 1, selectAnswer = 1;
        const char* duringPrint = "";
        bool reportMissing = false;
        double recno = hvxtest::kCheckRecno;
    } cases[] = {
        {"counter, Yes", "", "5001", {MsgAnswer::Yes}, true, {"77/5001/T"}, {q}, "5002", "5001"},
        {"own number, No No Yes", "1001", "5001", {MsgAnswer::No, MsgAnswer::No, MsgAnswer::Yes},
         true, {"77/1001/F", "77/1001/F", "77/1001/F"}, {q, q, q}, "5001", "1001", 0},
        {"counter, No then Cancel", "", "5001", {MsgAnswer::No, MsgAnswer::Cancel}, false,
         {"77/5001/T", "77/5001/T"}, {q, q}, "5001", ""},
        {"taken meanwhile: told, the counter kept", "", "5001", {MsgAnswer::Yes}, true,
         {"77/5001/T"}, {q, taken}, "5003", "5001", 1, 1, "UPDATE HVXREP4 SET CHECKNUM='5003'"},
        {"selection cancelled", "", "5001", {}, false, {}, {}, "5001", "", 1, 0},
        {"no counter", "", "", {}, false, {},
         {"Unable to retrieve current check number from HVXREP4."}, "", ""},
        {"report missing", "", "5001", {MsgAnswer::Ok, MsgAnswer::Cancel}, false, {},
         {noReport, q}, "5001", "", 1, 1, "", true},
        {"not saved", "", "5001", {}, false, {}, {unsaved}, "5001", "", 1, 1, "", false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        hvxtest::SeedCheckSettlement(c.own, c.counter);
        gFakes.detail = c.detail;
        gFakes.selectAnswer = c.selectAnswer;
        gFakes.duringPrint = c.duringPrint;
        if (c.reportMissing) host.modules["H32GRR.DLL"].functions.erase("DoPrintSettlementCheck");
        ui.messages.clear();
        ui.answers.assign(c.answers.begin(), c.answers.end());
        std::string field = c.own;
        CheckPrinting printing(ui, &host);
        EXPECT_EQ(printing.PrintSettlementCheck(field, "77", c.recno), c.confirmed);
        EXPECT_EQ(gFakes.prints, c.prints);
        EXPECT_EQ(gFakes.selectCall, c.messages == Texts{unsaved} ? "" : "Print Source Detail:1");
        Texts shown;
        for (const auto& m : ui.messages) {
            shown.push_back(m.text);
            EXPECT_EQ(m.caption, "Harvexa");
            EXPECT_EQ(m.buttons == hvx::MsgButtons::YesNoCancel, m.text == q);
        }
        EXPECT_EQ(shown, c.messages);
        EXPECT_EQ(Column("SELECT CHECKNUM FROM HVXREP4"),
                  *c.counterAfter ? Texts{c.counterAfter} : Texts{});
        EXPECT_EQ(Column("SELECT CHECKNUM FROM HVXGR04")[0], c.storedAfter);
        EXPECT_EQ(field, c.confirmed ? c.storedAfter : c.own);
        EXPECT_EQ(ui.waitDepth, 0);
    }
}

int VerifyFake(void*, const char* reference, char* result, int) {
    result[0] = '\0';
    return std::string(reference) == "BK-1";
}

TEST_P(SettlementWindow, FirstFailingAcceptCheckShowsItsMessageAndMovesTheFocus) {
    Exec("INSERT INTO HVXAR50 (REFERENCE,NAME,RECNO) VALUES ('C-1','Ann',1)");
    host.AddModule("H32BKOF.DLL").Export("bVerifyCustomer", &VerifyFake);
    const AcceptCheckInput good{&host, false, "C-1", "CustRef", "03/07/2024", "SettDate", true, "HVX"};
    const char* const kCustomer = "A valid customer reference is required.";
    const struct {
        const char* name;
        void (*change)(AcceptCheckInput&);
        const char *message, *focus;  // "" when the accept goes on, or no focus moves
    } cases[] = {
        {"all good", [](AcceptCheckInput&) {}, "", ""},
        {"posted comes first",
         [](AcceptCheckInput& i) { i = {i.window, true, "", "CustRef", "", "SettDate", false, ""}; },
         "Cannot change a settlement once it has been posted. Please use the change button "
         "provided below.", ""},
        {"empty customer", [](AcceptCheckInput& i) { i.custRef = "", i.settDate = ""; }, kCustomer,
         "CustRef"},
        {"unknown customer", [](AcceptCheckInput& i) { i.custRef = "C-2"; }, kCustomer, "CustRef"},
        {"back office knows BK-1",
         [](AcceptCheckInput& i) { i.custRef = "BK-1", i.customerSystem = "TORVALE"; }, "", ""},
        {"back office does not know C-1", [](AcceptCheckInput& i) { i.customerSystem = "TORVALE"; },
         kCustomer, "CustRef"},
        {"blank date", [](AcceptCheckInput& i) { i.settDate = "  ", i.hasLines = false; },
         "Settlement date is required to accept this settlement.", "SettDate"},
        {"no lines", [](AcceptCheckInput& i) { i.hasLines = false; },
         "Settlement requires at least one source entry to save.", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ui.messages.clear(), ui.focus.clear();
        AcceptCheckInput input = good;
        c.change(input);
        EXPECT_EQ(AcceptBlocked(input, ui), *c.message != '\0');
        std::string shown;
        for (const auto& m : ui.messages) shown += m.text + "|" + m.caption + ";";
        EXPECT_EQ(shown, *c.message ? std::string(c.message) + "|Harvexa;" : "");
        EXPECT_EQ(ui.focus, *c.focus ? Texts{c.focus} : Texts{});
    }
}

TEST(SettlementStatus, ShowsTheGLClassRowOnlyWithACode) {
    EXPECT_EQ(SettlementStatus("10", "Grain Purchases", true, false, false),
              (SettlementStatusText{"Settlement Status",
                                    "G/L Class~Grain Purchases\nPosted~Yes\nG/L Posted~No"}));
    hvxtest::ScriptedUi ui;
    ShowSettlementStatus(ui, "", "ignored", false, true, true);
    ASSERT_EQ(ui.popups.size(), 1u);
    EXPECT_EQ(ui.popups[0].caption + "|" + ui.popups[0].text,
              "Settlement Status (Reversed)|\nPosted~No\nG/L Posted~Yes");
}

// Lines of single-source settlements 7, 10 and 3 (two lines) and of
// multiple-source settlement 12.
TEST_P(SettlementWindow, LookupListsTheLinesOfOneTypeKeyedBySettlementNumber) {
    Exec("INSERT INTO HVXGR04D (CUSTNAME,SETTLEMENT,SETDTE,STYPE,RECNO) VALUES "
         "('Casey Farms','7','2024-03-07','0',1),('Able Acres','10','2024-03-09','0',2),"
         "('Casey Farms','12','2024-03-10','1',3),('O''Brien Farms','3','2024-02-01','0',4),"
         "('O''Brien Farms','3','2024-02-01','0',5)");
    std::string field = "1", error;
    // Cancelled: nothing picked, the field keeps what was typed.
    EXPECT_FALSE(LookupSettlement(ui, hvx::SettlementType::SingleSource, field));
    EXPECT_EQ(field, "1");
    hvx::PickList list;
    ASSERT_TRUE(list.Load(ui.pickColumns.back(), ui.pickLists.back(), ui.pickKeys.back(), error))
        << error;
    ASSERT_EQ(list.Columns().size(), 10u);
    EXPECT_EQ(list.Columns()[0].title + "|" + list.Columns()[6].title, "Name|Units Settled");
    Texts keys;
    for (int r = 0; r < static_cast<int>(list.Rows().size()); ++r) keys.push_back(list.KeyText(r));
    EXPECT_EQ(keys, (Texts{"3", "3", "7", "10"}));
    // Typing the start of a number lands on its settlement; the pick hands
    // back the settlement number, not the customer's name.
    const int row = list.RowFor("1");
    ASSERT_GE(row, 0);
    ui.picks.push_back({list.Rows()[row].recno, list.KeyText(row)});
    EXPECT_TRUE(LookupSettlement(ui, hvx::SettlementType::SingleSource, field));
    EXPECT_EQ(field, "10");
}

}  // namespace
