// The position record HVXGR51A and the activity journal HVXGR29 on every engine.
#include <gtest/gtest.h>

#include <tuple>

#include "platform/Dates.h"
#include "platform/Format.h"
#include "platform/HVXSConnection.h"
#include "platform/Session.h"
#include "rules/ActivityJournal.h"
#include "rules/PositionLedger.h"
#include "rules/PositionNotice.h"
#include "rules/ReversalPosting.h"
#include "support/FakeHost.h"
#include "support/TestDatabase.h"

namespace {

using hvx::ReversalLine;
using hvxtest::Column;
using hvxtest::Exec;
using hvxtest::Rows;
using Texts = std::vector<std::string>;

class PositionLedger : public hvxtest::DatabaseTest {
protected:
    static Texts Position(const std::string& columns, const std::string& commodity = "CORN",
                          const std::string& location = "1") {
        return Rows("SELECT " + columns + " FROM HVXGR51A WHERE REFERENCE='" + commodity +
                    "' AND LOCATION='" + location + "'");
    }
    // Distinct day, month and year totals, so that one written to the wrong
    // column shows.
    static void SeedPosition() {
        Exec("DELETE FROM HVXGR51A");
        Exec("INSERT INTO HVXGR51A (REFERENCE,LOCATION,URECVD,URECVM,URECVY,USHIPD,USHIPM,"
             "USHIPY,DPRCO,NUMCHANGE,RECNO) VALUES ('CORN','1','100.0000','1000.0000',"
             "'10000.0000','50.0000','500.0000','5000.0000','200.0000','0',1)");
    }
    static Texts Totals(double received, double shipped, double owned) {
        return {_HVXsprintf("%.4f\t%.4f\t%.4f\t%.4f\t%.4f\t%.4f\t%.4f", 100 + received,
                            1000 + received, 10000 + received, 50 + shipped, 500 + shipped,
                            5000 + shipped, 200 + owned)};
    }
    static Texts Seeded() { return Position("URECVD,URECVM,URECVY,USHIPD,USHIPM,USHIPY,DPRCO"); }
    // "message operation key" of each change notice sent.
    Texts Notices() const {
        Texts out;
        for (const auto& b : host.broadcasts)
            out.push_back(_HVXsprintf("%u %ld %s", b.message, b.operation, b.text));
        return out;
    }
    hvxtest::FakeHost host;
    HVXSConnection connection{1, nullptr, 0};
};
HVX_DATABASE_TEST_SUITE(PositionLedger);

TEST_P(PositionLedger, NewRowThenRunningTotals) {
    using AddFn =
        bool (*)(HVXSConnection&, hvx::HostWindow, std::string_view, std::string_view, double);
    // Columns, a reset to distinct day, month and year totals, a new row's
    // totals, print flags and NUMCHANGE, and whether an update is announced.
    const std::tuple<AddFn, const char*, const char*, const char*, bool> directions[] = {
        {hvx::AddUnitsReceived, "URECVD,URECVM,URECVY", "URECVD='1',URECVM='10.5',URECVY=''",
         "12.5000\t12.5000\t12.5000\tT\tT\t0\t1", true},
        {hvx::AddUnitsShipped, "USHIPD,USHIPM,USHIPY", "USHIPD='1',USHIPM='10.5',USHIPY=''",
         "12.5000\t12.5000\t12.5000\t\t\tF\t1", false},
    };
    for (const auto& [add, columns, reset, inserted, noticeOnUpdate] : directions) {
        SCOPED_TRACE(columns);
        Exec("DELETE FROM HVXGR51A");
        Exec("DELETE FROM HVXNEXTNUM");
        host.broadcasts.clear();
        ASSERT_TRUE(add(connection, nullptr, "1", "CORN", 12.5));
        EXPECT_EQ(Position(std::string(columns) + ",PRINTDPR,PRINTTP,NUMCHANGE,RECNO"),
                  Texts{inserted});
        EXPECT_EQ(Notices(), Texts{"14001 8210 1  CORN"});
        Exec(std::string("UPDATE HVXGR51A SET ") + reset);
        ASSERT_TRUE(add(connection, nullptr, "1", "CORN", 2.25));
        ASSERT_TRUE(add(connection, nullptr, "1", "CORN", -0.00004));
        EXPECT_EQ(Position(columns), Texts{"3.2500\t12.7500\t2.2500"});
        EXPECT_EQ(Notices().size(), noticeOnUpdate ? 3u : 1u);
        EXPECT_EQ(Notices().back(), noticeOnUpdate ? "14001 8209 1  CORN" : "14001 8210 1  CORN");
        // Another commodity at another location gets a row of its own.
        ASSERT_TRUE(add(connection, nullptr, "12", "SOY", 4));
        EXPECT_EQ(Position(columns, "SOY", "12"), Texts{"4.0000\t4.0000\t4.0000"});
        EXPECT_EQ(Position(columns), Texts{"3.2500\t12.7500\t2.2500"});
        // The select runs, the update is refused: false and no notice.
        host.broadcasts.clear();
        hvx::Session::FailStatementForTesting(2);
        EXPECT_FALSE(add(connection, nullptr, "1", "CORN", 1));
        hvx::Session::FailStatementForTesting(0);
        EXPECT_TRUE(host.broadcasts.empty());
    }
    EXPECT_EQ(hvx::PositionKey("MAIN", "SOY"), "MAINSOY");
    // Without a host the write still happens.
    hvx::SetHostPort(nullptr);
    EXPECT_TRUE(hvx::AddUnitsReceived(connection, nullptr, "1", "CORN", 3));
    EXPECT_EQ(Position("URECVD,USHIPY"), Texts{"3.0000\t2.2500"});
    EXPECT_TRUE(host.broadcasts.empty());
}

TEST_P(PositionLedger, StoredUnitsAreReadToFifteenCharacters) {
    ASSERT_TRUE(hvx::AddUnitsReceived(connection, nullptr, "1", "CORN", 1));
    Exec("UPDATE HVXGR51A SET URECVD='123456789012345678',DPRCO='1234567890.12345678'");
    ASSERT_TRUE(hvx::AddUnitsReceived(connection, nullptr, "1", "CORN", 1));
    EXPECT_EQ(Position("URECVD,URECVM"), Texts{"123456789012346.0000\t2.0000"});
    std::string read;
    ASSERT_EQ(hvx::ReadCompanyOwned(connection, "CORN", "1", read), hvx::PositionRead::Found);
    EXPECT_EQ(read, "1234567890.1234");
}

TEST_P(PositionLedger, CompanyOwnedUnitsUnderTheirGuard) {
    // No position row: nothing to add to, and nothing is created.
    EXPECT_TRUE(hvx::AddCompanyOwned(connection, "CORN", "1", 25));
    EXPECT_EQ(Column("SELECT COUNT(*) FROM HVXGR51A"), Texts{"0"});
    ASSERT_TRUE(hvx::AddUnitsReceived(connection, nullptr, "1", "CORN", 1));
    host.broadcasts.clear();
    // An empty DPRCO as the received units leave it; the guard matches the
    // text as stored.
    const std::tuple<const char*, double, const char*> cases[] = {{"", 25, "25.0000"},
                                                                  {"10.0000", -2.5, "7.5000"},
                                                                  {"10", 1, "11.0000"},
                                                                  {"0.00005", 0, "0.0001"}};
    for (const auto& [stored, units, expected] : cases) {
        SCOPED_TRACE(stored);
        Exec(std::string("UPDATE HVXGR51A SET DPRCO='") + stored + "'");
        EXPECT_TRUE(hvx::AddCompanyOwned(connection, "CORN", "1", units));
        EXPECT_EQ(Position("DPRCO"), Texts{expected});
    }
    EXPECT_TRUE(host.broadcasts.empty());
    std::string read;
    ASSERT_EQ(hvx::ReadCompanyOwned(connection, "CORN", "1", read), hvx::PositionRead::Found);
    EXPECT_EQ(read, "0.0001");
    // Another user moves the units between our read and our write; read
    // afresh, the same change goes through on top of theirs.
    Exec("UPDATE HVXGR51A SET DPRCO='12.0000'");
    EXPECT_FALSE(hvx::UpdateCompanyOwned(connection, "CORN", "1", read, 5));
    EXPECT_EQ(Position("DPRCO"), Texts{"12.0000"});
    EXPECT_TRUE(hvx::AddCompanyOwned(connection, "CORN", "1", 5));
    EXPECT_EQ(Position("DPRCO"), Texts{"17.0000"});
    EXPECT_EQ(hvx::ReadCompanyOwned(connection, "CORN", "2", read), hvx::PositionRead::Missing);
    EXPECT_EQ(read, "");
}

TEST_P(PositionLedger, JournalRowsAndCompanyOwnedShipment) {
    hvx::SetTodayForTesting({2024, 3, 7});
    // Without an activity counter nothing is written, and nothing shipped.
    EXPECT_FALSE(hvx::RecordActivity(connection, "Settlement", "CORN", "1", 5, "1", "Setup",
                                     "Storage Ticket", ""));
    EXPECT_FALSE(
        hvx::RecordCompanyOwnedShipment(connection, nullptr, "1", "CORN", 5, "Shipment", "S1"));
    EXPECT_EQ(Column("SELECT COUNT(*) FROM HVXGR29 UNION ALL SELECT COUNT(*) FROM HVXGR51A"),
              (Texts{"0", "0"}));

    Exec("INSERT INTO HVXGR40 (NEXTDPR,RECNO) VALUES ('',1)");  // an empty counter starts at 1
    SeedPosition();
    ASSERT_TRUE(hvx::RecordActivity(connection, "CWR", "CORN", "1", 1250.5, "CW'7", "Company Owned",
                                    "Collateral WHR", "O"));
    ASSERT_TRUE(hvx::RecordActivity(connection, "Settlement", "SOY", "12", -3.33336, "000123",
                                    "Storage Ticket", "Priced", ""));
    ASSERT_TRUE(
        hvx::RecordCompanyOwnedShipment(connection, nullptr, "1", "CORN", 100, "Shipment", "S-17"));
    EXPECT_EQ(Rows("SELECT TRANNUM,COMMODITY,LOCATION,PROGRAM,SOURCE,DEST,NETUNITS,REFERENCE,"
                   "STATUS,NUMCHANGE,RECNO FROM HVXGR29 ORDER BY RECNO"),
              (Texts{"00000001\tCORN\t1\tCWR\tCompany Owned\tCollateral WHR\t1250.5000\tCW'7\t"
                     "O\t\t1",
                     "00000002\tSOY\t12\tSettlement\tStorage Ticket\tPriced\t-3.3334\t000123\t"
                     "\t\t2",
                     "00000003\tCORN\t1\tShipment\tCompany Owned\t\t-100.0000\tS-17\tO\t\t3"}));
    EXPECT_EQ(Column("SELECT NEXTDPR FROM HVXGR40"), Texts{"4"});
    EXPECT_EQ(Seeded(), Totals(0, 100, 0));
    EXPECT_TRUE(host.broadcasts.empty());
    // Today's date, whatever form the engine returns it in.
    for (const std::string& date : Column("SELECT ACTDATE FROM HVXGR29")) {
        hvx::CivilDate read;
        ASSERT_TRUE(hvx::ParseDate(date, read)) << date;
        EXPECT_EQ(read, (hvx::CivilDate{2024, 3, 7}));
    }
}

// Each line of a posted reversal brings its position back and journals itself
// under its source: "Setup" and "Direct In" by kind, others by category.
TEST_P(PositionLedger, ReversalLineBringsThePositionBack) {
    Exec("INSERT INTO HVXGR40 (NEXTDPR,RECNO) VALUES ('7',1)");
    // Source kind, categories moved from and to, the changes of the received,
    // shipped and company-owned totals (units are -10), the journal's source.
    const std::tuple<const char*, const char*, const char*, double, double, double, const char*>
        cases[] = {
            {"Setup", "", "Storage Ticket", -10, 0, 0, "Setup"},
            {"Direct In", "Priced Later", "Priced", 0, 10, -10, "Direct In"},
            {"Scale Ticket", "Assembly", "Installment Sale", 0, 0, -10, "Assembly"},
            // Paying off an installment sale sells no grain again.
            {"Installment Sale", "Installment Sale", "Priced", 0, 0, 0, "Installment Sale"},
            {"Grain Bank", "Grain Bank", "Redelivered", 0, -10, 0, "Grain Bank"},
        };
    Texts journal;
    for (const auto& [kind, from, to, received, shipped, owned, source] : cases) {
        SCOPED_TRACE(std::string(source) + " -> " + to);
        SeedPosition();
        const ReversalLine line{"CORN", "1", -10, kind, from, to, "000321"};
        EXPECT_EQ(hvx::ReversalJournalSource(line), source);
        EXPECT_TRUE(hvx::PostReversalLine(connection, nullptr, line));
        EXPECT_EQ(Seeded(), Totals(received, shipped, owned));
        journal.push_back(std::string(source) + "\t" + to + "\t-10.0000\t000321\tSettlement\t\t");
    }
    EXPECT_EQ(Rows("SELECT SOURCE,DEST,NETUNITS,REFERENCE,PROGRAM,STATUS,NUMCHANGE FROM HVXGR29 "
                   "ORDER BY RECNO"),
              journal);
    EXPECT_EQ(Column("SELECT TRANNUM FROM HVXGR29 ORDER BY RECNO").front(), "00000007");
    EXPECT_EQ(host.broadcasts.size(), 1u);  // the setup's update of the units received

    // Without an activity counter the journal fails, but the position is
    // still brought back and the failure is reported.
    Exec("DELETE FROM HVXGR40");
    Exec("DELETE FROM HVXGR29");
    SeedPosition();
    EXPECT_FALSE(hvx::PostReversalLine(connection, nullptr,
                                       {"CORN", "1", -10, "Setup", "", "Priced", "000321"}));
    EXPECT_EQ(Seeded(), Totals(-10, 0, -10));
    EXPECT_EQ(Column("SELECT COUNT(*) FROM HVXGR29"), Texts{"0"});
}

}  // namespace
