// On a database of years of settlements, with current statistics, no plan of
// a statement of everyday work reads a growing table whole.
#include <sstream>

#include "data/StatementPlan.h"
#include "harvexa-admin/AdminCommands.h"
#include "platform/SqlDialect.h"
#include "settlement/SettlementDeletion.h"
#include "settlement/SettlementLoad.h"
#include "settlement/SettlementReversal.h"
#include "settlement/SettlementSaveTestSupport.h"
#include "shipments/DirectShipmentBatch.h"
#include "shipments/ShipmentFinish.h"
#include "windows/BrowseOrders.h"
#include "windows/sources/SettleLookups.h"
#include "windows/sources/SourceSelectionController.h"

namespace {

using namespace hvx::settlement;
using namespace hvxtest;
using hvx::Session;

constexpr long kGeneratedLines = 100000;

// The statements meant to read every row they select: the browse list of
// every settlement of the window's type, read when the window opens and
// after a save or a deletion (Find, Next and Previous move within it).
constexpr std::string_view kReadWhole[] = {
    "SELECT SETTLEMENT,RECNO,NUMCHANGE,SETLINK FROM HVXGR04 WHERE STYPE="};

class StatementPlans : public SettlementSaveFixture {
protected:
    // The fixture's sources and settlement, then the generated years after
    // them, their links far above the fixture's own.
    void SetUp() override {
        SettlementSaveFixture::SetUp();
        Exec("INSERT INTO HVXNEXTNUM (TABLENAME,COLNAME,NEXTVAL) VALUES "
             "('HVXGR04','RECNO',1000000),('HVXGR04D','RECNO',1000000)");
        hvx::admin::GenerateOptions options;
        options.lines = kGeneratedLines, options.settlements = kGeneratedLines / 8;
        std::ostringstream progress;
        std::string summary, error;
        ASSERT_TRUE(Session::Begin(error)) << error;
        ASSERT_TRUE(hvx::admin::GenerateSettlements(options, progress, summary, error)) << error;
        ASSERT_TRUE(Session::Commit(error)) << error;
    }

    // Runs the work with its statements recorded, then has the engine plan
    // each one.
    void ExpectIndexed(const char* work, const std::function<void()>& run) {
        std::vector<hvx::data::RanStatement> ran;
        Session::WatchStatementsForTesting(
            [&](const std::string& sql, const auto& values) { ran.push_back({sql, values}); });
        ui.pickLists.clear();
        run();
        Session::WatchStatementsForTesting({});
        // A pick list's rows are read by the list the UI shows.
        for (const std::string& list : ui.pickLists) {
            std::string sql, error;
            ASSERT_TRUE(hvx::TranslateSql(list, Session::Kind(), sql, error)) << error;
            ran.push_back({sql, {}});
        }
        EXPECT_FALSE(ran.empty()) << work;
        for (const std::string& finding : hvx::data::FullScanFindings(ran, kReadWhole))
            ADD_FAILURE() << "The " << work << " reads a growing table whole:\n  " << finding;
    }
};
HVX_DATABASE_TEST_SUITE(StatementPlans);

TEST_P(StatementPlans, EverydayWorkReadsThroughIndexes) {
    // A line into an open category with no contract of its own.
    SettlementDetailItem uncontracted = AssemblyLine("9103", "Storage Ticket", 10, 0, 0);
    uncontracted.contract.clear();
    set.details.AddLine(uncontracted);
    ExpectIndexed("save", [&] { ASSERT_TRUE(Save()) << message; });
    const std::string link = set.header.setLink;
    ExpectIndexed("load", [&] {
        SettlementRecordSet loaded;
        ASSERT_TRUE(LoadSettlement(loaded, link, hvx::SettlementType::SingleSource, ui));
    });
    ExpectIndexed("deletion", [&] { ASSERT_TRUE(DeleteSettlement(window)) << message; });

    NewSettlement();
    SaveAndPost();
    ExpectIndexed("reversal", [&] { ASSERT_TRUE(ReverseSettlement(window)) << message; });

    // A customer's open scale tickets and splits, an open contract picked
    // from the customer's list, and a browse of the settlements.
    const Texts picked = Fields(Rows("SELECT CUSTREF,STR(RECNO),CONTRACT FROM HVXGR04F WHERE "
                                     "TODPR='Storage Ticket' AND STATUS='O' AND CUSTREF<>'C1'")[0]);
    for (const char* kind : {"Scale Ticket", "Assembly"})
        ExpectIndexed("source selection", [&] {
            hvx::SourceSelectionController dialog(
                ui, set, {kind, picked[0], "Priced", hvx::SettlementType::MultipleSource, ""});
            ASSERT_TRUE(dialog.Fill());
        });
    ExpectIndexed("contract lookup", [&] {
        ui.picks = {{std::stod(picked[1]), picked[2]}};
        std::string start;
        hvx::ContractPick pick;
        EXPECT_EQ(hvx::FindContractToSettle(ui, "Storage Ticket", picked[0], start, pick, message),
                  hvx::LookupResult::Picked);
    });
    ExpectIndexed("browse", [&] {
        hvx::OrderedFetch browse(hvx::SettlementBrowse(hvx::SettlementType::SingleSource));
        std::string error;
        EXPECT_TRUE(browse.Load(error) && browse.Find("1000") && browse.Next() && browse.Previous());
    });

    // A direct shipment numbered automatically, loaded on one of the years'
    // contracts. A database's first shipment starts the link counters from
    // the highest links in use, once; every later one is the everyday finish.
    Exec("UPDATE HVXGR40 SET CONFIG8='900000'");
    Exec("INSERT INTO HVXGR51A (REFERENCE,LOCATION,USHIPD,USHIPM,USHIPY,DPRCO,RECNO) "
         "VALUES ('CORN','1','0.0000','0.0000','0.0000','1000.0000',1)");
    const auto finish = [&] {
        hvx::shipments::DirectShipmentBatch batch;
        batch.header = {"03/07/2024", "CORN", "1"}, batch.autoNumbers = true;
        hvx::shipments::DirectShipmentLoad load;
        load.reference = "Auto", load.contract = Rows("SELECT MAX(CONTRACT) FROM HVXGR05")[0];
        load.fromDpr = "Company Owned", load.figures.netUnits = "100";
        load.figures.salePrice = "2.5", load.figures.grossAmt = "250.00";
        load.weighDate = "03/06/2024";
        ASSERT_FALSE(batch.AddLoad(load, std::nullopt, {}));
        ASSERT_TRUE(FinishShipments(batch, host.MainWindow(), message)) << message;
    };
    finish();
    ExpectIndexed("shipment finish", finish);
}

}  // namespace
