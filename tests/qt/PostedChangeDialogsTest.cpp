// The change dialogs of a posted settlement driven from the keyboard: they open on the current
// terms, Tab walks the fields in order (completing a date left), Return gives back what was typed.
#include "QtTestSupport.h"
#include "qt/windows/posted/PostedChangeDialogsQt.h"

namespace {

using hvx::PostedTermsDialog;

TEST(PostedChangeDialogs, ReturnGivesBackWhatWasTypedAndEscapeNothing) {
    QWidget window;
    hvx::PostedChangeDialogsQt dialogs(&window);
    hvx::posted::StorageChange storage{"03/01/2026", "45.00", "", "0.0016"};
    hvxtest::WhenModal<PostedTermsDialog>([&](PostedTermsDialog* d) {
        ASSERT_TRUE(QTest::qWaitForWindowActive(d));
        QTest::keyClick(d->Edit(0), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(d->Edit(0), "4/1/26");
        for (const char* next : {"prepaid", "storageField", "ratePerDay", "ok", "cancel"}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            EXPECT_EQ(QApplication::focusWidget()->objectName(), next);
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::AltModifier);
        QTest::keyClicks(QApplication::focusWidget(), "Bin 7");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    ASSERT_TRUE(dialogs.EditStorage(storage));
    EXPECT_EQ(storage.paidThrough + "|" + storage.prepaid + "|" + storage.storageField + "|" +
                  storage.ratePerDay,
              "04/01/2026|45.00|Bin 7|0.0016");

    hvx::posted::CheckNumberChange check{"1001"};
    hvxtest::WhenModal<PostedTermsDialog>([&](PostedTermsDialog* d) {
        QTest::keyClicks(d->Edit(0), "9");
        QTest::keyClick(d->Edit(0), Qt::Key_Escape);
    });
    EXPECT_FALSE(dialogs.EditCheckNumber(check));
    EXPECT_EQ(check.checkNumber, "1001");
}

}  // namespace
