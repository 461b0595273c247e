// The "Direct Shipments" window driven with the keyboard over the demo
// cooperative on every engine: a batch of two corn loads on one sales
// contract entered and finished, and no Alt key with two targets.
#include "QtTestSupport.h"
#include "data/demo/DemoSeed.h"
#include "qt/windows/shipments/DirectShipmentView.h"
#include "qt/ui/PickListDialog.h"
#include "qt/windows/shipments/ShipmentLinesDialog.h"
#include "support/FakeHost.h"

namespace {

using hvx::DirectShipmentView;
using hvxtest::Rows;
using Texts = std::vector<std::string>;

class DirectShipmentViewTest : public hvxtest::DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        std::string error;
        ASSERT_TRUE(hvx::demo::SeedDemoData(error)) << error;
        view.show();
        view.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
        view.Open();
    }
    // Keys into the focused field, then Tab out of it.
    static void Type(const QString& text) {
        QWidget* field = QApplication::focusWidget();
        ASSERT_NE(field, nullptr);
        QTest::keyClicks(field, text);
        QTest::keyClick(field, Qt::Key_Tab);
    }
    // A field without an Alt key: the focus put there as a click would.
    void TypeInto(const char* name, const QString& text) {
        view.Field(name)->setFocus();
        QTest::keyClick(view.Field(name), Qt::Key_A, Qt::ControlModifier);  // over what is there
        Type(text);
    }
    void Alt(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key, Qt::AltModifier); }
    hvxtest::FakeHost host;
    DirectShipmentView view;
};
HVX_DATABASE_TEST_SUITE(DirectShipmentViewTest);

