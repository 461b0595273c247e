// The change dialogs of a posted settlement driven from the keyboard: they open on the current
// terms, Tab walks the fields in order, what was typed comes back on Return, Escape gives nothing.
#include "QtTestSupport.h"
#include "qt/windows/posted/PostedChangeDialogsQt.h"

namespace {

using hvx::PostedTermsDialog;

TEST(PostedChangeDialogs, ReturnGivesBackWhatWasTypedAndEscapeNothing) {
    QWidget window;
    hvx::PostedChangeDialogsQt dialogs(&window);
    hvx::posted::StorageChange storage{"03/01/2026", "45.00", "", "0.0016"};
    QStringList tabs;
    hvxtest::WhenModal<PostedTermsDialog>([&](PostedTermsDialog* d) {
        ASSERT_TRUE(QTest::qWaitForWindowActive(d));
        EXPECT_EQ(d->windowTitle(), "Change Storage Terms");
        ASSERT_EQ(QApplication::focusWidget(), d->Edit(0));
        QTest::keyClick(d->Edit(0), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(d->Edit(0), "4/1/26");
        for (int i = 0; i < 5; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            tabs << QApplication::focusWidget()->objectName();
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::AltModifier);
        QTest::keyClicks(QApplication::focusWidget(), "Bin 7");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    ASSERT_TRUE(dialogs.EditStorage(storage));
    EXPECT_EQ(tabs.join(" "), "prepaid storageField ratePerDay ok cancel");
    // Leaving the date field completed it.
    EXPECT_EQ(storage.paidThrough + "|" + storage.prepaid + "|" + storage.storageField + "|" +
                  storage.ratePerDay,
              "04/01/2026|45.00|Bin 7|0.0016");

    hvx::posted::InstallmentChange interest{"03/24/2026", "6.75", "09/24/2026"};
    hvxtest::WhenModal<PostedTermsDialog>([&](PostedTermsDialog* d) {
        ASSERT_TRUE(QTest::qWaitForWindowActive(d));
        QTest::keyClicks(d->Edit(0), "9");
        QTest::keyClick(d->Edit(0), Qt::Key_Escape);
    });
    EXPECT_FALSE(dialogs.EditInstallment(interest));
    EXPECT_EQ(interest.interestDate, "03/24/2026");

    // The check number holds no more than its column.
    hvx::posted::CheckNumberChange check{"1001"};
    hvxtest::WhenModal<PostedTermsDialog>([&](PostedTermsDialog* d) {
        ASSERT_TRUE(QTest::qWaitForWindowActive(d));
        QTest::keyClick(d->Edit(0), Qt::Key_C, Qt::AltModifier);
        QTest::keyClick(d->Edit(0), Qt::Key_End);
        QTest::keyClicks(d->Edit(0), "2233445566778899001122");
        QTest::keyClick(d->Edit(0), Qt::Key_Return);
    });
    ASSERT_TRUE(dialogs.EditCheckNumber(check));
    EXPECT_EQ(check.checkNumber, "1001223344556677889");
}

}  // namespace
