#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>
#include <set>

#include "abi/LockRequest.h"
#include "platform/Session.h"
#include "settlement/SettlementRecordSet.h"
#include "settlement/SettlementSave.h"
#include "settlement/SettlementSaveWindow.h"
#include "shipments/DirectShipmentBatch.h"
#include "shipments/PurchaseSettlement.h"
#include "shipments/ShipmentFinish.h"
#include "shipments/StoredShipment.h"
#include "support/FakeHost.h"
#include "support/ScriptedUi.h"
#include "support/TestDatabase.h"

namespace {

using namespace hvx::shipments;
using hvxtest::Exec;
using hvxtest::Rows;
using Texts = std::vector<std::string>;

// Three loads of corn at location 01: company-owned 100 and "Priced Later" 50
// on contract C1 (both numbered automatically), company-owned 30 on C2.
class ShipmentFinish : public hvxtest::DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        Exec("INSERT INTO HVXGR40 (CONFIG8,RECNO) VALUES ('100',1)");
        Exec("INSERT INTO HVXGR05 (CONTRACT,QTYRECV,OCQTY,RECNO) VALUES "
             "('C1','0.0000','0.0000',1),('C2','10.0000','5.0000',2)");
        Exec("INSERT INTO HVXGR51A (REFERENCE,LOCATION,USHIPD,USHIPM,USHIPY,DPRCO,RECNO) "
             "VALUES ('CORN','01','0.0000','0.0000','0.0000','1000.0000',1)");
        batch.header = {"03/07/2024", "CORN", "01"}, batch.autoNumbers = true;
        Add("Auto", "C1", "100", kOwned), Add("Auto", "C1", "50", "Priced Later");
        Add("S-9", "C2", "30", kOwned);
    }
    void Add(const char* ref, const char* contract, const char* units, const char* from,
             std::optional<std::size_t> row = std::nullopt) {
        DirectShipmentLoad load;
        load.reference = ref, load.contract = contract, load.fromDpr = from;
        load.figures.netUnits = units, load.figures.salePrice = "2.5";
        load.figures.grossAmt = "250.00", load.weighDate = "03/06/2024";
        load.deductionLines = {{"FRT", "12.50"}}, load.gradeFactors = {{"MOIST", "14.5"}};
        const auto refused = batch.AddLoad(load, row, {});
        ASSERT_FALSE(refused) << refused->message;
    }
    static Texts State() {
        Texts all;
        for (const char* sql : {"SELECT * FROM HVXGR07", "SELECT * FROM HVXGR07A",
                                "SELECT * FROM HVXGR07D", "SELECT * FROM HVXGR07G",
                                "SELECT CONTRACT,QTYRECV,OCQTY FROM HVXGR05",
                                "SELECT * FROM HVXGR51A", "SELECT * FROM HVXGR29",
                                "SELECT CONFIG8 FROM HVXGR40", "SELECT * FROM HVXNEXTNUM"})
            for (const std::string& row : Rows(std::string(sql) + " ORDER BY 1"))
                all.push_back(row);
        return all;
    }
    // Runs the operation with a failure at each of its statements in turn
    // until it succeeds: each failure leaves every table as before, no lock
    // held, and whatever `unchanged` checks; its message goes to `shown`.
    void FailEachStatement(std::set<std::string>& shown, const std::function<bool()>& run,
                           const std::function<void()>& unchanged) {
        const Texts before = State();
        bool done = false;
        for (long n = 1; n < 400 && !done; ++n) {
            SCOPED_TRACE("statement " + std::to_string(n));
            hvx::Session::FailStatementForTesting(n);
            done = run();
            hvx::Session::FailStatementForTesting(0);
            EXPECT_EQ(Held(), 0);
            if (done) break;
            shown.insert(message.substr(0, message.find('\n')));
            ASSERT_EQ(State(), before);
            unchanged();
        }
        ASSERT_TRUE(done);
    }
    // Opens the stored load of the batch's row, changes it and revises it.
    bool Revise(std::size_t row, const char* contract, const char* units, const char* from) {
        DirectShipmentBatch stored;
        if (!OpenStoredShipment(batch.Loads()[row].shipLink, stored, message)) return false;
        DirectShipmentLoad load = stored.Loads()[0];
        load.contract = contract, load.figures.netUnits = units, load.fromDpr = from;
        load.weighDate = "03/06/2024", load.figures.grossAmt = "250.00";
        load.deductionLines = {{"FRT", "12.50"}};
        EXPECT_FALSE(stored.AddLoad(load, 0, {}));
        if (!ReviseStoredShipment(stored, host.MainWindow(), message)) return false;
        // The batch window closed and opened again sees the revised load.
        auto loads = batch.Loads();
        loads[row] = stored.Loads()[0];
        batch.Stored(loads);
        return true;
    }
    long Held() const {  // contract locks taken and not released
        return host.Count(hvx::kLockRecord) - host.Count(hvx::kUnlockRecord);
    }
    static constexpr const char* kOwned = "Company Owned";
    hvxtest::FakeHost host;
    DirectShipmentBatch batch;
    std::string message;
};
HVX_DATABASE_TEST_SUITE(ShipmentFinish);

