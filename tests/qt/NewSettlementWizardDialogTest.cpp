// The new-settlement wizard on screen, driven from the keyboard over the demo
// cooperative: Tab and Enter leave fields forward into their lists, Shift+Tab
// goes back without a lookup, Finish refuses a missing customer, and the
// mnemonics reach help and Cancel.
#include "QtTestSupport.h"
#include "data/demo/DemoSeed.h"
#include "qt/ui/LookupField.h"
#include "qt/ui/PickListDialog.h"
#include "qt/windows/wizard/NewSettlementWizardDialog.h"

namespace {

using hvx::NewSettlementWizardDialog;
using Field = hvx::NewSettlementWizard::Field;
using hvxtest::WhenModal;

class NewSettlementWizardDialogTest : public hvxtest::DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        std::string error;
        ASSERT_TRUE(hvx::demo::SeedDemoData(error)) << error;
    }
    // Presses the key in the focused widget while a pick list or message box
    // that it opens is answered with typed text and Enter; returns the box's text.
    template <class Modal>
    static QString Answered(QWidget* wizard, Qt::Key key, const QString& typed = {}) {
        QString text;
        WhenModal<Modal>([&](Modal* m) {
            QWidget* keys = m;
            if constexpr (std::is_same_v<Modal, QMessageBox>)
                text = m->windowTitle() + ": " + m->text();
            else
                QTest::keyClicks(keys = m->SearchLine(), typed);
            QTest::keyClick(keys, Qt::Key_Return);
        });
        QTest::keyClick(QApplication::focusWidget(), key);
        // Offscreen no window manager hands the activation back to the wizard.
        wizard->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(wizard));
        return text;
    }
};
HVX_DATABASE_TEST_SUITE(NewSettlementWizardDialogTest);

TEST_P(NewSettlementWizardDialogTest, ClerkStartsASetupSettlementFromTheKeyboard) {
    NewSettlementWizardDialog dialog(hvx::WizardMode::SourceType);
    QStringList seen;
    const auto where = [&](const char* step) {
        seen << QString("%1:%2:%3").arg(step, dialog.Heading()->text(),
                                        QApplication::focusWidget()->objectName());
    };
    WhenModal<NewSettlementWizardDialog>([&](NewSettlementWizardDialog* d) {
        ASSERT_TRUE(QTest::qWaitForWindowActive(d));
        EXPECT_EQ(QApplication::focusWidget(), d->List());
        QTest::keyClick(d->List(), Qt::Key_End);  // Setup
        QTest::keyClick(d->List(), Qt::Key_Tab);
        QTest::keyClicks(QApplication::focusWidget(), "/");
        Answered<hvx::PickListDialog>(d, Qt::Key_Tab, "SOY");
        QTest::keyClicks(QApplication::focusWidget(), "02");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        where("located");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        where("customer page");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);  // an empty name
        seen << Answered<QMessageBox>(d, Qt::Key_Return);
        where("refused");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);  // an empty reference
        QTest::keyClicks(QApplication::focusWidget(), "Patrick");
        Answered<hvx::PickListDialog>(d, Qt::Key_Tab);
        where("picked");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    ASSERT_EQ(dialog.Run(), 1);
    const auto& a = dialog.Answers();
    EXPECT_EQ(a.custRef + "|" + a.custName + "|" + a.kind + "|" + a.commodity + "|" + a.location,
              "OBRIEN|Patrick O'Brien|Setup|SOYBEANS|02");
    EXPECT_EQ(seen.join("\n").toStdString(),
              "located:Select the commodity and location for this settlement.:next\n"
              "customer page:Select the customer for the settlement.:Customer Name\n"
              "Harvexa: A valid customer is required.\n"
              "refused:Select the customer for the settlement.:Customer Name\n"
              "picked:Select the customer for the settlement.:next");
}

TEST_P(NewSettlementWizardDialogTest, MnemonicsShowHelpAndCancel) {
    NewSettlementWizardDialog dialog(hvx::WizardMode::DestinationType);
    QString help;
    WhenModal<NewSettlementWizardDialog>([&](NewSettlementWizardDialog* d) {
        ASSERT_TRUE(QTest::qWaitForWindowActive(d));
        EXPECT_EQ(d->List()->count(), 11);
        WhenModal<QMessageBox>([&](QMessageBox* box) {
            help = box->text();
            QTest::keyClick(box, Qt::Key_Return);
        });
        QTest::keyClick(d, Qt::Key_H, Qt::AltModifier);
        QTRY_COMPARE(help, QString("Help topic is currently unavailable."));
        d->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(d));
        QTest::keyClick(d, Qt::Key_C, Qt::AltModifier);
    });
    EXPECT_EQ(dialog.Run(), 0);
}

}  // namespace
