// The position record HVXGR51A on every engine: received and shipped totals,
// company-owned units with their guard, and the change notices.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/HVXSConnection.h"
#include "platform/Session.h"
#include "rules/PositionLedger.h"
#include "rules/PositionNotice.h"
#include "support/FakeHost.h"
#include "support/TestDatabase.h"

namespace {

using hvxtest::Column;
using hvxtest::Exec;
using hvxtest::Rows;

class PositionLedger : public hvxtest::DatabaseTest {
protected:
    static std::vector<std::string> Position(const std::string& columns,
                                             const std::string& commodity = "CORN",
                                             const std::string& location = "1") {
        return Rows("SELECT " + columns + " FROM HVXGR51A WHERE REFERENCE='" + commodity +
                    "' AND LOCATION='" + location + "'");
    }
    hvxtest::FakeHost host;
    HVXSConnection connection{1, nullptr, 0};
};
HVX_DATABASE_TEST_SUITE(PositionLedger);

using AddFn = std::function<bool(HVXSConnection&, std::string_view, std::string_view, double)>;

struct Direction {
    const char* name;
    AddFn add;  // (connection, location, commodity, units)
    const char* columns;
    // A new row: its three totals, print flags and NUMCHANGE.
    const char* inserted;
    bool noticeOnUpdate;
};

const Direction kDirections[] = {
    {"received",
     [](HVXSConnection& c, std::string_view l, std::string_view m, double u) {
         return hvx::AddUnitsReceived(c, nullptr, l, m, u);
     },
     "URECVD,URECVM,URECVY", "12.5000\t12.5000\t12.5000\tT\tT\t0\t1", true},
    {"shipped",
     [](HVXSConnection& c, std::string_view l, std::string_view m, double u) {
         return hvx::AddUnitsShipped(c, nullptr, l, m, u);
     },
     "USHIPD,USHIPM,USHIPY", "12.5000\t12.5000\t12.5000\t\t\tF\t1", false},
};

TEST_P(PositionLedger, NewRowThenRunningTotals) {
    for (const Direction& d : kDirections) {
        SCOPED_TRACE(d.name);
        Exec("DELETE FROM HVXGR51A");
        Exec("DELETE FROM HVXNEXTNUM");
        host.broadcasts.clear();
        const std::string all = std::string(d.columns) + ",PRINTDPR,PRINTTP,NUMCHANGE,RECNO";

        ASSERT_TRUE(d.add(connection, "1", "CORN", 12.5));
        EXPECT_EQ(Position(all), std::vector<std::string>{d.inserted});
        ASSERT_EQ(host.broadcasts.size(), 1u);
        EXPECT_EQ(host.broadcasts[0].message, 14001u);
        EXPECT_EQ(host.broadcasts[0].operation, 8210);
        EXPECT_EQ(host.broadcasts[0].text, "1  CORN");

        // Day, month and year each keep their own total.
        Exec(std::string("UPDATE HVXGR51A SET ") + (d.columns[1] == 'R'
                                                        ? "URECVD='1',URECVM='10.5',URECVY=''"
                                                        : "USHIPD='1',USHIPM='10.5',USHIPY=''"));
        ASSERT_TRUE(d.add(connection, "1", "CORN", 2.25));
        ASSERT_TRUE(d.add(connection, "1", "CORN", -0.00004));
        EXPECT_EQ(Position(d.columns), std::vector<std::string>{"3.2500\t12.7500\t2.2500"});
        EXPECT_EQ(host.broadcasts.size(), d.noticeOnUpdate ? 3u : 1u);
        if (d.noticeOnUpdate) {
            EXPECT_EQ(host.broadcasts.back().operation, 8209);
        }
        EXPECT_EQ(Column("SELECT COUNT(*) FROM HVXGR51A"), std::vector<std::string>{"1"});

        // Another commodity at the location, and a quote in a name, get rows of their own.
        ASSERT_TRUE(d.add(connection, "12", "O'BRIEN", 4));
        EXPECT_EQ(Position(d.columns, "O''BRIEN", "12"),
                  std::vector<std::string>{"4.0000\t4.0000\t4.0000"});
        EXPECT_EQ(host.broadcasts.back().text, "12 O'BRIEN");
        EXPECT_EQ(Position(d.columns), std::vector<std::string>{"3.2500\t12.7500\t2.2500"});
    }
}

TEST_P(PositionLedger, FailedWriteIsFalseAndAnnouncesNothing) {
    for (const Direction& d : kDirections) {
        SCOPED_TRACE(d.name);
        Exec("DELETE FROM HVXGR51A");
        host.broadcasts.clear();
        ASSERT_TRUE(d.add(connection, "1", "CORN", 1));
        host.broadcasts.clear();
        // The select runs, the update is refused.
        hvx::Session::FailStatementForTesting(2);
        EXPECT_FALSE(d.add(connection, "1", "CORN", 1));
        hvx::Session::FailStatementForTesting(0);
        EXPECT_TRUE(host.broadcasts.empty());
    }
}

TEST(PositionKey, PadsTheLocationToThree) {
    EXPECT_EQ(hvx::PositionKey("", "CORN"), "   CORN");
    EXPECT_EQ(hvx::PositionKey("7", "SOY"), "7  SOY");
    EXPECT_EQ(hvx::PositionKey("ABC", "SOY"), "ABCSOY");
    EXPECT_EQ(hvx::PositionKey("MAIN", "SOY"), "MAINSOY");
}

TEST_P(PositionLedger, WithoutHostTheWriteStillHappens) {
    hvx::SetHostPort(nullptr);
    EXPECT_TRUE(hvx::AddUnitsReceived(connection, nullptr, "1", "CORN", 3));
    EXPECT_TRUE(hvx::AddUnitsReceived(connection, nullptr, "1", "CORN", 3));
    EXPECT_EQ(Position("URECVY"), std::vector<std::string>{"6.0000"});
    EXPECT_TRUE(host.broadcasts.empty());
}

TEST_P(PositionLedger, CompanyOwnedUnits) {
    // No position row: nothing to add to, and nothing is created.
    EXPECT_TRUE(hvx::AddCompanyOwned(connection, "CORN", "1", 25));
    EXPECT_EQ(Column("SELECT COUNT(*) FROM HVXGR51A"), std::vector<std::string>{"0"});

    const struct {
        const char* stored;
        double units;
        const char* expected;
    } cases[] = {
        {"", 25, "25.0000"},  // a row made by the received units
        {"10.0000", -2.5, "7.5000"},
        {"10", 1, "11.0000"},  // the guard matches the text as stored
        {"0.00005", 0, "0.0001"},
    };
    ASSERT_TRUE(hvx::AddUnitsReceived(connection, nullptr, "1", "CORN", 1));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        Exec(std::string("UPDATE HVXGR51A SET DPRCO='") + c.stored + "'");
        host.broadcasts.clear();
        EXPECT_TRUE(hvx::AddCompanyOwned(connection, "CORN", "1", c.units));
        EXPECT_EQ(Position("DPRCO"), std::vector<std::string>{c.expected});
        EXPECT_TRUE(host.broadcasts.empty());
    }
}