// A statement failing anywhere in a first finish or in a finish again (which
// takes back first) leaves every table, the batch and the locks as before.
TEST_P(ShipmentFinish, AFailureAnywhereLeavesEverythingAsBefore) {
    std::set<std::string> shown;
    for (int round = 1; round <= 2; ++round) {
        const auto loads = batch.Loads();
        FailEachStatement(shown, [&] { return FinishShipments(batch, host.MainWindow(), message); },
                          [&] {
                              ASSERT_EQ(batch.FinishCount(), round);
                              ASSERT_EQ(batch.Loads()[0].reference, loads[0].reference);
                          });
        Add("S-9", "C1", "45", "Priced Later", 2);  // the second round stores a change
    }
    for (const char* m :
         {"Unable to lock sales contract <C1>. This contract does not exist or is in use by "
          "another user.", "Insert Failed: HVXGR07.",
          "Insert Failed: HVXGR07A.", "Insert Failed: HVXGR07D.", "Insert Failed: HVXGR07G.",
          "Update Sales Contract Units Received Failed.",
          "Update Sales Contract Units Settled Failed.", "Unable to update commodity shipped.",
          "Unable to update commodity company owned.", "Error deleting detail from HVXGR07.",
          "Error deleting detail from HVXGR07A.", "Error deleting detail from HVXGR07D.",
          "Error deleting detail from HVXGR07G.", "Unable to commit the shipments."})
        EXPECT_EQ(shown.count(m), 1u) << m;
}

// After a finish and a finish again with changed units, contract and origin,
// each contract holds what the stored loads imply, and so do the positions.
TEST_P(ShipmentFinish, ContractsAndPositionsMatchTheStoredLoads) {
    ASSERT_TRUE(FinishShipments(batch, host.MainWindow(), message)) << message;
    EXPECT_EQ(Rows("SELECT CONTRACT,QTYRECV,OCQTY FROM HVXGR05 ORDER BY CONTRACT"),
              (Texts{"C1\t100.0000\t50.0000", "C2\t40.0000\t5.0000"}));
    Add("100", "C2", "120", kOwned, 0), Add("101", "C1", "50", kOwned, 1);
    Add("S-9", "C1", "30", "Priced Later", 2);
    ASSERT_TRUE(FinishShipments(batch, host.MainWindow(), message)) << message;
    EXPECT_EQ(Rows("SELECT REFERENCE,CONTRACT,ESTUNITS,STATUS FROM HVXGR07 ORDER BY REFERENCE"),
              (Texts{"100\tC2\t120\tS", "101\tC1\t50\tS", "S-9\tC1\t30\tO"}));
    EXPECT_EQ(Rows("SELECT CONTRACT,QTYRECV,OCQTY FROM HVXGR05 ORDER BY CONTRACT"),
              (Texts{"C1\t50.0000\t30.0000", "C2\t130.0000\t5.0000"}));
    EXPECT_EQ(Rows("SELECT USHIPY,DPRCO FROM HVXGR51A"), Texts{"200.0000\t800.0000"});
    EXPECT_EQ(Rows("SELECT COUNT(*) FROM HVXGR07D"), Texts{"2"});
    EXPECT_EQ(Rows("SELECT CONFIG8 FROM HVXGR40"), Texts{"102"});
    EXPECT_EQ(batch.FinishCount(), 3);
    EXPECT_FALSE(batch.RemoveLoad(0));
    EXPECT_EQ(Held(), 0);
}

