// The pay-name editor driven from the keyboard over a demo settlement's pay names:
// what the clerk changes is what the settlement stores.
#include "QtTestSupport.h"
#include "data/demo/DemoSeed.h"
#include "platform/HVXConnection.h"
#include "platform/HVXSConnection.h"
#include "qt/windows/paynames/PayNameDialog.h"
#include "settlement/SettlementPayNameList.h"

namespace {

using hvx::PayNameDialog;
using Texts = std::vector<std::string>;

class PayNameDialogs : public hvxtest::DatabaseTest {};
HVX_DATABASE_TEST_SUITE(PayNameDialogs);

TEST_P(PayNameDialogs, KeyboardAddsChangesAndDeletesNamesThatTheSettlementStores) {
    std::string message;
    ASSERT_TRUE(hvx::demo::SeedDemoData(message)) << message;
    const std::string setLink = hvxtest::Column(
        "SELECT SETLINK FROM HVXGR04E WHERE PAYNAME='Farm Credit Services of the Plains'")[0];
    hvx::settlement::SettlementPayNameList names;
    HVXSConnection simple(1, nullptr, 0);
    ASSERT_TRUE(names.Load(simple, setLink, message)) << message;
    PayNameDialog dialog;
    hvx::PayNameEditor editor(dialog.Ui(), names);
    QStringList tabs;
    hvxtest::WhenModal<PayNameDialog>([&](PayNameDialog* d) {
        ASSERT_TRUE(QTest::qWaitForWindowActive(d));
        EXPECT_EQ(QApplication::focusWidget(), d->NameField());
        QTest::keyClicks(d->NameField(), "Bellport Savings & Loan");
        QTest::keyClick(d->NameField(), Qt::Key_M, Qt::AltModifier);
        EXPECT_TRUE(QTest::qWaitFor([&] { return d->MortgageeSwitch()->isChecked(); }, 1000));
        QTest::keyClick(d->MortgageeSwitch(), Qt::Key_Return);  // accepts the name
        EXPECT_TRUE(QApplication::focusWidget() == d->NameField() && d->NameField()->text() == "");
        for (int i = 0; i < 7; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            tabs << QApplication::focusWidget()->objectName();
        }
        // The first name gets a new text; the lien holder goes.
        QTest::keyClick(d->List(), Qt::Key_Home);
        QTest::keyClick(d->List(), Qt::Key_N, Qt::AltModifier);
        EXPECT_EQ(QApplication::focusWidget(), d->NameField());
        QTest::keyClick(d->NameField(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(d->NameField(), "Jan Kowalski");
        QTest::keyClick(d->NameField(), Qt::Key_Return);
        QTest::keyClick(d->NameField(), Qt::Key_T, Qt::AltModifier);
        QTest::keyClick(d->List(), Qt::Key_Home);
        QTest::keyClick(d->List(), Qt::Key_Down);
        QTest::keyClick(d->List(), Qt::Key_D, Qt::AltModifier);
        EXPECT_TRUE(QTest::qWaitFor([&] { return d->List()->rowCount() == 2; }, 1000));
        QTest::keyClick(d->List(), Qt::Key_O, Qt::AltModifier);
    });
    ASSERT_TRUE(dialog.Run(editor));
    EXPECT_EQ(tabs.join(" "), "mortgagee accept new delete up down PayNameList");

    HVXConnection prepared(1);
    ASSERT_TRUE(names.Write(prepared, "S", setLink, message)) << message;
    ASSERT_TRUE(names.Load(simple, setLink, message)) << message;
    EXPECT_EQ(names.ListRows(),
              (Texts{"Jan Kowalski\tPayee", "Bellport Savings & Loan\tMortgagee"}));
}

}  // namespace
