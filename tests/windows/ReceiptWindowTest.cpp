// The "Collateral Warehouse Receipts" window over the demo cooperative: the
// accept checks in their order, a reference already on file, browsing,
// settling and deleting with the window's questions and beeps.
#include <gtest/gtest.h>

#include <map>

#include "data/demo/DemoSeed.h"
#include "support/FakeHost.h"
#include "support/ScriptedUi.h"
#include "support/TestDatabase.h"
#include "windows/receipts/ReceiptWindow.h"

namespace {

using hvx::MsgAnswer;
using hvx::receiptwin::ReceiptWindow;
using hvxtest::Rows;
using Texts = std::vector<std::string>;

class ReceiptWindowTest : public hvxtest::DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        std::string error;
        ASSERT_TRUE(hvx::demo::SeedDemoData(error)) << error;
    }
    void Type(const char* ref, const char* units) {
        w.New();
        auto& f = w.Form();
        f.cwrRef = ref, f.issueDate = "3/1/26", f.vendor = "HAULRITE", f.commodity = "CORN";
        f.location = "01", f.units = units;
        w.IssueDateLeft(), w.UnitsLeft(), w.MarkChanged();
    }
    std::string Shown() const {
        const auto& m = ui.messages.back();
        return m.caption + "|" + m.text + "|" + std::to_string(static_cast<int>(m.icon));
    }
    hvxtest::FakeHost host;
    hvxtest::ScriptedUi ui;
    ReceiptWindow w{ui, host.MainWindow()};
};
HVX_DATABASE_TEST_SUITE(ReceiptWindowTest);

TEST_P(ReceiptWindowTest, AcceptChecksRunInOrderAndEmptyTheirField) {
    Type("R1", "500");
    ASSERT_TRUE(w.Accept());
    const struct {
        void (*edit)(hvx::receipts::WarehouseReceipt&);
        std::string shown, focus;  // only the duplicate's warning keeps its field
    } cases[] = {
        {[](auto& f) { f.cwrRef = "  "; },
         "Error|Collateral Warehouse Receipts reference is required.|4", "CWRREF"},
        {[](auto& f) { f.cwrRef = "R1", f.vendor = "", f.location = "99"; },
         "Harvexa|Duplicate CWR reference.|0", "CWRREF"},
        {[](auto& f) { f.vendor = ""; }, "Error|Vendor reference is required.|4", "VENREF"},
        {[](auto& f) { f.vendor = "NOBODY"; }, "Error|Invalid Vendor Reference.|4", "VENREF"},
        {[](auto& f) { f.commodity = "RICE"; }, "Error|Invalid Commodity Reference.|4",
         "COMMODITY"},
        {[](auto& f) { f.location = ""; }, "Error|Location reference is required.|4", "LOCATION"},
        {[](auto& f) { f.location = "99"; }, "Error|Invalid Location.|4", "LOCATION"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        Type("R2", "10");
        c.edit(w.Form());
        EXPECT_FALSE(w.Accept());
        EXPECT_EQ(Shown(), c.shown);
        EXPECT_EQ(ui.focus.back(), c.focus);
        const auto& f = w.Form();
        const std::map<std::string, std::string> left{{"CWRREF", f.cwrRef},
                                                      {"VENREF", f.vendor},
                                                      {"COMMODITY", f.commodity},
                                                      {"LOCATION", f.location}};
        EXPECT_EQ(left.at(c.focus).empty(), c.shown[0] == 'E');
    }
    EXPECT_EQ(Rows("SELECT CWRREF FROM HVXGR08"), Texts{"R1"});
}

TEST_P(ReceiptWindowTest, LeavingFields) {
    Type("R1", "500");
    EXPECT_EQ(w.Form().issueDate, "03/01/2026");
    EXPECT_EQ(w.Form().units, "500.0000");  // the commodity's 4 decimals
    w.Form().commodity = "RICE", w.Form().units = "7.125";
    ui.picks.push_back({0, ""});  // an unknown commodity opens its list: cancelled
    EXPECT_FALSE(w.CommodityLeft());
    w.UnitsLeft();
    EXPECT_EQ(w.Form().units, "7.13");
    EXPECT_EQ(ui.pickLists, Texts{"SELECT REFERENCE,NAME,STR(RECNO) FROM HVXGR51"});
    EXPECT_TRUE(w.LocationLeft());
    EXPECT_EQ(w.Descriptions().location, "Prairie City Main Elevator");
}

TEST_P(ReceiptWindowTest, AReferenceOnFileIsShownOrRefused) {
    Type("R1", "500");
    ASSERT_TRUE(w.Accept());
    Type("R2", "20");
    ASSERT_TRUE(w.Accept());
    Type("R1", "1");
    EXPECT_TRUE(w.ReferenceLeft());  // a new receipt: R1 is shown instead
    EXPECT_EQ(w.Form().units, "500.0000");
    EXPECT_EQ(ui.focus.back(), "Accept");
    w.Form().cwrRef = "R2";
    EXPECT_FALSE(w.ReferenceLeft());
    EXPECT_EQ(Shown(), "Harvexa|Warehouse receipt reference is already in use.|0");
}

TEST_P(ReceiptWindowTest, BrowseSettleAndDelete) {
    Type("B", "500");
    ASSERT_TRUE(w.Accept());
    Type("A", "20");
    ASSERT_TRUE(w.Accept());
    ASSERT_TRUE(w.Next());  // from a new receipt to the first
    EXPECT_EQ(w.Form().cwrRef, "A");
    EXPECT_FALSE(w.Previous());
    EXPECT_EQ(ui.beeps, 1);
    w.Form().settleDate = "4/1/26", w.SettleDateLeft(), w.MarkChanged();
    ui.answers = {MsgAnswer::Cancel, MsgAnswer::Yes};
    EXPECT_FALSE(w.Next());  // cancelled: still on A, unsaved
    EXPECT_TRUE(w.Changed());
    ASSERT_TRUE(w.Next());  // saved, then on to B
    EXPECT_EQ(w.Form().cwrRef, "B");
    EXPECT_EQ(Rows("SELECT OPENCLOSE FROM HVXGR08 ORDER BY CWRREF"), (Texts{"C", "O"}));
    w.Comments();
    EXPECT_EQ(ui.comments, Texts{"HVXGR08C:" + w.Form().cwrLink});

    ui.answers = {MsgAnswer::Yes, MsgAnswer::Yes};
    ASSERT_TRUE(w.Delete());  // B, the last: on to A
    EXPECT_EQ(Shown(), "Delete Item?|Item Will Be Deleted! Do You Wish To Continue? |1");
    EXPECT_EQ(w.Form().cwrRef, "A");
    ASSERT_TRUE(w.Delete());  // the only receipt: beep and an empty window
    EXPECT_EQ(ui.beeps, 2);
    EXPECT_EQ(w.Form().recno, 0);
    EXPECT_EQ(Rows("SELECT COUNT(*) FROM HVXGR08"), Texts{"0"});
    // Issued A and B, settled A, B's issue taken back when deleted.
    EXPECT_EQ(Rows("SELECT NETUNITS FROM HVXGR29 WHERE PROGRAM LIKE 'CWR%' ORDER BY RECNO"),
              (Texts{"500.0000", "20.0000", "20.0000", "-500.0000"}));
}

}  // namespace
