// The new-settlement wizard on screen, driven from the keyboard over the demo
// cooperative, as a clerk starts a settlement.
#include "QtTestSupport.h"
#include "data/demo/DemoSeed.h"
#include "qt/ui/PickListDialog.h"
#include "qt/windows/wizard/NewSettlementWizardDialog.h"

namespace {

using hvx::NewSettlementWizardDialog;
using hvxtest::WhenModal;

class NewSettlementWizardDialogTest : public hvxtest::DatabaseTest {};
HVX_DATABASE_TEST_SUITE(NewSettlementWizardDialogTest);

QWidget* Focus() {
    return QApplication::focusWidget();
}

// Presses the key while the pick list or message box it opens is answered
// (typed text, Enter); offscreen no window manager activates the wizard again.
// Returns the box's text and the field that has the focus then.
template <class Modal>
QString Answered(QWidget* wizard, Qt::Key key, const QString& typed = {},
                 Qt::KeyboardModifiers modifiers = {}) {
    QString text;
    bool answered = false;
    WhenModal<Modal>([&](Modal* m) {
        answered = true;
        QWidget* keys = m;
        if constexpr (std::is_same_v<Modal, QMessageBox>)
            text = m->windowTitle() + ": " + m->text();
        else
            QTest::keyClicks(keys = m->SearchLine(), typed);
        QTest::keyClick(keys, Qt::Key_Return);
    });
    QTest::keyClick(Focus(), key, modifiers);
    EXPECT_TRUE(QTest::qWaitFor([&] { return answered; }));  // a mnemonic clicks later
    wizard->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(wizard));
    return text + " " + Focus()->objectName();
}

TEST_P(NewSettlementWizardDialogTest, ClerkStartsASetupSettlementFromTheKeyboard) {
    std::string error;
    ASSERT_TRUE(hvx::demo::SeedDemoData(error)) << error;
    QStringList seen;
    NewSettlementWizardDialog help(hvx::WizardMode::DestinationType);
    WhenModal<NewSettlementWizardDialog>([&](NewSettlementWizardDialog* d) {
        ASSERT_TRUE(QTest::qWaitForWindowActive(d));
        seen << Answered<QMessageBox>(d, Qt::Key_H, {}, Qt::AltModifier);
        QTest::keyClick(d, Qt::Key_C, Qt::AltModifier);
    });
    EXPECT_EQ(help.Run(), 0);

    NewSettlementWizardDialog dialog(hvx::WizardMode::SourceType);
    WhenModal<NewSettlementWizardDialog>([&](NewSettlementWizardDialog* d) {
        ASSERT_TRUE(QTest::qWaitForWindowActive(d));
        QTest::keyClick(d->List(), Qt::Key_End);  // Setup
        QTest::keyClick(d->List(), Qt::Key_Tab);
        QTest::keyClicks(Focus(), "/");
        Answered<hvx::PickListDialog>(d, Qt::Key_Tab, "SOY");
        QTest::keyClicks(Focus(), "02");
        QTest::keyClick(Focus(), Qt::Key_Return);  // on file: on to Next
        QTest::keyClick(Focus(), Qt::Key_Return);
        seen << d->Heading()->text() + " " + Focus()->objectName();
        QTest::keyClick(Focus(), Qt::Key_Return);  // an empty name
        seen << Answered<QMessageBox>(d, Qt::Key_Return);
        QTest::keyClick(Focus(), Qt::Key_Backtab, Qt::ShiftModifier);
        QTest::keyClick(Focus(), Qt::Key_Tab);  // an empty reference
        QTest::keyClicks(Focus(), "Patrick");
        Answered<hvx::PickListDialog>(d, Qt::Key_Tab);
        QTest::keyClick(Focus(), Qt::Key_Return);
    });
    ASSERT_EQ(dialog.Run(), 1);
    const auto& a = dialog.Answers();
    EXPECT_EQ(a.custRef + "|" + a.custName + "|" + a.kind + "|" + a.commodity + "|" + a.location,
              "OBRIEN|Patrick O'Brien|Setup|SOYBEANS|02");
    EXPECT_EQ(seen.join("\n").toStdString(),
              "Harvexa: Help topic is currently unavailable. kinds\n"
              "Select the customer for the settlement. Customer Name\n"
              "Harvexa: A valid customer is required. Customer Name");
}

}  // namespace