// A stored shipment revised books only what changed: one position record of
// the difference, the contracts moved by it, the load detail following the
// grain it came from. A failure anywhere leaves everything as before, and a
// batch still holding the old units may no longer take them back.
TEST_P(ShipmentFinish, RevisingAStoredShipmentBooksOnlyTheDifference) {
    ASSERT_TRUE(FinishShipments(batch, host.MainWindow(), message)) << message;
    const DirectShipmentBatch stale = batch;
    const std::size_t records = Rows("SELECT * FROM HVXGR29").size();
    std::set<std::string> shown;
    FailEachStatement(shown, [&] { return Revise(0, "C1", "120", kOwned); }, [] {});
    EXPECT_EQ(Rows("SELECT CONTRACT,QTYRECV,OCQTY FROM HVXGR05 ORDER BY CONTRACT"),
              (Texts{"C1\t120.0000\t50.0000", "C2\t40.0000\t5.0000"}));
    EXPECT_EQ(Rows("SELECT USHIPY,DPRCO FROM HVXGR51A"), Texts{"200.0000\t800.0000"});
    EXPECT_EQ(Rows("SELECT * FROM HVXGR29").size(), records + 1);
    EXPECT_EQ(Rows("SELECT ESTUNITS,ADJUST FROM HVXGR07 WHERE REFERENCE='100'"),
              Texts{"120\t20.0000"});
    EXPECT_EQ(Rows("SELECT NETUNITS FROM HVXGR07A WHERE REFERENCE='100'"), Texts{"120"});
    EXPECT_TRUE(shown.count("Update Failed: HVXGR07.") && shown.count("Update Failed: HVXGR07A."));

    ASSERT_TRUE(Revise(1, "C2", "50", kOwned)) << message;        // priced later → owned, C2
    ASSERT_TRUE(Revise(2, "C2", "30", "Priced Later")) << message;  // owned → priced later
    EXPECT_EQ(Rows("SELECT CONTRACT,QTYRECV,OCQTY FROM HVXGR05 ORDER BY CONTRACT"),
              (Texts{"C1\t120.0000\t0.0000", "C2\t60.0000\t35.0000"}));
    EXPECT_EQ(Rows("SELECT REFERENCE FROM HVXGR07A ORDER BY REFERENCE"), (Texts{"100", "101"}));
    EXPECT_EQ(Rows("SELECT COUNT(*) FROM HVXGR07D"), Texts{"2"});
    EXPECT_EQ(Rows("SELECT USHIPY,DPRCO FROM HVXGR51A"), Texts{"200.0000\t800.0000"});

    const Texts before = State();
    DirectShipmentBatch old = stale;
    EXPECT_FALSE(FinishShipments(old, host.MainWindow(), message));
    EXPECT_EQ(message.substr(0, 48), "Shipment 100 has been changed by another user si");
    EXPECT_EQ(State(), before);
    Exec("UPDATE HVXGR07 SET POSTED='T' WHERE REFERENCE='101'");
    EXPECT_FALSE(Revise(1, "C2", "51", kOwned));
    EXPECT_EQ(message, "Shipment 101 has been posted and can no longer be changed.");
    EXPECT_EQ(Held(), 0);
}