TEST_P(DirectShipmentViewTest, AClerkEntersTwoLoadsAndFinishesTheBatch) {
    Alt(Qt::Key_T), Type("03/07/2026");
    Alt(Qt::Key_Y), Type("CORN");  // Tab leaves for the location
    Type("01");
    EXPECT_EQ(view.findChild<QLabel*>("SettlementNumber")->text(), "Settlement #: Auto");
    TypeInto("Customer", "ANDERSON");
    auto* toDpr = view.findChild<QComboBox*>("ToDpr");
    toDpr->setFocus();
    QTest::keyClicks(toDpr, "Priced");
    ASSERT_EQ(toDpr->currentText(), "Priced");

    Alt(Qt::Key_S);  // "Shipment #" keeps "Auto"
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    Type("CIE-NEVADA");
    Type("SC-26-101");
    Alt(Qt::Key_E), Type("03/06/2026");
    TypeInto("GrossWt", "50000");
    Type("2");  // dockage
    EXPECT_EQ(view.Field("NetUnits")->text(), "875.00");
    EXPECT_EQ(view.Field("SalePrice")->text(), "4.4500");
    TypeInto("PurchasePrice", "4.10");
    hvxtest::WhenModal<hvx::ShipmentLinesDialog>([](hvx::ShipmentLinesDialog* d) {
        ASSERT_TRUE(QTest::qWaitForWindowActive(d));
        QTest::keyClicks(d->Reference(), "MOISTURE");
        QTest::keyClicks(d->Value(), "15.5");
        const auto button = [d](const char* caption) {
            for (auto* b : d->findChildren<QPushButton*>())
                if (b->text() == caption) return b;
            return static_cast<QPushButton*>(nullptr);
        };
        QTest::mouseClick(button("&Accept"), Qt::LeftButton);
        EXPECT_EQ(d->Lines()->rowCount(), 1);
        QTest::mouseClick(button("&Ok"), Qt::LeftButton);
    });
    Alt(Qt::Key_G);
    ASSERT_TRUE(QTest::qWaitFor([&] { return view.Controller().Load().gradeFactors.size() == 1; }));
    view.activateWindow();  // offscreen, the window is not made active again by itself
    ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
    Alt(Qt::Key_D);
    ASSERT_TRUE(QTest::qWaitFor([&] { return view.Loads()->model()->rowCount() == 1; }));

    auto* from = view.findChild<QComboBox*>("ShipmentFrom");
    from->setFocus();
    QTest::keyClick(from, Qt::Key_Down);
    ASSERT_EQ(from->currentText(), "Priced Later");
    TypeInto("Contract", "SC-26-101");
    Alt(Qt::Key_U), Type("500");
    EXPECT_EQ(view.Field("NetUnits")->text(), "500*");
    TypeInto("PurchasePrice", "4.00");
    Alt(Qt::Key_D);
    ASSERT_TRUE(QTest::qWaitFor([&] { return view.Loads()->model()->rowCount() == 2; }));
    EXPECT_EQ(view.findChild<QLabel*>("SettlementAmounts")->text(),
              "Gross: 5587.50   Net: 5587.50");

    hvxtest::WhenModal<QMessageBox>([](QMessageBox* box) {
        EXPECT_EQ(box->text(), "Would you like to enter the comments?");
        box->button(QMessageBox::No)->click();
    });
    Alt(Qt::Key_F);
    // The focus the window keeps for when it is active again.
    ASSERT_TRUE(QTest::qWaitFor([&] { return view.focusWidget() == view.Button("Print"); }));
    EXPECT_NE(view.findChild<QLabel*>("SettlementNumber")->text(), "Settlement #: Auto");
    EXPECT_EQ(Rows("SELECT REFERENCE,FROMDPR,ESTUNITS FROM HVXGR07 ORDER BY 1"),
              (Texts{"1\tCompany Owned\t875.00", "2\tPriced Later\t500"}));
    EXPECT_EQ(Rows("SELECT QTYRECV,OCQTY FROM HVXGR05 WHERE CONTRACT='SC-26-101'"),
              Texts{"875.0000\t500.0000"});
    EXPECT_EQ(view.Loads()->model()->index(0, 0).data().toString(), "1");
    EXPECT_EQ(Rows("SELECT GRADFACT,RESULT FROM HVXGR07G"), Texts{"MOISTURE\t15.5"});
    EXPECT_FALSE(view.Button("RemoveLoad")->isEnabled());
    EXPECT_TRUE(view.Button("Comments")->isEnabled());

    // Shipment 1 revised: picked from the stored shipments, 6000 lb more.
    hvxtest::WhenModal<hvx::PickListDialog>([](hvx::PickListDialog* d) {
        QTest::keyClicks(d->SearchLine(), "1");
        QTest::keyClick(d->SearchLine(), Qt::Key_Return);
    });
    view.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
    Alt(Qt::Key_V);
    ASSERT_TRUE(QTest::qWaitFor([&] { return view.Controller().Revising(); }));
    view.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
    EXPECT_FALSE(view.findChild<QGroupBox*>("PurchaseSettlement")->isEnabled());
    TypeInto("GrossWt", "56000");
    EXPECT_EQ(view.Field("NetUnits")->text(), "980.00");
    Alt(Qt::Key_D);
    Alt(Qt::Key_F);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !view.Controller().Changed(); }));
    EXPECT_EQ(Rows("SELECT QTYRECV,OCQTY FROM HVXGR05 WHERE CONTRACT='SC-26-101'"),
              Texts{"980.0000\t500.0000"});
}

// Every Alt key of the window names one caption.
TEST_P(DirectShipmentViewTest, NoTwoCaptionsShareAnAltKey) {
    QMap<QChar, QString> used;
    for (QWidget* w : view.findChildren<QWidget*>()) {
        QString caption;
        if (auto* b = qobject_cast<QAbstractButton*>(w)) caption = b->text();
        if (auto* l = qobject_cast<QLabel*>(w)) caption = l->text();
        const qsizetype amp = caption.indexOf('&');
        if (amp < 0 || amp + 1 >= caption.size()) continue;
        const QChar letter = caption[amp + 1].toLower();
        EXPECT_FALSE(used.contains(letter))
            << caption.toStdString() << " and " << used[letter].toStdString();
        used[letter] = caption;
    }
    EXPECT_GE(used.size(), 20);
}

}  // namespace
