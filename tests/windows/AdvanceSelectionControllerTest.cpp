// The advance selection dialog's controller: its lists, commands, the amount
// left to apply and the OK check.
#include <algorithm>

#include "settlement/GrainAdvanceTestSupport.h"

namespace {

using hvx::AdvanceSelectionController;
using hvx::AdvanceSelectionRow;
using Recnos = std::vector<double>;

Recnos RecnosOf(const std::vector<AdvanceSelectionRow>& rows, bool sorted = false) {
    Recnos out;
    for (const AdvanceSelectionRow& row : rows) out.push_back(row.recno);
    if (sorted) std::sort(out.begin(), out.end());
    return out;
}

size_t RowOf(const std::vector<AdvanceSelectionRow>& rows, double recno) {
    const Recnos recnos = RecnosOf(rows);
    return static_cast<size_t>(std::find(recnos.begin(), recnos.end(), recno) - recnos.begin());
}

class AdvanceSelection : public hvxtest::AdvanceTest {};
HVX_DATABASE_TEST_SUITE(AdvanceSelection);

TEST_P(AdvanceSelection, ListsCommandsLeftToApplyAndOk) {
    hvxtest::Seed(hvxtest::kCustomerAdvances);
    AdvanceSelectionController dialog(ui, "C1", 150);
    ASSERT_TRUE(dialog.Load(message)) << message;
    const Recnos listedAtFirst = RecnosOf(dialog.OpenAdvances());
    EXPECT_EQ(RecnosOf(dialog.OpenAdvances(), true), (Recnos{1, 2, 3, 6}));
    const AdvanceSelectionRow& row = dialog.OpenAdvances()[RowOf(dialog.OpenAdvances(), 2)];
    EXPECT_EQ(row.custRef + "|" + row.custName + "|" + row.advDate + "|" + row.OpenText() + "|" +
                  row.RecnoText(),
              "C1|Name C1|04/01/2024|80.00|2");
    EXPECT_EQ(dialog.LeftToApplyText(), "$150.00 left to apply.");

    enum Action { Add, Remove, Up, Down, Ok, AllCustomers, OwnCustomer };
    const struct {
        Action action;
        double recno;  // the advance acted on
        bool ok;
        const char* left;
        Recnos chosen, listed;  // listed: the open list, sorted
    } steps[] = {
        {Add, 3, true, "$90.00 left to apply.", {3}, {1, 2, 6}},
        {Add, 6, true, "$70.00 left to apply.", {3, 6}, {1, 2}},
        {Ok, 0, false, "$70.00 left to apply.", {3, 6}, {1, 2}},
        {Add, 1, true, "$0.00 left to apply.", {3, 6, 1}, {2}},  // more than enough: nothing left
        {Up, 1, true, "$0.00 left to apply.", {3, 1, 6}, {2}},
        {Up, 1, true, "$0.00 left to apply.", {1, 3, 6}, {2}},
        {Up, 1, false, "$0.00 left to apply.", {1, 3, 6}, {2}},
        {Down, 6, false, "$0.00 left to apply.", {1, 3, 6}, {2}},
        {Down, 1, true, "$0.00 left to apply.", {3, 1, 6}, {2}},
        {Remove, 3, true, "$30.00 left to apply.", {1, 6}, {2, 3}},
        {Add, 4, false, "$30.00 left to apply.", {1, 6}, {2, 3}},  // paid: never listed
        {AllCustomers, 0, true, "$30.00 left to apply.", {1, 6}, {2, 3, 5}},
        {Add, 5, true, "$0.00 left to apply.", {1, 6, 5}, {2, 3}},
        {OwnCustomer, 0, true, "$0.00 left to apply.", {1, 6, 5}, {2, 3}},
        {Remove, 5, true, "$30.00 left to apply.", {1, 6}, {2, 3}},  // not the customer's
        {Add, 2, true, "$0.00 left to apply.", {1, 6, 2}, {3}},
        {Ok, 0, true, "$0.00 left to apply.", {1, 6, 2}, {3}},
    };
    for (size_t i = 0; i < std::size(steps); ++i) {
        const auto& s = steps[i];
        SCOPED_TRACE(i);
        const size_t open = RowOf(dialog.OpenAdvances(), s.recno);
        const size_t chosen = RowOf(dialog.ChosenAdvances(), s.recno);
        bool ok = false;
        switch (s.action) {
            case Add: ok = dialog.Add(open); break;
            case Remove: ok = dialog.Remove(chosen); break;
            case Up: ok = dialog.MoveUp(chosen); break;
            case Down: ok = dialog.MoveDown(chosen); break;
            case Ok: ok = dialog.Ok(); break;
            case AllCustomers: ok = dialog.SetAllCustomers(true, message); break;
            case OwnCustomer: ok = dialog.SetAllCustomers(false, message); break;
        }
        EXPECT_EQ(ok, s.ok);
        EXPECT_EQ(dialog.LeftToApplyText(), s.left);
        EXPECT_EQ(dialog.ChosenRecordNumbers(), s.chosen);
        EXPECT_EQ(RecnosOf(dialog.OpenAdvances(), true), s.listed);
    }
    // Removed advances go back to their places in the list.
    ASSERT_TRUE(dialog.Remove(2) && dialog.Remove(1) && dialog.Remove(0));
    EXPECT_EQ(RecnosOf(dialog.OpenAdvances()), listedAtFirst);
    ASSERT_EQ(ui.messages.size(), 1u);  // the one refusal
    EXPECT_EQ(ui.messages[0].text,
              "You must assign enough advances to use the entire amount of the advance payment.");
    EXPECT_EQ(ui.messages[0].caption, "Harvexa");
    EXPECT_EQ(ui.messages[0].icon, hvx::MsgIcon::Exclamation);
}

}  // namespace
