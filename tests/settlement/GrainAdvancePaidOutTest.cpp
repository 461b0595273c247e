// Advances a settlement pays out, re-saving, giving repayments back, and a
// statement failing anywhere in the advance step.
#include <set>

#include "GrainAdvanceTestSupport.h"
#include "platform/HVXSConnection.h"
#include "platform/Session.h"
#include "settlement/GrainAdvanceTrackingObject.h"

namespace {

using hvx::settlement::GrainAdvanceObject;
using hvx::settlement::GrainAdvanceTrackingObject;
using hvxtest::SeedAdvance;
using hvxtest::Texts;

const hvx::settlement::AdvanceSettlement kSettlement{"C1", "Name C1", "05/01/2024", "77", "S9"};

class GrainAdvancePaidOut : public hvxtest::AdvanceTest {};
HVX_DATABASE_TEST_SUITE(GrainAdvancePaidOut);

TEST_P(GrainAdvancePaidOut, NewChangedAndRemovedAdvances) {
    const SeedAdvance line{1, "C0", "2024-01-01", "Setup", "X", "100.00", "40.00", "O", "S9", "D1"};
    const SeedAdvance ms{1, "C0", "2024-01-01", "Setup", "X", "100.00", "40.00", "O", "S9", ""};
    const SeedAdvance unpaid{2, "C0", "2024-01-01", "Setup", "X", "80.00", "0.00", "O", "S9", "D2"};
    const SeedAdvance repaid{2, "C0", "2024-01-01", "Setup", "X", "80.00", "5.00", "O", "S9", "D2"};
    const SeedAdvance owed{3, "C1", "2024-01-01", "Assembly", "A100", "10.00", "0.00", "O"};
    const Texts kLineBefore = {"D1\t100.00\t40.00\tO\tC0\t01/01/2024\tSetup\t\t\tA1"};
    const struct {
        const char* name;
        std::vector<SeedAdvance> seeded;
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
        {"below what was repaid", {line}, {{"D1", 39.99}}, kLineBefore,
         "Update terminated:  Advance amount is less than Paid amount."},
        {"multiple-source: found by the settlement", {ms}, {{"", 75}},
         {"\t75.00\t40.00\tO\tC1\t05/01/2024\tAssembly\t\t555\tA1"}},
        {"line now only repays: its advance, nothing repaid, goes", {line, unpaid, owed},
         {{"D1", 100}, {"D2", -10}},
         {"D1\t100.00\t40.00\tO\tC1\t05/01/2024\tAssembly\t\t555\tA1",
          "\t10.00\t10.00\tP\tC1\t01/01/2024\tAssembly\t\t\tA3"}},
        {"line gone after repayments", {line, repaid}, {{"D1", 100}},
         {kLineBefore[0], "D2\t80.00\t5.00\tO\tC0\t01/01/2024\tSetup\t\t\tA2"},
         "Cannot delete Advance. It has payments applied to it."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        hvxtest::Exec("DELETE FROM HVXGR57");
        hvxtest::Seed(c.seeded);
        GrainAdvanceTrackingObject tracking;
        for (const auto& [lineLink, amount] : c.items)
            tracking.AddItem(lineLink, "Assembly", "A100", "555", amount);
        ui.answers = {hvx::MsgAnswer::Yes};
        ASSERT_EQ(connection.BeginTran("t"), 0);
        EXPECT_EQ(advances.ApplyAdvances(tracking, connection, kSettlement, message),
                  c.failure == nullptr);
        EXPECT_EQ(message, c.failure ? c.failure : message);
        EXPECT_EQ(hvxtest::Rows("SELECT SETITEM,AMOUNT,RAMOUNT,OPENPAID,CUSTREF,ADVDATE,SOURCE,"
                                "SETTLEMENT,CHECKNUM,ADVLINK FROM HVXGR57 ORDER BY RECNO"),
                  c.rows);
        ASSERT_EQ(connection.CancelTran("t"), 0);
    }
}

// Deletion gives back on the simple connection, the amounts rounded to the
// cent on both sides: 80.005 owed is 80.01, so 80.01 - 0.00 repaid stays paid.
TEST_P(GrainAdvancePaidOut, GiveBackOnTheSimpleConnection) {
    HVXSConnection simple(1, nullptr, 0);
    hvxtest::Exec("UPDATE HVXGR57 SET AMOUNT='80.005',RAMOUNT='80.01',OPENPAID='P' WHERE RECNO=1");
    EXPECT_TRUE(GrainAdvanceObject::GiveBack(simple, "A1", 0.004));
    EXPECT_TRUE(GrainAdvanceObject::GiveBack(simple, "A4", 20.004));  // a paid advance reopens
    EXPECT_FALSE(GrainAdvanceObject::GiveBack(simple, "A404", 1));
    EXPECT_EQ(hvxtest::Rows("SELECT RAMOUNT,OPENPAID FROM HVXGR57 WHERE RECNO IN (1,4) ORDER BY RECNO"),
              (Texts{"80.01\tP", "30.00\tO"}));
}

TEST_P(GrainAdvancePaidOut, LiteralRepaymentRowAsAReversalCopiesIt) {
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
    EXPECT_EQ(hvxtest::Rows("SELECT ADVLINK,CHECKNUM,AMOUNT,RDATE,SOURCELINK,PAIDLINK,NUMCHANGE,"
                            "RECNO FROM HVXGR57A WHERE RECNO > 7"),
              Texts{"A1\tO'Neil\t-50.00\t03/02/2024\tS10\tD10\t0\t8"});
}

// Whichever statement of a re-save fails, the advances and repayments are as
// the earlier save left them; a re-save that goes through gives back first,
// so saving the same settlement again ends where it began.
TEST_P(GrainAdvancePaidOut, ResaveFailingAnywhereChangesNothingAndRepeatsExactly) {
    GrainAdvanceTrackingObject earlier, tracking;
    earlier.AddItem("D1", "Assembly", "A100", "555", -30);
    ASSERT_TRUE(advances.ApplyAdvances(earlier, connection, kSettlement, message)) << message;
    const Texts state = hvxtest::AdvanceState(), repayments = hvxtest::Repayments();

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
    EXPECT_EQ(hvxtest::Repayments(),
              (Texts{"A1\t100.00\tS9\tD1\t555", "A2\t50.00\tS9\tD1\t555"}));
    hvxtest::ExpectRepaidIsSumOfRows(hvxtest::kSeededRepaid);
    ASSERT_TRUE(advances.ApplyAdvances(tracking, connection, kSettlement, message)) << message;
    EXPECT_EQ(hvxtest::AdvanceState(), saved);
    EXPECT_EQ(hvxtest::Repayments(),
              (Texts{"A1\t100.00\tS9\tD1\t555", "A2\t50.00\tS9\tD1\t555"}));
}

}  // namespace
