// Warehouse receipts stored, changed, settled and deleted on every engine,
// with the position activity each writes.
#include <gtest/gtest.h>

#include <functional>

#include "platform/Dates.h"
#include "platform/Session.h"
#include "receipts/ReceiptStore.h"
#include "support/TestDatabase.h"

namespace {

using namespace hvx::receipts;
using hvxtest::Exec;
using hvxtest::Rows;
using Texts = std::vector<std::string>;

// A receipt as typed into the window, not stored yet.
WarehouseReceipt Typed(const char* ref, const char* location, const char* units,
                       const char* settled = "") {
    WarehouseReceipt r;
    r.cwrRef = ref, r.issueDate = "03/01/2024", r.vendor = "V1", r.commodity = "CORN";
    r.location = location, r.units = units, r.settleDate = settled;
    return r;
}

class ReceiptStore : public hvxtest::DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        hvx::SetTodayForTesting({2024, 3, 7});
        Exec("INSERT INTO HVXGR40 (NEXTDPR,RECNO) VALUES ('1',1)");
        receipt = Typed("R1", "01", "500.00");
    }
    void TearDown() override {
        hvx::SetTodayForTesting({});
        DatabaseTest::TearDown();
    }
    bool Save(WallTime at = {9, 0, 0}) {
        const ReceiptKey loaded = receipt.Stored() ? KeyOf(stored) : ReceiptKey{};
        const bool saved = SaveReceipt(receipt, loaded, {"clerk", [at] { return at; }}, message);
        if (saved) stored = receipt;
        return saved;
    }
    static Texts Activity() {
        return Rows(
            "SELECT PROGRAM,SOURCE,DEST,NETUNITS,LOCATION,REFERENCE FROM HVXGR29 "
            "ORDER BY RECNO");
    }
    static Texts State() {
        Texts all;
        for (const char* sql : {"SELECT * FROM HVXGR08", "SELECT * FROM HVXGR29",
                                "SELECT * FROM HVXGR40", "SELECT * FROM HVXNEXTNUM"})
            for (const std::string& row : Rows(std::string(sql) + " ORDER BY 1"))
                all.push_back(row);
        return all;
    }
    WarehouseReceipt receipt, stored;
    std::string message;
};
HVX_DATABASE_TEST_SUITE(ReceiptStore);

constexpr const char* kIssued = "CWR Issued\tCompany Owned\tCollateral WHR\t";
constexpr const char* kSettled = "CWR Settled\tCollateral WHR\tCompany Owned\t";

// One receipt changed step by step: each save writes exactly its moves.
TEST_P(ReceiptStore, EachTransitionWritesItsActivity) {
    const std::string i = kIssued, s = kSettled;
    const struct {
        std::function<void(WarehouseReceipt&)> edit;
        const char* status;
        Texts moves;
    } steps[] = {
        {[](auto&) {}, "O", {}},
        {[](auto& r) { r.units = "500.00001"; }, "O", {}},  // equal to 4 decimals
        {[](auto& r) { r.vendor = "V2"; }, "O", {}},
        {[](auto& r) { r.location = "02"; },
         "O",
         {i + "-500.0000\t01\tR1", i + "500.0000\t02\tR1"}},
        {[](auto& r) { r.units = "520.5"; },
         "O",
         {i + "-500.0000\t02\tR1", i + "520.5000\t02\tR1"}},
        {[](auto& r) { r.settleDate = "04/01/2024"; }, "C", {s + "520.5000\t02\tR1"}},
        {[](auto& r) { r.units = "450"; }, "C", {s + "450.0000\t02\tR1"}},
        {[](auto& r) { r.settleDate = ""; }, "O", {i + "450.0000\t02\tR1"}},
        {[](auto& r) { r.cwrRef = "R2", r.settleDate = "04/02/2024"; },
         "C",
         {i + "-450.0000\t02\tR1", i + "450.0000\t02\tR2", s + "450.0000\t02\tR2"}},
    };
    ASSERT_TRUE(Save()) << message;
    std::size_t written = Activity().size();
    for (const auto& step : steps) {
        SCOPED_TRACE(&step - steps);
        step.edit(receipt);
        ASSERT_TRUE(Save()) << message;
        const Texts all = Activity();
        EXPECT_EQ(Texts(all.begin() + long(written), all.end()), step.moves);
        written = all.size();
        EXPECT_EQ(Rows("SELECT OPENCLOSE FROM HVXGR08"), Texts{step.status});
    }
}