TEST_P(PositionLedger, CompanyOwnedGuardLosesToAnotherUser) {
    Exec(
        "INSERT INTO HVXGR51A (REFERENCE,LOCATION,DPRCO,NUMCHANGE,RECNO) "
        "VALUES ('CORN','1','10.0000','0',1)");
    std::string read;
    ASSERT_EQ(hvx::ReadCompanyOwned(connection, "CORN", "1", read), hvx::PositionRead::Found);
    EXPECT_EQ(read, "10.0000");
    // Another user moves the units between our read and our write.
    Exec("UPDATE HVXGR51A SET DPRCO='12.0000'");
    EXPECT_FALSE(hvx::UpdateCompanyOwned(connection, "CORN", "1", read, 5));
    EXPECT_EQ(Position("DPRCO"), std::vector<std::string>{"12.0000"});
    // Read afresh, the same change goes through on top of theirs.
    EXPECT_TRUE(hvx::AddCompanyOwned(connection, "CORN", "1", 5));
    EXPECT_EQ(Position("DPRCO"), std::vector<std::string>{"17.0000"});

    EXPECT_EQ(hvx::ReadCompanyOwned(connection, "CORN", "2", read), hvx::PositionRead::Missing);
    EXPECT_EQ(read, "");
}

TEST_P(PositionLedger, StoredUnitsAreReadToFifteenCharacters) {
    ASSERT_TRUE(hvx::AddUnitsReceived(connection, nullptr, "1", "CORN", 1));
    Exec("UPDATE HVXGR51A SET URECVD='123456789012345678',DPRCO='1234567890.12345678'");
    ASSERT_TRUE(hvx::AddUnitsReceived(connection, nullptr, "1", "CORN", 1));
    EXPECT_EQ(Position("URECVD,URECVM"), std::vector<std::string>{"123456789012346.0000\t2.0000"});
    std::string read;
    ASSERT_EQ(hvx::ReadCompanyOwned(connection, "CORN", "1", read), hvx::PositionRead::Found);
    EXPECT_EQ(read, "1234567890.1234");
}

}  // namespace
