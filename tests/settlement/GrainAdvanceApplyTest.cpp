// Repaying advances: which deduction rows become advance items, oldest first
// over the two passes, chosen advances and the selection dialog that chooses
// them, and the question of the save with its three answers.
#include <algorithm>

#include "GrainAdvanceTestSupport.h"
#include "platform/Format.h"
#include "settlement/GrainAdvanceTrackingObject.h"

namespace {

using hvx::MsgAnswer;
using hvx::settlement::AdvanceSelectionController;
using hvx::settlement::GrainAdvanceTrackingObject;
using hvxtest::Texts;
using Recnos = std::vector<double>;

const Texts kUntouched = {"1\t0.00\tO", "2\t20.00\tO", "3\t0.00\tO", "6\t10.00\tO"};
const char* const kOpenOfC1 =
    "SELECT RECNO,RAMOUNT,OPENPAID FROM HVXGR57 WHERE RECNO IN (1,2,3,6) ORDER BY RECNO";
const char* const kCanceled = "Advance update canceled.\nSettlement save operation aborted.";

class GrainAdvanceApply : public hvxtest::AdvanceTest {
protected:
    const hvx::settlement::AdvanceRepayer repayer{"S9", "D9", "1234"};
    static Texts Repaid(const Texts& rows) {  // written by S9's line D9 with check 1234
        Texts out;
        for (const std::string& r : rows) out.push_back(r + "\tS9\tD9\t1234");
        return out;
    }
};
HVX_DATABASE_TEST_SUITE(GrainAdvanceApply);

TEST(GrainAdvanceTracking, CollectsTheAdvanceRowsOfPaidGrain) {
    using namespace hvx::settlement;
    const std::vector<AdvanceLineInput> lines = {{"L1", "Assembly", "A1", "Priced"},
                                                 {"L2", "Scale Ticket", "T2", "Installment Sale"},
                                                 {"L3", "Assembly", "A1", "Storage Ticket"}};
    const std::vector<AdvanceRowInput> rows = {{"L2", 10, "D", true},  {"L1", 25.5, "D", true},
                                               {"L1", 40, "A", true},  {"L1", 99, "D", false},
                                               {"L3", 7, "D", true},   {"L1", 5.004, "D", true}};
    const struct {
        bool multiple;
        const char* destination;
        Texts items;
        double repayments;
    } cases[] = {
        {false, "",  // per line, in line order; the check only for grain sold outright
         {"L1|Assembly|A1|9001|-25.50", "L1|Assembly|A1|9001|40.00", "L1|Assembly|A1|9001|-5.00",
          "L2|Scale Ticket|T2||-10.00"},
         40.5},
        {true, "Priced",  // every row once, with the first line's source and no line link
         {"|Assembly|A1|9001|-10.00", "|Assembly|A1|9001|-25.50", "|Assembly|A1|9001|40.00",
          "|Assembly|A1|9001|-7.00", "|Assembly|A1|9001|-5.00"},
         47.5},
        {true, "Storage Ticket", {}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.destination);
        GrainAdvanceTrackingObject tracking;
        tracking.AddItem("old", "", "", "", -1);
        tracking.SetChosen(std::vector<double>(105, 4));
        EXPECT_EQ(tracking.Chosen().size(), 100u);
        CollectAdvanceItems({c.multiple, "9001", c.destination, lines, rows}, tracking);
        Texts items;
        for (const auto& i : tracking.Items())
            items.push_back(_HVXsprintf("%s|%s|%s|%s|%.2f", i.lineLink, i.source, i.sourceRef,
                                        i.checkNumber, i.amount));
        EXPECT_EQ(items, c.items);
        EXPECT_DOUBLE_EQ(tracking.RepaymentTotal(), c.repayments);  // each item to the cent
        EXPECT_FALSE(tracking.ChoseByHand() || !tracking.Chosen().empty());
    }
}

TEST_P(GrainAdvanceApply, AutomaticallyOldestFirstSameSourceThenOthers) {
    const struct {
        const char *name, *source, *sourceRef;
        double amount;
        Texts advances, repayments;  // advances 1, 2, 3 and 6 of C1
        const char* failure = nullptr;
    } cases[] = {
        {"the source's two, the rest to the oldest other", "Assembly", "A100", 200,
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
        Recnos chosen;
        double amount;
        Texts repayments;
    } cases[] = {
        {{3, 0, 1}, 70, {"A3\t60.00", "A1\t10.00"}},  // the chosen order, not the date
        {{4, 6}, 50, {"A6\t20.00"}},  // a paid advance takes nothing; a left-over is not reported
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

size_t RowOf(const std::vector<hvx::settlement::AdvanceSelectionRow>& rows, double recno) {
    return static_cast<size_t>(
        std::ranges::find_if(rows, [&](const auto& row) { return row.recno == recno; }) -
        rows.begin());
}

// An advance of another customer, chosen while all customers were listed,
// is not listed again once it is removed with only the customer's listed;
// a paid advance is never listed; OK waits for the whole amount.
TEST_P(GrainAdvanceApply, SelectionListsOnlyOpenAdvancesOfTheListedCustomers) {
    AdvanceSelectionController dialog(ui, "C1", 150);
    ASSERT_TRUE(dialog.Load(message)) << message;
    EXPECT_FALSE(dialog.Add(RowOf(dialog.OpenAdvances(), 4)));
    ASSERT_TRUE(dialog.SetAllCustomers(true, message)) << message;
    EXPECT_TRUE(dialog.Add(RowOf(dialog.OpenAdvances(), 5)));
    ASSERT_TRUE(dialog.SetAllCustomers(false, message)) << message;
    EXPECT_TRUE(dialog.Ok());
    EXPECT_EQ(dialog.ChosenRecordNumbers(), Recnos{5});
    EXPECT_TRUE(dialog.Remove(0));
    EXPECT_EQ(dialog.OpenAdvances().size(), 4u);
    EXPECT_EQ(RowOf(dialog.OpenAdvances(), 5), 4u);
    EXPECT_FALSE(dialog.Ok());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text,
              "You must assign enough advances to use the entire amount of the advance payment.");
}

TEST_P(GrainAdvanceApply, QuestionAndItsThreeAnswers) {
    // The user chooses advances 6 and 3, which cover 70.00, then OK.
    const auto chooseSixThenThree = [](AdvanceSelectionController& dialog) {
        for (double recno : {6.0, 3.0}) dialog.Add(RowOf(dialog.OpenAdvances(), recno));
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
        EXPECT_EQ(ui.messages[0].caption + "|" + ui.messages[0].text,
                  "Harvexa|There are advance payments on this settlement. Do you wish to have the "
                  "payments automatically calculated?\n\nIf 'No' is selected, you can manually "
                  "select which advances to pay.");
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
