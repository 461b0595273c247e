// Journal rows of HVXGR29 on every engine, and company-owned shipments.
#include <gtest/gtest.h>

#include <string>

#include "platform/Dates.h"
#include "platform/HVXSConnection.h"
#include "rules/ActivityJournal.h"
#include "support/FakeHost.h"
#include "support/ScriptedUi.h"
#include "support/TestDatabase.h"

namespace {

using hvxtest::Column;
using hvxtest::Exec;
using hvxtest::Rows;
using Texts = std::vector<std::string>;

constexpr const char* kJournal =
    "SELECT TRANNUM,COMMODITY,LOCATION,PROGRAM,SOURCE,DEST,NETUNITS,REFERENCE,STATUS,NUMCHANGE,"
    "RECNO FROM HVXGR29 ORDER BY RECNO";

class ActivityJournal : public hvxtest::DatabaseTest {
protected:
    void SetUp() override {
        hvxtest::DatabaseTest::SetUp();
        hvx::SetTodayForTesting({2024, 3, 7});
    }
    void TearDown() override {
        hvx::SetTodayForTesting({0, 0, 0});
        hvxtest::DatabaseTest::TearDown();
    }
    static void ActivityCounter(const std::string& next) {
        Exec("INSERT INTO HVXGR40 (NEXTDPR,RECNO) VALUES ('" + next + "',1)");
    }
    hvxtest::FakeHost host;
    hvxtest::ScriptedUi ui;
    HVXSConnection connection{1, nullptr, 0};
};
HVX_DATABASE_TEST_SUITE(ActivityJournal);

TEST_P(ActivityJournal, RecordActivityRows) {
    ActivityCounter("42");
    ASSERT_TRUE(hvx::RecordActivity(connection, "CWR", "CORN", "1", 1250.5, "CW'7",
                                    "Company Owned", "Collateral WHR", "O"));
    ASSERT_TRUE(hvx::RecordActivity(connection, "Settlement", "SOY", "12", -3.33336, "000123",
                                    "Storage Ticket", "Priced", ""));
    EXPECT_EQ(Rows(kJournal),
              (Texts{"00000042\tCORN\t1\tCWR\tCompany Owned\tCollateral WHR\t1250.5000\tCW'7\t"
                     "O\t\t1",
                     "00000043\tSOY\t12\tSettlement\tStorage Ticket\tPriced\t-3.3334\t000123\t"
                     "\t\t2"}));
    EXPECT_EQ(Column("SELECT NEXTDPR FROM HVXGR40"), Texts{"44"});
    // Today's date, whatever form the engine returns it in.
    const Texts dates = Column("SELECT ACTDATE FROM HVXGR29");
    ASSERT_EQ(dates.size(), 2u);
    for (const std::string& date : dates) {
        hvx::CivilDate read;
        ASSERT_TRUE(hvx::ParseDate(date, read)) << date;
        EXPECT_EQ(read, (hvx::CivilDate{2024, 3, 7}));
    }
    EXPECT_TRUE(host.broadcasts.empty());
}

TEST_P(ActivityJournal, WithoutAnActivityCounterNothingIsWrittenOrShown) {
    EXPECT_FALSE(hvx::RecordActivity(connection, "Settlement", "CORN", "1", 5, "1", "Setup",
                                     "Storage Ticket", ""));
    EXPECT_FALSE(hvx::RecordCompanyOwnedShipment(connection, nullptr, "1", "CORN", 5, "Shipment",
                                                 "S1"));
    EXPECT_EQ(Column("SELECT COUNT(*) FROM HVXGR29"), Texts{"0"});
    // The shipment is not counted when its journal row failed.
    EXPECT_EQ(Column("SELECT COUNT(*) FROM HVXGR51A"), Texts{"0"});
    EXPECT_TRUE(ui.messages.empty());
}

TEST_P(ActivityJournal, CompanyOwnedShipment) {
    ActivityCounter("");
    Exec("INSERT INTO HVXGR51A (REFERENCE,LOCATION,USHIPD,USHIPM,USHIPY,NUMCHANGE,RECNO) "
         "VALUES ('CORN','1','5.0000','50.0000','500.0000','0',1)");
    ASSERT_TRUE(hvx::RecordCompanyOwnedShipment(connection, nullptr, "1", "CORN", 100,
                                                "Shipment", "S-17"));
    EXPECT_EQ(Rows(kJournal),
              Texts{"00000001\tCORN\t1\tShipment\tCompany Owned\t\t-100.0000\tS-17\tO\t\t1"});
    EXPECT_EQ(Rows("SELECT USHIPD,USHIPM,USHIPY FROM HVXGR51A"),
              Texts{"105.0000\t150.0000\t600.0000"});
    // An update of the shipped units is not announced; a new position row is.
    EXPECT_TRUE(host.broadcasts.empty());
    ASSERT_TRUE(hvx::RecordCompanyOwnedShipment(connection, nullptr, "2", "CORN", 7.25,
                                                "Shipment", "S-18"));
    EXPECT_EQ(Rows("SELECT USHIPD,USHIPM,USHIPY FROM HVXGR51A WHERE LOCATION='2'"),
              Texts{"7.2500\t7.2500\t7.2500"});
    ASSERT_EQ(host.broadcasts.size(), 1u);
    EXPECT_EQ(host.broadcasts[0].operation, 8210);
    EXPECT_EQ(host.broadcasts[0].text, "2  CORN");
    EXPECT_EQ(Column("SELECT TRANNUM FROM HVXGR29 ORDER BY RECNO"),
              (Texts{"00000001", "00000002"}));
}

}  // namespace