// Issued once when created; saved unchanged, stamped again and nothing moves.
TEST_P(ReceiptStore, ANewReceiptIsIssuedAndEverySaveStampedOnATwelveHourClock) {
    for (const auto& [at, shown] : {std::pair{WallTime{0, 5, 0}, "12:05:00 AM"},
                                    {WallTime{12, 30, 0}, "12:30:00 PM"},
                                    {WallTime{23, 59, 7}, "11:59:07 PM"}}) {
        ASSERT_TRUE(Save(at)) << message;
        EXPECT_EQ(Rows("SELECT LMODTIME FROM HVXGR08"), Texts{shown});
    }
    EXPECT_EQ(Rows("SELECT CWRREF,OPENCLOSE,NUMCHANGE,LMODUSER,LMODDATE,STR(RECNO),CWRLINK "
                   "FROM HVXGR08"),
              Texts{"R1\tO\t2\tclerk\t03/07/2024\t1\t1"});
    EXPECT_EQ(Activity(), Texts{std::string(kIssued) + "500.0000\t01\tR1"});
}

TEST_P(ReceiptStore, DeletingAnOpenReceiptTakesItsIssueBack) {
    ASSERT_TRUE(Save()) << message;
    WarehouseReceipt second = Typed("R0", "02", "75", "03/05/2024");
    ASSERT_TRUE(SaveReceipt(second, {}, {"clerk"}, message)) << message;
    ASSERT_TRUE(DeleteReceipt(second.recno, message)) << message;  // settled: nothing moves
    ASSERT_TRUE(DeleteReceipt(receipt.recno, message)) << message;
    EXPECT_EQ(Rows("SELECT COUNT(*) FROM HVXGR08"), Texts{"0"});
    EXPECT_EQ(Activity(), (Texts{std::string(kIssued) + "500.0000\t01\tR1",
                                 std::string(kIssued) + "75.0000\t02\tR0",
                                 std::string(kIssued) + "-500.0000\t01\tR1"}));
    EXPECT_FALSE(DeleteReceipt(receipt.recno, message));
    EXPECT_EQ(message, "Error deleting record.");
}

// A receipt saved by another user since it was read is not overwritten.
TEST_P(ReceiptStore, AStaleReceiptIsNotSaved) {
    ASSERT_TRUE(Save()) << message;
    Exec("UPDATE HVXGR08 SET NUMCHANGE = '1'");
    receipt.units = "1";
    EXPECT_FALSE(Save());
    EXPECT_EQ(message, "Error saving record.");
    EXPECT_EQ(Rows("SELECT UNITS FROM HVXGR08"), Texts{"500.00"});
}

// A statement failing anywhere in a new save, a change or a delete leaves
// every table and the receipt as they were.
TEST_P(ReceiptStore, AFailureAnywhereLeavesEverythingAsBefore) {
    const std::function<bool()> steps[] = {
        [&] { return Save(); },
        [&] { return receipt.location = "02", Save(); },
        [&] { return DeleteReceipt(receipt.recno, message); },
    };
    for (const auto& step : steps) {
        const Texts before = State();
        const WarehouseReceipt kept = receipt;
        bool done = false;
        for (long n = 1; n < 50 && !done; ++n) {
            SCOPED_TRACE(n);
            hvx::Session::FailStatementForTesting(n);
            done = step();
            hvx::Session::FailStatementForTesting(0);
            if (done) break;
            EXPECT_EQ(message.substr(0, 6), "Error ");
            ASSERT_EQ(State(), before);
            ASSERT_EQ(receipt.recno, kept.recno);
            ASSERT_EQ(receipt.numChange, kept.numChange);
        }
        ASSERT_TRUE(done);
    }
}

}  // namespace
