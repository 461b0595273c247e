// Repaying advances: oldest first over the two passes, chosen advances, and
// the question of the save with its three answers.
#include "GrainAdvanceTestSupport.h"
#include "settlement/GrainAdvanceTrackingObject.h"

namespace {

using hvx::MsgAnswer;
using hvx::AdvanceSelectionController;
using hvx::settlement::GrainAdvanceTrackingObject;
using hvxtest::Texts;

const Texts kUntouched = {"1\t0.00\tO", "2\t20.00\tO", "3\t0.00\tO", "6\t10.00\tO"};
const char* const kOpenOfC1 =
    "SELECT RECNO,RAMOUNT,OPENPAID FROM HVXGR57 WHERE RECNO IN (1,2,3,6) ORDER BY RECNO";

class GrainAdvanceApply : public hvxtest::AdvanceTest {
protected:
    void SetUp() override {
        AdvanceTest::SetUp();
        hvxtest::Seed(hvxtest::kCustomerAdvances);
    }
    const hvx::settlement::AdvanceRepayer repayer{"S9", "D9", "1234"};
    static Texts Repaid(const Texts& rows) {  // written by S9's line D9 with check 1234
        Texts out;
        for (const std::string& r : rows) out.push_back(r + "\tS9\tD9\t1234");
        return out;
    }
};
HVX_DATABASE_TEST_SUITE(GrainAdvanceApply);

TEST_P(GrainAdvanceApply, AutomaticallyOldestFirstSameSourceThenOthers) {
    const struct {
        const char *name, *source, *sourceRef;
        double amount;
        Texts advances, repayments;  // advances 1, 2, 3 and 6 of C1
        const char* failure = nullptr;
    } cases[] = {
        {"two advances of the source", "Assembly", "A100", 150,
         {"1\t100.00\tP", "2\t70.00\tO", "3\t0.00\tO", "6\t10.00\tO"}, {"A1\t100.00", "A2\t50.00"}},
        {"rest to the oldest other", "Assembly", "A100", 200,
         {"1\t100.00\tP", "2\t100.00\tP", "3\t20.00\tO", "6\t10.00\tO"},
         {"A1\t100.00", "A2\t80.00", "A3\t20.00"}},
        {"all C1 owes", "Assembly", "A100", 260,
         {"1\t100.00\tP", "2\t100.00\tP", "3\t60.00\tP", "6\t30.00\tP"},
         {"A1\t100.00", "A2\t80.00", "A3\t60.00", "A6\t20.00"}},
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
        EXPECT_EQ(hvxtest::Rows(kOpenOfC1), c.advances);
        EXPECT_EQ(hvxtest::Repayments(), Repaid(c.repayments));
        EXPECT_EQ(hvxtest::Rows("SELECT DISTINCT RDATE,NUMCHANGE FROM HVXGR57A"),
                  c.repayments.empty() ? Texts{} : Texts{"05/20/2024\t0"});
        hvxtest::ExpectRepaidIsSumOfRows(hvxtest::kSeededRepaid);
        // Everything given back: the advances are as seeded again.
        ASSERT_TRUE(advances.RemoveRepayments(connection, "S9", message)) << message;
        EXPECT_EQ(hvxtest::Rows(kOpenOfC1), kUntouched);
        EXPECT_EQ(hvxtest::Repayments(), Texts{});
    }
}

TEST_P(GrainAdvanceApply, ChosenAdvancesInTheirOrderToTheCent) {
    hvxtest::Seed({{7, "C3", "2024-01-01", "Setup", "X", "0.30", "0.20", "O"},
                   {8, "C3", "2024-01-02", "Setup", "X", "0.20", "0.00", "O"}});
    auto seeded = hvxtest::kSeededRepaid;
    seeded["A7"] = 0.2;
    const struct {
        std::vector<double> chosen;
        double amount;
        Texts repayments;
    } cases[] = {
        {{3, 1}, 70, {"A3\t60.00", "A1\t10.00"}},  // the chosen order, not the date
        {{0, 2, 1}, 90, {"A2\t80.00", "A1\t10.00"}},
        {{4, 6}, 20, {"A6\t20.00"}},  // a paid advance takes nothing
        {{6}, 50, {"A6\t20.00"}},     // a left-over is not reported
        {{5}, 12.5, {"A5\t12.50"}},   // another customer's advance
        {{7, 8}, 0.3, {"A7\t0.10", "A8\t0.20"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.amount);
        ASSERT_TRUE(advances.ApplyToChosen(connection, c.chosen, repayer, c.amount, message));
        EXPECT_EQ(hvxtest::Repayments(), Repaid(c.repayments));
        hvxtest::ExpectRepaidIsSumOfRows(seeded);
        ASSERT_TRUE(advances.RemoveRepayments(connection, "S9", message));
        EXPECT_EQ(hvxtest::Rows(kOpenOfC1), kUntouched);
    }
    // The same cents walked in one pass of the automatic application.
    ASSERT_TRUE(advances.ApplyAutomatically(connection, "C3", "Setup", "X", repayer, 0.3, message));
    EXPECT_EQ(hvxtest::Rows("SELECT RECNO,RAMOUNT,OPENPAID FROM HVXGR57 WHERE RECNO >= 7"),
              (Texts{"7\t0.30\tP", "8\t0.20\tP"}));
}

const char* const kCanceled = "Advance update canceled.\nSettlement save operation aborted.";

TEST_P(GrainAdvanceApply, QuestionAndItsThreeAnswers) {
    // The user chooses advances 6 and 3, which cover 70.00, then OK.
    const auto chooseSixThenThree = [](AdvanceSelectionController& dialog) {
        for (double recno : {6.0, 3.0})
            for (size_t i = 0; i < dialog.OpenAdvances().size(); ++i)
                if (dialog.OpenAdvances()[i].recno == recno) dialog.Add(i);
        return dialog.Ok();
    };
    const struct {
        MsgAnswer answer;
        bool dialogOk;
        const char* failure;
        Texts repayments;
        int dialogs;
    } cases[] = {
        {MsgAnswer::Yes, false, nullptr, {"A1\t70.00"}, 0},
        {MsgAnswer::No, true, nullptr, {"A6\t20.00", "A3\t50.00"}, 1},
        {MsgAnswer::No, false, kCanceled, {}, 1},
        {MsgAnswer::Cancel, false, kCanceled, {}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dialogs + 2 * static_cast<int>(c.answer));
        GrainAdvanceTrackingObject tracking;
        tracking.AddItem("D9", "Assembly", "A100", "1234", -70);
        ui.messages.clear();
        ui.answers = {c.answer};
        selection.runs = 0;
        selection.script = nullptr;
        if (c.dialogOk) selection.script = chooseSixThenThree;
        ASSERT_EQ(connection.BeginTran("t"), 0);
        EXPECT_EQ(advances.ApplyAdvances(tracking, connection, {"C1", "", "", "77", "S9"}, message),
                  c.failure == nullptr);
        EXPECT_EQ(message, c.failure ? c.failure : message);
        EXPECT_EQ(hvxtest::Repayments(), Repaid(c.repayments));
        ASSERT_EQ(connection.CancelTran("t"), 0);
        EXPECT_EQ(selection.runs, c.dialogs);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text,
                  "There are advance payments on this settlement. Do you wish to have the "
                  "payments automatically calculated?\n\nIf 'No' is selected, you can manually "
                  "select which advances to pay.");
        EXPECT_EQ(ui.messages[0].caption, "Harvexa");
        EXPECT_EQ(ui.messages[0].buttons, hvx::MsgButtons::YesNoCancel);
    }
}

TEST_P(GrainAdvanceApply, NotEnoughOpenAdvancesOfAllCustomersAsksNothing) {
    GrainAdvanceTrackingObject tracking;  // all customers owe 760.00 between them
    tracking.AddItem("D9", "Assembly", "A100", "", -60.01);
    tracking.AddItem("D8", "Assembly", "A100", "", -700);
    EXPECT_FALSE(advances.ApplyAdvances(tracking, connection, {"C1", "", "", "", "S9"}, message));
    EXPECT_EQ(message, "There are not enough advances available to pay this deduction.");
    EXPECT_TRUE(ui.messages.empty());
    GrainAdvanceTrackingObject exact;
    exact.AddItem("D9", "Assembly", "A100", "", -760);
    ui.answers = {MsgAnswer::Cancel};
    EXPECT_FALSE(advances.ApplyAdvances(exact, connection, {"C1", "", "", "", "S9"}, message));
    EXPECT_EQ(message, kCanceled);  // just enough: the question comes
}

}  // namespace
