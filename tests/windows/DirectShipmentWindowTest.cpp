// The "Direct Shipments" window over the demo cooperative: two loads of corn
// on one sales contract entered and finished, the refusals of "A&dd Load" in
// their words and fields, a finish the contract lock stops, removing and
// closing.
#include <gtest/gtest.h>

#include "data/demo/DemoSeed.h"
#include "support/FakeHost.h"
#include "support/ScriptedUi.h"
#include "support/TestDatabase.h"
#include "windows/shipments/DirectShipmentWindow.h"
#include "windows/shipments/ShipmentLoadsGrid.h"

namespace {

using hvx::MsgAnswer;
using hvx::MsgIcon;
using hvx::shipwin::DirectShipmentWindow;
using hvx::shipwin::GridCell;
using hvxtest::Rows;
using Texts = std::vector<std::string>;

class DirectShipments : public hvxtest::DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        std::string error;
        ASSERT_TRUE(hvx::demo::SeedDemoData(error)) << error;
        w.Open();
        w.Batch().header = {"03/07/2026", "CORN", "01"};
        ASSERT_TRUE(w.CommodityLeft());
        w.Settlement().custRef = "ANDERSON", w.Settlement().custName = "Anderson Family Farms";
        w.Settlement().destination = "Priced";
    }
    // A company-owned load of 50000 lb at 2% dockage on SC-26-101, picked
    // from the contract list.
    void FillOwnedLoad() {
        ui.picks.push_back({std::stod(hvxtest::Column(
                                "SELECT RECNO FROM HVXGR05 WHERE CONTRACT='SC-26-101'")[0]),
                            ""});
        w.SearchContract();
        w.Load().figures.grossWt = "50000", w.Load().figures.dockage = "2";
        w.Load().weighDate = "03/06/2026", w.Load().purchasePrice = "4.10";
        w.FiguresChanged();
    }
    hvxtest::FakeHost host;
    hvxtest::ScriptedUi ui;
    DirectShipmentWindow w{ui, host.MainWindow()};
};
HVX_DATABASE_TEST_SUITE(DirectShipments);

