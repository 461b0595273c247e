// The "Collateral Warehouse Receipts" window driven with the keyboard over
// the demo cooperative on every engine: a receipt issued, found again with
// "Ne&xt", settled and deleted.
#include "QtTestSupport.h"
#include "data/demo/DemoSeed.h"
#include "qt/windows/receipts/WarehouseReceiptView.h"
#include "support/FakeHost.h"

namespace {

using hvx::WarehouseReceiptView;
using hvxtest::Rows;
using Texts = std::vector<std::string>;

// Keys into the focused field, then Tab out of it.
void Type(const QString& text) {
    QWidget* field = QApplication::focusWidget();
    ASSERT_NE(field, nullptr);
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Tab);
}

// The window on screen and active over the demo cooperative.
class WarehouseReceiptViewTest : public hvxtest::DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        std::string error;
        ASSERT_TRUE(hvx::demo::SeedDemoData(error)) << error;
        view.resize(660, 300);  // the size of its document frame
        view.show();
        view.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
    }
    void Alt(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key, Qt::AltModifier); }
    QString Shown(const char* name) const { return view.Field(name)->text(); }
    hvxtest::FakeHost host;
    WarehouseReceiptView view;
};
HVX_DATABASE_TEST_SUITE(WarehouseReceiptViewTest);

TEST_P(WarehouseReceiptViewTest, AReceiptIsIssuedSettledAndDeleted) {
    Alt(Qt::Key_E), Type("CWR-1");
    Type("3/1/26"), Type("HAULRITE"), Type("CORN"), Type("01"), Type("1250");
    EXPECT_EQ(Shown("ISSUDATE") + " " + Shown("UNITS"), "03/01/2026 1250.0000");
    EXPECT_EQ(view.findChild<QLabel*>("Commodity Name")->text(), "Yellow Corn No. 2");
    // A button's Alt key clicks it a moment later, as a click shows.
    Alt(Qt::Key_A);  // stored, and the window is ready for the next
    ASSERT_TRUE(QTest::qWaitFor([&] { return Shown("CWRREF").isEmpty(); }));
    EXPECT_EQ(QApplication::focusWidget(), view.Field("CWRREF"));

    Alt(Qt::Key_X);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Shown("CWRREF") == "CWR-1"; }));
    EXPECT_EQ(view.findChild<QLabel*>("Vendor Desription")->text(), "Haul-Rite Trucking Inc.");
    Alt(Qt::Key_S), Type("4/1/26");
    Alt(Qt::Key_A);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !view.Controller().Changed(); }));
    EXPECT_EQ(Rows("SELECT CWRREF,UNITS,OPENCLOSE,NUMCHANGE FROM HVXGR08"),
              Texts{"CWR-1\t1250.0000\tC\t1"});

    hvxtest::WhenModal<QMessageBox>([](QMessageBox* box) {
        EXPECT_EQ(box->text(), "Item Will Be Deleted! Do You Wish To Continue? ");
        box->button(QMessageBox::Yes)->click();
    });
    Alt(Qt::Key_D);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Shown("CWRREF").isEmpty(); }));
    EXPECT_FALSE(view.Button("Delete")->isEnabled());
    EXPECT_EQ(Rows("SELECT COUNT(*) FROM HVXGR08"), Texts{"0"});
}

}  // namespace