// Random edits and finishes again: a load moved to the other contract or the
// other source, new units, a new load. After every finish each contract holds
// its opening quantities plus the stored loads (company-owned units received,
// "Priced Later" units open) and the position has shipped them all, to the
// ten-thousandth.
TEST_P(ShipmentFinish, RandomEditsAndFinishesKeepContractsAndPositionsWithTheLoads) {
    std::mt19937 random(20261207);
    const auto tenThousandths = [](const std::string& text) {
        return std::llround(std::stod(text) * 10000);
    };
    const auto shown = [](long long n) {
        return (n < 0 ? "-" : "") + std::to_string(std::llabs(n) / 10000) + "." +
               (std::to_string(10000 + std::llabs(n) % 10000)).substr(1);
    };
    for (int round = 0; round < 12; ++round) {
        const std::size_t row = random() % (batch.Loads().size() + (round % 4 == 3 ? 1 : 0));
        std::string amount = shown(1 + random() % 2000000);
        const char* contract = random() % 2 ? "C1" : "C2";
        const char* from = random() % 2 ? kOwned : "Priced Later";
        const bool added = row == batch.Loads().size();
        const std::string ref = added ? "N" + std::to_string(round) : batch.Loads()[row].reference;
        if (round % 3 == 1 && !added) {  // a stored shipment opened again and revised
            ASSERT_TRUE(Revise(row, contract, amount.c_str(), from)) << message;
        } else {
            Add(ref.c_str(), contract, amount.c_str(), from,
                added ? std::nullopt : std::optional<std::size_t>(row));
            ASSERT_TRUE(FinishShipments(batch, host.MainWindow(), message)) << message;
        }

        // C1 opened empty, C2 with 10 received and 5 open.
        long long received[2] = {0, 100000}, open[2] = {0, 50000}, shipped = 0;
        for (const DirectShipmentLoad& load : batch.Loads()) {
            const long long u = tenThousandths(load.figures.netUnits);
            const int c = load.contract == "C1" ? 0 : 1;
            (load.CompanyOwned() ? received : open)[c] += u;
            shipped += u;
        }
        EXPECT_EQ(Rows("SELECT CONTRACT,QTYRECV,OCQTY FROM HVXGR05 ORDER BY CONTRACT"),
                  (Texts{"C1\t" + shown(received[0]) + "\t" + shown(open[0]),
                         "C2\t" + shown(received[1]) + "\t" + shown(open[1])}))
            << "round " << round;
        EXPECT_EQ(Rows("SELECT USHIPY,DPRCO FROM HVXGR51A"),
                  Texts{shown(shipped) + "\t" + shown(10000000 - shipped)})
            << "round " << round;
        EXPECT_EQ(Held(), 0);
    }
}

// The loads bought from the customer, each a "Direct In" line at its price
// rounded to four decimals, stored by the settlement save after the finish.
TEST_P(ShipmentFinish, ThePurchaseSettlementBuysTheLoadsShipped) {
    Exec("UPDATE HVXGR40 SET CONFIG18='41'");
    hvxtest::ScriptedUi ui;
    hvx::settlement::SettlementRecordSet set;
    hvx::settlement::SettlementWindowValues values;
    bool unclassified = true;
    for (std::size_t row = 0; row < 3; ++row) {
        DirectShipmentLoad load = batch.Loads()[row];
        load.purchasePrice = "2.12345";
        ASSERT_TRUE(CarryLoad(set, batch.header, "Priced", load, ui, unclassified, message));
        EXPECT_FALSE(unclassified);
        ASSERT_FALSE(batch.AddLoad(load, row, {}));
    }
    ASSERT_TRUE(FinishShipments(batch, host.MainWindow(), message)) << message;
    PreparePurchaseSettlement(set, values, {"F1", "Farmer One", "03/07/2024", "Priced", "K9", "",
                                            "", "", false, 382.27, 382.27});
    hvx::settlement::SettlementSaveWindow window{set, values, ui, nullptr, message};
    ASSERT_TRUE(hvx::settlement::SaveSettlement(window)) << message;
    EXPECT_EQ(set.header.settlement, "41");
    EXPECT_EQ(Rows("SELECT SOURCE,UNITSSET,PRICEUNIT,TOTPRICE,GLCODE,PATRONAGE,CONTRACT "
                   "FROM HVXGR04D ORDER BY RECNO"),
              (Texts{"Direct In\t100.0000\t2.1235\t212.35\t06\tT\t",
                     "Direct In\t50.0000\t2.1235\t106.18\t06\tT\t",
                     "Direct In\t30.0000\t2.1235\t63.71\t06\tT\t"}));
    DirectShipmentLoad stored = batch.Loads()[0];
    ASSERT_TRUE(CarryLoad(set, batch.header, "Storage Ticket", stored, ui, unclassified, message));
    EXPECT_TRUE(unclassified);
    EXPECT_EQ(set.details.Count(), 3u);

    // The units go to the line with the commodity's decimals; none set means two.
    for (const auto& [decimals, units] : {std::pair{3, 30.127}, {0, 30.13}, {-1, 30.1268}}) {
        DirectShipmentLoad load = batch.Loads()[2];
        load.settlementLink.clear(), load.figures.netUnits = "30.12678";
        ShipmentHeader header = batch.header;
        header.decimals = decimals;
        ASSERT_TRUE(CarryLoad(set, header, "Priced", load, ui, unclassified, message));
        EXPECT_DOUBLE_EQ(set.details.FindLine(load.settlementLink)->unitsSet, units) << decimals;
    }
}

}  // namespace