TEST_P(DirectShipments, TwoLoadsFinishedAreStoredWithTheirSettlement) {
    EXPECT_EQ(w.PoundsPerUnitText(), "Lbs / Unit : 56.00");
    EXPECT_EQ(w.UnitOfMeasureText(), "U/M: BU");
    FillOwnedLoad();
    const auto& f = w.Load().figures;
    EXPECT_EQ(Texts({f.dockWt, f.netWt, f.netUnits, f.salePrice, f.grossAmt}),
              Texts({"1000.00", "49000.00", "875.00", "4.4500", "3893.75"}));
    EXPECT_EQ(w.Load().soldToRef, "CIETHANOL");
    ASSERT_TRUE(w.AddLoad());
    w.Load().fromDpr = "Priced Later", w.Load().contract = "SC-26-101";
    w.Load().figures.netUnits = "500*", w.Load().purchasePrice = "4.00";
    ASSERT_TRUE(w.AddLoad());
    ASSERT_EQ(w.Batch().Loads().size(), 2u);
    EXPECT_EQ(GridCell(w.Batch().Loads()[0], 0), "Auto");
    EXPECT_EQ(GridCell(w.Batch().Loads()[1], 26), "Priced Later");
    EXPECT_EQ(w.SettlementNumber(), "Auto");
    std::size_t payNames = 0;  // the customer's defaults, entered with the first priced load
    w.SetPayNamesDialog([&](hvx::settlement::SettlementPayNameList& list) {
        payNames = list.Count();
        return false;
    });
    w.PayNames();
    EXPECT_GE(payNames, 1u);
    hvx::shipments::PurchaseDeduction checkoff;
    checkoff.reference = "CORNCHK";
    ASSERT_TRUE(w.FillDeduction(checkoff));  // 0.01 a unit of 1375 units
    ASSERT_TRUE(w.AcceptDeduction(checkoff));
    EXPECT_EQ(w.SettlementNet(), "5573.75");  // 3587.50 + 2000.00 - 13.75

    ui.answers = {MsgAnswer::Yes};  // "Would you like to enter the comments?"
    ASSERT_TRUE(w.Finish());
    ASSERT_EQ(ui.messages.size(), 1u) << ui.messages[0].text;
    EXPECT_EQ(ui.messages[0].text, "Would you like to enter the comments?");
    EXPECT_EQ(ui.messages[0].caption, "Comments");
    EXPECT_EQ(Rows("SELECT REFERENCE,CONTRACT,ESTUNITS,STATUS,CUSTREF FROM HVXGR07 ORDER BY 1"),
              (Texts{"1\tSC-26-101\t875.00\tS\tCIETHANOL", "2\tSC-26-101\t500\tO\t"}));
    EXPECT_EQ(Rows("SELECT QTYRECV,OCQTY FROM HVXGR05 WHERE CONTRACT='SC-26-101'"),
              Texts{"875.0000\t500.0000"});
    EXPECT_EQ(Rows("SELECT SOURCE,UNITSSET,PRICEUNIT,TOTPRICE FROM HVXGR04D WHERE SETLINK='" +
                   w.Set().header.setLink + "' ORDER BY RECNO"),
              (Texts{"Direct In\t875.0000\t4.1000\t3587.50", "Direct In\t500.0000\t4.0000\t2000.00"}));
    EXPECT_NE(w.SettlementNumber(), "Auto");
    EXPECT_EQ(Rows("SELECT DEDUCT,AMOUNT,DA FROM HVXGR04C WHERE SETLINK='" +
                   w.Set().header.setLink + "'"),
              Texts{"CORNCHK\t13.75\tD"});
    EXPECT_EQ(Rows("SELECT SETTLEMENT FROM HVXGR04 WHERE SETLINK='" + w.Set().header.setLink + "'"),
              Texts{w.SettlementNumber()});
    ASSERT_EQ(host.broadcasts.size(), 1u);
    EXPECT_EQ(host.broadcasts[0].message, hvx::kMsgDocumentNotice);
    EXPECT_EQ(ui.comments, Texts{"HVXGR04G:" + w.Set().header.setLink});
    EXPECT_EQ(ui.focus.back(), "Print");
    EXPECT_FALSE(w.Changed());
    EXPECT_EQ(GridCell(w.Batch().Loads()[0], 0), "1");

    w.SelectRow(1);
    w.Comments();
    EXPECT_EQ(ui.comments.back(), "HVXGR07C:" + w.Batch().Loads()[1].shipLink);
}

// A stored shipment opened again is edited in the form and written over what
// was stored, the contract moved by the difference only; its purchase
// settlement stays as it was saved.
TEST_P(DirectShipments, AStoredShipmentRevisedBooksTheDifferenceAndKeepsItsSettlement) {
    FillOwnedLoad();
    ASSERT_TRUE(w.AddLoad());
    ui.answers = {MsgAnswer::No};  // no comments
    ASSERT_TRUE(w.Finish());
    const Texts settlement = Rows("SELECT * FROM HVXGR04D ORDER BY RECNO");
    ui.picks.push_back({std::stod(hvxtest::Column("SELECT RECNO FROM HVXGR07")[0]), ""});
    w.New();
    w.ReviseShipment();
    ASSERT_TRUE(w.Revising());
    EXPECT_EQ(ui.pickTitles.back(), "Revise Shipment");
    EXPECT_EQ(w.Batch().header.commodity, "CORN");
    EXPECT_EQ(w.Load().figures.netUnits, "875.00");
    EXPECT_EQ(w.Load().contract, "SC-26-101");
    EXPECT_EQ(w.SettlementNumber(), "");
    w.Load().figures.grossWt = "56000", w.FiguresChanged();  // 54880 lb net: 980 units
    ASSERT_TRUE(w.AddLoad());
    w.NewLoad();  // brings the one load back, not an empty form
    EXPECT_EQ(w.Load().figures.netUnits, "980.00");
    ui.messages.clear();
    ASSERT_TRUE(w.Finish());
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_FALSE(w.Changed());
    EXPECT_EQ(Rows("SELECT QTYRECV,OCQTY FROM HVXGR05 WHERE CONTRACT='SC-26-101'"),
              Texts{"980.0000\t0.0000"});
    EXPECT_EQ(Rows("SELECT ESTUNITS,ADJUST FROM HVXGR07"), Texts{"980.00\t105.0000"});
    EXPECT_EQ(Rows("SELECT * FROM HVXGR04D ORDER BY RECNO"), settlement);
}

