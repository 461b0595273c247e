// The advance step of the save on every engine: repaying advances to the
// cent, the advances a settlement pays out, and giving repayments back.
#include <algorithm>
#include <set>

#include "GrainAdvanceTestSupport.h"
#include "platform/Dates.h"
#include "platform/HVXSConnection.h"
#include "platform/Session.h"
#include "settlement/GrainAdvanceTrackingObject.h"
#include "support/ScriptedUi.h"

namespace {

using namespace hvx::settlement;
using hvx::AdvanceSelectionController;
using hvx::AdvanceSelectionRow;
using hvx::MsgAnswer;
using hvxtest::Rows;
using hvxtest::Texts;
using Recnos = std::vector<double>;

const Texts kUntouched = {"1\t0.00\tO", "2\t20.00\tO", "3\t0.00\tO", "6\t10.00\tO"};
const char* const kOpenOfC1 =
    "SELECT RECNO,RAMOUNT,OPENPAID FROM HVXGR57 WHERE RECNO IN (1,2,3,6) ORDER BY RECNO";
const char* const kRepaid = "SELECT ADVLINK,AMOUNT FROM HVXGR57A ORDER BY RECNO";
const char* const kCanceled = "Advance update canceled.\nSettlement save operation aborted.";
const char* const kNotEnough = "There are not enough advances available to pay this deduction.";
const std::map<std::string, double> kSeededRepaid = {{"A2", 20}, {"A4", 50}, {"A6", 10}};
const AdvanceSettlement kSettlement{"C1", "Name C1", "05/01/2024", "77", "S9"};

class GrainAdvances : public hvxtest::DatabaseTest {
protected:
    // C1 owes on two advances of assembly A100, a ticket and a storage ticket; C2 on one.
    void SetUp() override {
        DatabaseTest::SetUp();
        hvx::SetTodayForTesting({2024, 5, 20});
        hvxtest::Seed({{1, "C1", "2024-03-01", "Assembly", "A100", "100.00", "0.00", "O"},
                       {2, "C1", "2024-04-01", "Assembly", "A100", "100.00", "20.00", "O"},
                       {3, "C1", "2024-02-01", "Scale Ticket", "T7", "60.00", "0.00", "O"},
                       {4, "C1", "2024-01-15", "Assembly", "A100", "50.00", "50.00", "P"},
                       {5, "C2", "2024-01-01", "Assembly", "A100", "500.00", "0.00", "O"},
                       {6, "C1", "2024-05-01", "Storage Ticket", "S1", "30.00", "10.00", "O"}});
    }
    void TearDown() override {
        hvx::SetTodayForTesting({0, 0, 0});
        DatabaseTest::TearDown();
    }
    hvxtest::ScriptedUi ui;
    hvxtest::ScriptedSelection selection;
    GrainAdvanceObject advances{ui, selection};
    HVXConnection connection{1};
    std::string message;
    const AdvanceRepayer repayer{"S9", "D9", "1234"};
};
HVX_DATABASE_TEST_SUITE(GrainAdvances);

TEST_P(GrainAdvances, AutomaticallyOldestFirstSameSourceThenOthers) {
    const struct {
        const char *name, *source, *sourceRef;
        double amount;
        Texts advances, repayments;  // advances 1, 2, 3 and 6 of C1
        const char* failure = nullptr;
    } cases[] = {
        {"the source's two, the rest to the oldest other", "Assembly", "A100", 200,
         {"1\t100.00\tP", "2\t100.00\tP", "3\t20.00\tO", "6\t10.00\tO"},
         {"A1\t100.00", "A2\t80.00", "A3\t20.00"}},
        {"the newer advance of the source first", "Storage Ticket", "S1", 25,
         {"1\t0.00\tO", "2\t20.00\tO", "3\t5.00\tO", "6\t30.00\tP"}, {"A6\t20.00", "A3\t5.00"}},
        {"rounded to the cent first", "Assembly", "A100", 100.004,
         {"1\t100.00\tP", "2\t20.00\tO", "3\t0.00\tO", "6\t10.00\tO"}, {"A1\t100.00"}},
        {"more than C1 owes", "Assembly", "A100", 260.01, kUntouched, {},
         "Unable to apply full advance payment amount."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(connection.BeginTran("t"), 0);
        const bool ok = advances.ApplyAutomatically(connection, "C1", c.source, c.sourceRef,
                                                    repayer, c.amount, message);
        EXPECT_EQ(ok, c.failure == nullptr);
        EXPECT_EQ(message, c.failure ? c.failure : message);
        ASSERT_EQ(ok ? connection.CommitTran("t") : connection.CancelTran("t"), 0);
        EXPECT_EQ(Rows(kOpenOfC1), c.advances);
        EXPECT_EQ(Rows(kRepaid), c.repayments);  // written by S9's line D9 with check 1234
        EXPECT_EQ(Rows("SELECT DISTINCT RDATE,NUMCHANGE,SOURCELINK,PAIDLINK,CHECKNUM "
                       "FROM HVXGR57A"),
                  c.repayments.empty() ? Texts{} : Texts{"05/20/2024\t0\tS9\tD9\t1234"});
        hvxtest::ExpectRepaidIsSumOfRows(kSeededRepaid);
        // Everything given back: the advances are as seeded again.
        ASSERT_TRUE(advances.RemoveRepayments(connection, "S9", message)) << message;
        EXPECT_EQ(Rows(kOpenOfC1), kUntouched);
        EXPECT_EQ(hvxtest::Repayments(), Texts{});
    }
}

TEST_P(GrainAdvances, ChosenAdvancesInTheirOrderToTheCent) {
    hvxtest::Seed({{7, "C3", "2024-01-01", "Setup", "X", "0.30", "0.20", "O"},
                   {8, "C3", "2024-01-02", "Setup", "X", "0.20", "0.00", "O"}});
    auto seeded = kSeededRepaid;
    seeded["A7"] = 0.2;
    const struct {
        Recnos chosen;
        double amount;
        Texts repayments;
    } cases[] = {
        {{3, 0, 1}, 70, {"A3\t60.00", "A1\t10.00"}},  // the chosen order, not the date
        {{4, 6}, 50, {"A6\t20.00"}},  // a paid advance takes nothing; a left-over is not reported
        {{7, 8}, 0.3, {"A7\t0.10", "A8\t0.20"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.amount);
        ASSERT_TRUE(advances.ApplyToChosen(connection, c.chosen, repayer, c.amount, message));
        EXPECT_EQ(Rows(kRepaid), c.repayments);
        hvxtest::ExpectRepaidIsSumOfRows(seeded);
        ASSERT_TRUE(advances.RemoveRepayments(connection, "S9", message));
        EXPECT_EQ(Rows(kOpenOfC1), kUntouched);
    }
    // The same cents walked in one pass of the automatic application.
    ASSERT_TRUE(advances.ApplyAutomatically(connection, "C3", "Setup", "X", repayer, .3, message));
    EXPECT_EQ(Rows("SELECT RECNO,RAMOUNT,OPENPAID FROM HVXGR57 WHERE RECNO >= 7"),
              (Texts{"7\t0.30\tP", "8\t0.20\tP"}));
}

size_t RowOf(const std::vector<AdvanceSelectionRow>& rows, double recno) {
    return std::ranges::find(rows, recno, &AdvanceSelectionRow::recno) - rows.begin();
}

// A paid advance is never listed; an advance of another customer, chosen
// while all customers were listed, is not listed again once it is removed
// with only the customer's listed.
TEST_P(GrainAdvances, SelectionListsOnlyOpenAdvancesOfTheListedCustomers) {
    AdvanceSelectionController dialog(ui, "C1", 150);
    ASSERT_TRUE(dialog.Load(message)) << message;
    EXPECT_FALSE(dialog.Add(RowOf(dialog.OpenAdvances(), 4)));
    ASSERT_TRUE(dialog.SetAllCustomers(true, message)) << message;
    EXPECT_TRUE(dialog.Add(RowOf(dialog.OpenAdvances(), 5)));
    ASSERT_TRUE(dialog.SetAllCustomers(false, message)) << message;
    EXPECT_EQ(dialog.ChosenRecordNumbers(), Recnos{5});
    EXPECT_TRUE(dialog.Remove(0));
    EXPECT_EQ(dialog.OpenAdvances().size(), 4u);
    EXPECT_EQ(RowOf(dialog.OpenAdvances(), 5), 4u);
}

// All customers owe 760.00 between them: a cent more is refused before the
// question; exactly that much comes to it, and Cancel stops the save. (Yes,
// No and the dialog: the bookkeeping walk.)
TEST_P(GrainAdvances, NotEnoughOpenAdvancesOfAllCustomersAsksNothing) {
    for (const double amount : {760.01, 760.0}) {
        GrainAdvanceTrackingObject tracking;
        tracking.AddItem("D9", "Assembly", "A100", "", -60);
        tracking.AddItem("D8", "Assembly", "A100", "", 60 - amount);
        ui.answers = {MsgAnswer::Cancel};
        EXPECT_FALSE(advances.ApplyAdvances(tracking, connection, kSettlement, message));
        EXPECT_EQ(message, amount > 760 ? kNotEnough : kCanceled);
        EXPECT_EQ(ui.messages.size(), amount > 760 ? 0u : 1u);
    }
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].caption + "|" + ui.messages[0].text,
              "Harvexa|There are advance payments on this settlement. Do you wish to have the "
              "payments automatically calculated?\n\nIf 'No' is selected, you can manually "
              "select which advances to pay.");
    EXPECT_EQ(ui.messages[0].buttons, hvx::MsgButtons::YesNoCancel);
    EXPECT_EQ(hvxtest::Repayments(), Texts{});
}

TEST_P(GrainAdvances, NewChangedAndRemovedAdvancesPaidOut) {
    const hvxtest::SeedAdvance
        line{1, "C0", "2024-01-01", "Setup", "X", "100.00", "40.00", "O", "S9", "D1"},
        ms{1, "C0", "2024-01-01", "Setup", "X", "100.00", "40.00", "O", "S9", ""},
        unpaid{2, "C0", "2024-01-01", "Setup", "X", "80.00", "0.00", "O", "S9", "D2"},
        repaid{2, "C0", "2024-01-01", "Setup", "X", "80.00", "5.00", "O", "S9", "D2"},
        owed{3, "C1", "2024-01-01", "Assembly", "A100", "10.00", "0.00", "O"};
    const std::string kLineBefore = "D1\t100.00\t40.00\tO\tC0\t01/01/2024\tSetup\t\t\tA1";
    const struct {
        const char* name;
        std::vector<hvxtest::SeedAdvance> seeded;
        std::vector<std::pair<const char*, double>> items;  // line link, amount
        Texts rows;  // SETITEM, AMOUNT, RAMOUNT, OPENPAID, CUSTREF, ADVDATE, SOURCE, ..., ADVLINK
        const char* failure = nullptr;
    } cases[] = {
        {"new", {}, {{"D1", 250.004}},
         {"D1\t250.00\t0.00\tO\tC1\t05/01/2024\tAssembly\t77\t555\t1"}},
        {"raised: stays open", {line}, {{"D1", 90.004}},
         {"D1\t90.00\t40.00\tO\tC1\t05/01/2024\tAssembly\t\t555\tA1"}},
        {"lowered to what was repaid", {line}, {{"D1", 40}},
         {"D1\t40.00\t40.00\tP\tC1\t05/01/2024\tAssembly\t\t555\tA1"}},
        {"below what was repaid", {line}, {{"D1", 39.99}}, {kLineBefore},
         "Update terminated:  Advance amount is less than Paid amount."},
        {"multiple-source: found by the settlement", {ms}, {{"", 75}},
         {"\t75.00\t40.00\tO\tC1\t05/01/2024\tAssembly\t\t555\tA1"}},
        {"line now only repays: its advance, nothing repaid, goes", {line, unpaid, owed},
         {{"D1", 100}, {"D2", -10}},
         {"D1\t100.00\t40.00\tO\tC1\t05/01/2024\tAssembly\t\t555\tA1",
          "\t10.00\t10.00\tP\tC1\t01/01/2024\tAssembly\t\t\tA3"}},
        {"line gone after repayments", {line, repaid}, {{"D1", 100}},
         {kLineBefore, "D2\t80.00\t5.00\tO\tC0\t01/01/2024\tSetup\t\t\tA2"}, kAdvanceHasPayments},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        hvxtest::Exec("DELETE FROM HVXGR57");
        hvxtest::Seed(c.seeded);
        GrainAdvanceTrackingObject tracking;
        for (const auto& [lineLink, amount] : c.items)
            tracking.AddItem(lineLink, "Assembly", "A100", "555", amount);
        ui.answers = {MsgAnswer::Yes};
        ASSERT_EQ(connection.BeginTran("t"), 0);
        EXPECT_EQ(advances.ApplyAdvances(tracking, connection, kSettlement, message),
                  c.failure == nullptr);
        EXPECT_EQ(message, c.failure ? c.failure : message);
        EXPECT_EQ(Rows("SELECT SETITEM,AMOUNT,RAMOUNT,OPENPAID,CUSTREF,ADVDATE,SOURCE,SETTLEMENT,"
                       "CHECKNUM,ADVLINK FROM HVXGR57 ORDER BY RECNO"), c.rows);
        ASSERT_EQ(connection.CancelTran("t"), 0);
    }
}

// Deletion gives back on the simple connection, the amounts rounded to the
// cent on both sides: 80.005 owed is 80.01, so 80.01 - 0.00 repaid stays paid.
TEST_P(GrainAdvances, GiveBackOnTheSimpleConnection) {
    HVXSConnection simple(1, nullptr, 0);
    hvxtest::Exec("UPDATE HVXGR57 SET AMOUNT='80.005',RAMOUNT='80.01',OPENPAID='P' WHERE RECNO=1");
    EXPECT_TRUE(GrainAdvanceObject::GiveBack(simple, "A1", 0.004));
    EXPECT_TRUE(GrainAdvanceObject::GiveBack(simple, "A4", 20.004));  // a paid advance reopens
    EXPECT_FALSE(GrainAdvanceObject::GiveBack(simple, "A404", 1));
    EXPECT_EQ(Rows("SELECT RAMOUNT,OPENPAID FROM HVXGR57 WHERE RECNO IN (1,4) ORDER BY RECNO"),
              (Texts{"80.01\tP", "30.00\tO"}));
}

TEST_P(GrainAdvances, LiteralRepaymentRowAsAReversalCopiesIt) {
    hvxtest::Exec("INSERT INTO HVXGR57A (ADVLINK,AMOUNT,RECNO) VALUES ('A1','50.00',7)");
    HVXSConnection simple(1, nullptr, 0);
    for (long n = 1;; ++n) {  // any statement failing: the row is not written
        hvx::Session::FailStatementForTesting(n);
        const bool ok = GrainAdvanceObject::RecordRepayment(
            simple, {"A1", "O'Neil", -50.004, "03/02/2024", "S10", "D10"}, message);
        hvx::Session::FailStatementForTesting(0);
        if (ok) break;
        ASSERT_EQ(message, "Unable to update HVXGR57A.");
        ASSERT_EQ(hvxtest::Column("SELECT COUNT(*) FROM HVXGR57A"), Texts{"1"});
    }
    EXPECT_EQ(Rows("SELECT ADVLINK,CHECKNUM,AMOUNT,RDATE,SOURCELINK,PAIDLINK,NUMCHANGE,RECNO "
                   "FROM HVXGR57A WHERE RECNO > 7"),
              Texts{"A1\tO'Neil\t-50.00\t03/02/2024\tS10\tD10\t0\t8"});
}

// A re-save that goes through gives back first, so saving the same
// settlement again ends where it began.
TEST_P(GrainAdvances, ResaveFailingAnywhereChangesNothingAndRepeatsExactly) {
    GrainAdvanceTrackingObject earlier, tracking;
    earlier.AddItem("D1", "Assembly", "A100", "555", -30);
    ASSERT_TRUE(advances.ApplyAdvances(earlier, connection, kSettlement, message)) << message;
    const Texts state = hvxtest::AdvanceState(), repayments = hvxtest::Repayments();
    const Texts kResaved = {"A1\t100.00\tS9\tD1\t555", "A2\t50.00\tS9\tD1\t555"};
    tracking.AddItem("D1", "Assembly", "A100", "555", -150);
    tracking.AddItem("D2", "Assembly", "A100", "555", 40);
    std::set<std::string> messages;
    bool succeeded = false;
    for (long n = 1; n < 200 && !succeeded; ++n) {
        SCOPED_TRACE(n);
        message.clear();
        ASSERT_EQ(connection.BeginTran("t"), 0);
        hvx::Session::FailStatementForTesting(n);
        succeeded = advances.ApplyAdvances(tracking, connection, kSettlement, message);
        hvx::Session::FailStatementForTesting(0);
        if (succeeded) break;
        EXPECT_FALSE(message.empty());
        messages.insert(message);
        ASSERT_EQ(connection.CancelTran("t"), 0);
        EXPECT_EQ(hvxtest::AdvanceState(), state);
        EXPECT_EQ(hvxtest::Repayments(), repayments);
    }
    ASSERT_TRUE(succeeded);
    ASSERT_EQ(connection.CommitTran("t"), 0);
    for (const char* expected : {"Error deleting HVXGR57A record.", "Unable to update HVXGR57.",
                                 "HVXGR57 Insert Failed.", "HVXGR57A Insert Failed."})
        EXPECT_EQ(messages.count(expected), 1u) << expected;
    const Texts saved = hvxtest::AdvanceState();
    EXPECT_EQ(hvxtest::Repayments(), kResaved);
    hvxtest::ExpectRepaidIsSumOfRows(kSeededRepaid);
    ASSERT_TRUE(advances.ApplyAdvances(tracking, connection, kSettlement, message)) << message;
    EXPECT_EQ(hvxtest::AdvanceState(), saved);
    EXPECT_EQ(hvxtest::Repayments(), kResaved);
}

}  // namespace
