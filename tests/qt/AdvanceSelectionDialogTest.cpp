// The advance selection dialog on screen: its buttons reorder the chosen advances
// and refresh the amount left; OK waits until it is covered; Cancel rejects.

#include "QtTestSupport.h"
#include "qt/windows/advances/AdvanceSelectionDialog.h"
#include "support/ScriptedUi.h"

namespace {

using hvx::AdvanceSelectionDialog;
using hvx::AdvanceSelectionController;
using Recnos = std::vector<double>;

Recnos Shown(const QTableWidget* list) {
    Recnos recnos;
    for (int r = 0; r < list->rowCount(); ++r)
        recnos.push_back(list->item(r, 4)->text().toDouble());
    return recnos;
}

int RowOf(const QTableWidget* list, double recno) {
    const Recnos recnos = Shown(list);
    const auto found = std::find(recnos.begin(), recnos.end(), recno);
    return found == recnos.end() ? -1 : static_cast<int>(found - recnos.begin());
}

class AdvanceSelectionDialogs : public hvxtest::DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        // C1 has three open advances (open 100.00, 80.00, 60.00) and a paid one; C2 one.
        hvxtest::Exec(
            "INSERT INTO HVXGR57 (CUSTREF,CUSTNAME,ADVDATE,AMOUNT,RAMOUNT,OPENPAID,"
            "ADVLINK,RECNO) VALUES "
            "('C1','Name C1','2024-03-01','100.00','0.00','O','A1',1),"
            "('C1','Name C1','2024-04-01','100.00','20.00','O','A2',2),"
            "('C1','Name C1','2024-02-01','60.00','0.00','O','A3',3),"
            "('C1','Name C1','2024-01-15','50.00','50.00','P','A4',4),"
            "('C2','Name C2','2024-01-01','500.00','0.00','O','A5',5)");
    }
    std::string message;
};
HVX_DATABASE_TEST_SUITE(AdvanceSelectionDialogs);

TEST_P(AdvanceSelectionDialogs, ButtonsReorderAndRefreshTheAmountLeftAndOkWaitsUntilCovered) {
    hvxtest::ScriptedUi ui;
    AdvanceSelectionController controller(ui, "C1", 200);
    ASSERT_TRUE(controller.Load(message)) << message;
    AdvanceSelectionDialog dialog;

    enum Action { Add, Remove, Up, Down, AllCustomers };
    const struct {
        Action action;
        double recno;  // the advance selected before the button is pressed
        const char* left;
        Recnos chosen, open;  // chosen in list order, open sorted
    } steps[] = {
        {Add, 3, "$140.00 left to apply.", {3}, {1, 2}},
        {Add, 1, "$40.00 left to apply.", {3, 1}, {2}},
        {Up, 3, "$40.00 left to apply.", {3, 1}, {2}},  // already first
        {Up, 1, "$40.00 left to apply.", {1, 3}, {2}},
        {Add, 2, "$0.00 left to apply.", {1, 3, 2}, {}},
        {Up, 2, "$0.00 left to apply.", {1, 2, 3}, {}},
        {Down, 1, "$0.00 left to apply.", {2, 1, 3}, {}},
        {Down, 3, "$0.00 left to apply.", {2, 1, 3}, {}},  // already last
        {Remove, 1, "$60.00 left to apply.", {2, 3}, {1}},
        {AllCustomers, 0, "$60.00 left to apply.", {2, 3}, {1, 5}},
        {Add, 5, "$0.00 left to apply.", {2, 3, 5}, {1}},
    };
    QStringList firstRow;
    bool stayedOpen = false;
    hvxtest::WhenModal<AdvanceSelectionDialog>([&](AdvanceSelectionDialog* d) {
        EXPECT_EQ(d->LeftToApplyLabel()->text().toStdString(), "$200.00 left to apply.");
        d->OkButton()->click();  // refused: nothing is applied yet
        stayedOpen = d->isVisible();
        for (int c = 0; c < d->OpenList()->columnCount(); ++c)
            firstRow << d->OpenList()->item(RowOf(d->OpenList(), 2), c)->text();
        for (size_t i = 0; i < std::size(steps); ++i) {
            const auto& s = steps[i];
            SCOPED_TRACE(i);
            QTableWidget* list = s.action == Add ? d->OpenList() : d->ChosenList();
            if (s.action != AllCustomers) list->setCurrentCell(RowOf(list, s.recno), 0);
            QAbstractButton* buttons[] = {d->AddButton(), d->RemoveButton(), d->MoveUpButton(),
                                          d->MoveDownButton(), d->AllCustomersSwitch()};
            buttons[s.action]->click();
            EXPECT_EQ(d->LeftToApplyLabel()->text().toStdString(), s.left);
            EXPECT_EQ(Shown(d->ChosenList()), s.chosen);
            Recnos open = Shown(d->OpenList());
            EXPECT_EQ((std::sort(open.begin(), open.end()), open), s.open);
            // A moved advance stays selected, so it can be moved again at once.
            EXPECT_TRUE((s.action != Up && s.action != Down) ||
                        d->ChosenList()->currentRow() == RowOf(d->ChosenList(), s.recno));
        }
        d->OkButton()->click();
    });
    ASSERT_TRUE(dialog.Run(controller));
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(firstRow.join("|"), "C1|Name C1|04/01/2024|80.00|2");
    EXPECT_EQ(controller.ChosenRecordNumbers(), (Recnos{2, 3, 5}));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].caption + ": " + ui.messages[0].text,
              "Harvexa: You must assign enough advances to use the entire amount of the advance "
              "payment.");
    EXPECT_EQ(ui.messages[0].icon, hvx::MsgIcon::Exclamation);

    hvxtest::WhenModal<AdvanceSelectionDialog>([](auto* d) { d->CancelButton()->click(); });
    EXPECT_FALSE(dialog.Run(controller)) << "Cancel ends the dialog rejected";
}

}  // namespace