// Each refusal names its field, and neither the grid nor the settlement
// takes anything of the refused load, also when the load edits a row.
TEST_P(DirectShipments, AddLoadRefusesInTheOrderOfItsChecks) {
    hvxtest::Exec("INSERT INTO HVXGR51 (REFERENCE,NAME,LBSUNIT,UOM,RECNO) VALUES "
                  "('LIGHT','No weight','0','BU',99)");
    FillOwnedLoad();
    ASSERT_TRUE(w.AddLoad());
    struct Case {
        const char* what;
        void (*change)(DirectShipmentWindow&);
        const char* message;
        const char* field;
    };
    const Case cases[] = {
        {"no date", [](DirectShipmentWindow& x) { x.Batch().header.date = ""; },
         "Date is required.", "Date"},
        {"no location", [](DirectShipmentWindow& x) { x.Batch().header.location = " "; },
         "Location is required.", "Location"},
        {"no number", [](DirectShipmentWindow& x) { x.Load().reference = ""; },
         "Shipment reference is required.", "ShipmentNumber"},
        {"no pounds per unit",
         [](DirectShipmentWindow& x) {
             x.Batch().header.commodity = "LIGHT";
             x.CommodityLeft();
         },
         "Net Units is 0.", "NetUnits"},
        {"no weigh date", [](DirectShipmentWindow& x) { x.Load().weighDate = ""; },
         "Weigh date is required.", "WeighDate"},
        {"priced without purchase price",
         [](DirectShipmentWindow& x) {
             x.Settlement().destination = "Priced";
             x.Load().purchasePrice = "";
         },
         "Purchase Price is required.", "PurchasePrice"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto header = w.Batch().header;
        const auto form = w.Settlement();
        w.SelectRow(0);
        c.change(w);
        ui.messages.clear(), ui.focus.clear();
        EXPECT_FALSE(w.AddLoad());
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text, c.message);
        EXPECT_EQ(ui.messages[0].caption, "Harvexa");
        EXPECT_EQ(ui.messages[0].icon, MsgIcon::Exclamation);
        EXPECT_EQ(ui.focus, Texts{c.field});
        ASSERT_EQ(w.Batch().Loads().size(), 1u);
        EXPECT_EQ(w.Batch().Loads()[0].purchasePrice, "4.10");
        ASSERT_EQ(w.Set().details.Count(), 1u);
        EXPECT_EQ(w.Set().details.Items().front().priceUnit, 4.1);
        EXPECT_EQ(w.Set().details.Items().front().commodity, "CORN");
        w.Batch().header = header, w.Settlement() = form;
        w.CommodityLeft();
    }
}

// The lines dialog refuses a grade factor the commodity is not graded on;
// only "&Ok" gives the lines to the load, and the finish stores them.
TEST_P(DirectShipments, GradeFactorsAndDeductionsOfALoadAreStored) {
    using hvx::shipwin::ShipmentLinesEditor;
    bool ok = false;
    w.SetLinesDialog([&](ShipmentLinesEditor& e) {
        const bool grades = e.Kind() == hvx::shipwin::ShipmentLineKind::GradeFactors;
        const struct {
            const char *reference, *value, *refusedGrade, *refusedDeduction;
        } entries[] = {{"", "1", "Reference is required.", "Reference is required."},
                       {"PROTEIN", "12", "Grade factor not setup for this commodity.", nullptr},
                       {"MOISTURE", "15.5", nullptr, nullptr}};
        for (const auto& entry : entries) {
            const char* refused = grades ? entry.refusedGrade : entry.refusedDeduction;
            ui.messages.clear();
            e.reference = entry.reference, e.value = entry.value;
            EXPECT_EQ(e.Accept(), !refused) << entry.reference;
            if (refused) {
                EXPECT_EQ(ui.messages.at(0).text, refused);
            }
        }
        return ok;
    });
    FillOwnedLoad();
    w.GradeFactors();  // cancelled
    EXPECT_TRUE(w.Load().gradeFactors.empty());
    ok = true;
    w.GradeFactors(), w.ShipmentDeductions();
    ASSERT_TRUE(w.AddLoad());
    ui.answers = {MsgAnswer::No};
    ASSERT_TRUE(w.Finish());
    EXPECT_EQ(Rows("SELECT GRADFACT,RESULT FROM HVXGR07G"), Texts{"MOISTURE\t15.5"});
    EXPECT_EQ(Rows("SELECT DEDUCTION,AMOUNT FROM HVXGR07D ORDER BY RECNO"),
              (Texts{"PROTEIN\t12", "MOISTURE\t15.5"}));
}

// A contract another workstation holds stops the finish before anything is
// stored; nothing is announced and the batch stays to be finished.
TEST_P(DirectShipments, AFinishTheContractLockStopsStoresNothing) {
    FillOwnedLoad();
    ASSERT_TRUE(w.AddLoad());
    host.refuseAll = true;
    EXPECT_FALSE(w.Finish());
    ASSERT_FALSE(ui.messages.empty());
    EXPECT_EQ(ui.messages.back().text,
              "Unable to lock sales contract <SC-26-101>. This contract does not exist or is in "
              "use by another user.");
    EXPECT_EQ(ui.messages.back().icon, MsgIcon::Exclamation);
    EXPECT_EQ(Rows("SELECT COUNT(*) FROM HVXGR07"), Texts{"0"});
    EXPECT_TRUE(host.broadcasts.empty());
    EXPECT_TRUE(w.Changed());
    EXPECT_EQ(w.SettlementNumber(), "Auto");
}

// Removing asks first and takes the load's settlement line with it; a
// finished batch keeps its loads. Closing with changes asks, and Cancel keeps
// the window.
TEST_P(DirectShipments, RemovingAndClosingAskFirst) {
    FillOwnedLoad();
    ASSERT_TRUE(w.AddLoad());
    w.SelectRow(0);
    ui.answers = {MsgAnswer::No, MsgAnswer::Yes};
    EXPECT_FALSE(w.RemoveLoad());
    EXPECT_EQ(ui.messages[0].text, "Are you sure you want to remove this shipment record?");
    EXPECT_EQ(ui.messages[0].caption, "Remove");
    EXPECT_EQ(ui.messages[0].buttons, hvx::MsgButtons::YesNo);
    EXPECT_EQ(w.Batch().Loads().size(), 1u);
    w.SelectRow(0);
    EXPECT_TRUE(w.RemoveLoad());
    EXPECT_TRUE(w.Batch().Loads().empty());
    EXPECT_EQ(w.Set().details.Count(), 0u);

    ui.messages.clear();
    ui.answers = {MsgAnswer::Cancel, MsgAnswer::No};
    EXPECT_FALSE(w.MayClose());
    EXPECT_TRUE(w.MayClose());
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].text, "Changes have been made! Save changes?");
    EXPECT_EQ(ui.messages[0].caption, "Changed");
    EXPECT_EQ(ui.messages[0].buttons, hvx::MsgButtons::YesNoCancel);
    EXPECT_EQ(ui.messages[0].icon, MsgIcon::Question);
}

// "P&rint" hands the report the stored links of the batch's loads, and only
// once the batch is finished.
std::string gPrintedLinks;
void ShipmentReportFake(void*, const char* links, const char*, const char*, int) {
    gPrintedLinks = links;
}

TEST_P(DirectShipments, PrintHandsTheFinishedLoadsToTheShipmentReport) {
    host.AddModule("H32GRR.DLL").Export("DoShipmentReport", &ShipmentReportFake);
    gPrintedLinks = "not called";
    FillOwnedLoad();
    ASSERT_TRUE(w.AddLoad());
    w.Print();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Option is currently unavailable.");
    EXPECT_EQ(gPrintedLinks, "not called");

    FillOwnedLoad();
    ASSERT_TRUE(w.AddLoad());
    ui.answers = {MsgAnswer::No};  // "Would you like to enter the comments?"
    ASSERT_TRUE(w.Finish());
    ui.messages.clear();
    w.Print();
    EXPECT_TRUE(ui.messages.empty()) << ui.messages[0].text;
    const auto links = hvxtest::Column("SELECT SHIPLINK FROM HVXGR07 ORDER BY RECNO");
    ASSERT_EQ(links.size(), 2u);
    EXPECT_EQ(gPrintedLinks, links[0] + "," + links[1]);
}

}  // namespace
