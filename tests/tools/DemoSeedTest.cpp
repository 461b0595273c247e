// The demo seed: consistent links and bookkeeping, storage conventions, and
// all-or-nothing writing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <regex>
#include <set>
#include <string>

#include "data/Schema.h"
#include "data/demo/DemoSeed.h"
#include "platform/NextNumbers.h"
#include "platform/Session.h"
#include "support/TestDatabase.h"

namespace {

using hvxtest::Column;
using hvxtest::Rows;

class DemoSeed : public hvxtest::DatabaseTest {
protected:
    void Seed() {
        std::string error;
        ASSERT_TRUE(hvx::demo::SeedDemoData(error)) << error;
    }
};
HVX_DATABASE_TEST_SUITE(DemoSeed);

std::set<std::string> Values(const std::string& sql) {
    const std::vector<std::string> column = Column(sql);
    return {column.begin(), column.end()};
}

double Number(const std::string& text) { return std::atof(text.c_str()); }

// Every row of every table, in a fixed order.
std::map<std::string, std::vector<std::string>> Snapshot() {
    std::map<std::string, std::vector<std::string>> all;
    for (const hvx::data::TableDesc& table : hvx::data::AllTables()) {
        std::string order;
        for (size_t i = 1; i <= table.columns.size(); ++i)
            order += (i > 1 ? "," : "") + std::to_string(i);
        all[table.name] = Rows(std::string("SELECT * FROM ") + table.name + " ORDER BY " + order);
    }
    return all;
}

TEST_P(DemoSeed, EveryLinkFindsItsRecord) {
    Seed();
    struct Link {
        const char* child;
        const char* parent;
    };
    const Link links[] = {
        {"SELECT ASSEMBLY FROM HVXGR02S", "SELECT ASSEMBLY FROM HVXGR02"},
        {"SELECT ASSEMLINK FROM HVXGR03A", "SELECT LINEID FROM HVXGR02S"},
        {"SELECT TICKETNUM FROM HVXGR03G", "SELECT SCALETICK FROM HVXGR03A"},
        {"SELECT SETLINK FROM HVXGR04D", "SELECT SETLINK FROM HVXGR04"},
        {"SELECT SETLINK FROM HVXGR04F", "SELECT SETLINK FROM HVXGR04"},
        {"SELECT SETLINK FROM HVXGR04E", "SELECT SETLINK FROM HVXGR04"},
        {"SELECT DLLINK FROM HVXGR04F", "SELECT DLLINK FROM HVXGR04D"},
        {"SELECT DESTLINK FROM HVXGR04F", "SELECT RECNO FROM HVXGR04D"},
        {"SELECT DLLINK FROM HVXGR04A", "SELECT DLLINK FROM HVXGR04D"},
        {"SELECT DLLINK FROM HVXGR04B", "SELECT DLLINK FROM HVXGR04D"},
        {"SELECT DLLINK FROM HVXGR04C", "SELECT DLLINK FROM HVXGR04D"},
        {"SELECT FLINK FROM HVXGR04H", "SELECT RECNO FROM HVXGR04F"},
        {"SELECT ASSEMBLY FROM HVXGR04H", "SELECT ASSEMBLY FROM HVXGR02"},
        {"SELECT SETTLINK FROM HVXGR04H", "SELECT SETLINK FROM HVXGR04"},
        {"SELECT SOURCELINK FROM HVXGR04D WHERE SOURCE='Assembly'", "SELECT LINEID FROM HVXGR02S"},
        {"SELECT SOURCELINK FROM HVXGR04D WHERE SOURCE<>'Assembly'",
         "SELECT DLLINK FROM HVXGR04F WHERE STATUS='O'"},
        {"SELECT DEDUCT FROM HVXGR04C", "SELECT REFERENCE FROM HVXGR52"},
        {"SELECT TABLINK FROM HVXGR54B", "SELECT TABLINK FROM HVXGR54"},
        {"SELECT ADVLINK FROM HVXGR57A", "SELECT ADVLINK FROM HVXGR57"},
        {"SELECT SOURCELINK FROM HVXGR57A", "SELECT SETLINK FROM HVXGR04"},
        {"SELECT PAIDLINK FROM HVXGR57A", "SELECT DLLINK FROM HVXGR04D"},
        {"SELECT CONTRACT FROM HVXGR01G", "SELECT CONTRACT FROM HVXGR01"},
        {"SELECT GRADFACT FROM HVXGR51B", "SELECT GRADFACT FROM HVXGR50"},
        {"SELECT COMMODITY FROM HVXGR02S", "SELECT REFERENCE FROM HVXGR51"},
        {"SELECT REFERENCE FROM HVXGR51A", "SELECT REFERENCE FROM HVXGR51"},
        {"SELECT LOCATION FROM HVXGR04F", "SELECT LOCREF FROM HVXINV16"},
        {"SELECT CUSTREF FROM HVXGR04", "SELECT REFERENCE FROM HVXAR50"},
        {"SELECT CUSTREF FROM HVXGR02S", "SELECT REFERENCE FROM HVXAR50"},
        {"SELECT CUSTREF FROM HVXGR05", "SELECT REFERENCE FROM HVXAR50"},
        {"SELECT CUSTREF FROM HVXGR57", "SELECT REFERENCE FROM HVXAR50"},
        {"SELECT DSERVICE FROM HVXGR40", "SELECT REFERENCE FROM HVXGR52"},
        {"SELECT DSTORAGE FROM HVXGR40", "SELECT REFERENCE FROM HVXGR52"},
        {"SELECT DINTEREST FROM HVXGR40", "SELECT REFERENCE FROM HVXGR52"},
    };
    for (const Link& link : links) {
        const std::set<std::string> parents = Values(link.parent);
        const std::vector<std::string> children = Column(link.child);
        EXPECT_FALSE(children.empty()) << link.child;
        for (const std::string& child : children)
            EXPECT_TRUE(parents.count(child))
                << link.child << " -> " << link.parent << ": " << child;
    }
    // A settlement's link is its own record number.
    for (const std::string& row : Rows("SELECT SETLINK,RECNO FROM HVXGR04"))
        EXPECT_EQ(row.substr(0, row.find('\t')), row.substr(row.find('\t') + 1));
}

TEST_P(DemoSeed, RecordNumbersAreUniqueAndCountersLieBeyondThem) {
    Seed();
    for (const hvx::data::TableDesc& table : hvx::data::AllTables()) {
        const std::string name = table.name;
        const bool hasRecno =
            std::any_of(table.columns.begin(), table.columns.end(),
                        [](const auto& c) { return std::string(c.name) == "RECNO"; });
        if (!hasRecno || Column("SELECT COUNT(*) FROM " + name) == std::vector<std::string>{"0"})
            continue;
        EXPECT_EQ(Column("SELECT COUNT(*) FROM " + name),
                  Column("SELECT COUNT(DISTINCT RECNO) FROM " + name))
            << name;
        // The next record the module adds must not collide with a seeded one.
        const double highest = Number(Column("SELECT MAX(RECNO) FROM " + name)[0]);
        EXPECT_EQ(NextNum(nullptr, 1, name, 10, 0, 1), highest + 1) << name;
    }
    // Link counters too, over the link texts they handed out.
    for (const std::string& row : Rows("SELECT TABLENAME,COLNAME,NEXTVAL FROM HVXNEXTNUM "
                                       "WHERE COLNAME<>'RECNO'")) {
        const size_t a = row.find('\t'), b = row.rfind('\t');
        const std::string table = row.substr(0, a), column = row.substr(a + 1, b - a - 1);
        double highest = 0;
        for (const std::string& v : Column("SELECT " + column + " FROM " + table))
            highest = std::max(highest, Number(v));
        EXPECT_GT(Number(row.substr(b + 1)), highest) << table << "." << column;
    }
}

TEST_P(DemoSeed, TextsFollowTheStorageConventions) {
    Seed();
    const std::regex units(R"(-?\d+\.\d{4})"), money(R"(-?\d+\.\d{2})"), flag("T|F"),
        openClosed("O|C"), date(R"(\d\d/\d\d/2026|\d\d/\d\d/2027)");
    const std::pair<const char*, const std::regex*> checks[] = {
        {"SELECT OUNITS FROM HVXGR04F", &units},    {"SELECT UNITSSET FROM HVXGR04F", &units},
        {"SELECT UNITSSET FROM HVXGR04D", &units},  {"SELECT SHAREUNITS FROM HVXGR02S", &units},
        {"SELECT SETTUNITS FROM HVXGR02S", &units}, {"SELECT PSETUNITS FROM HVXGR02S", &units},
        {"SELECT UNITS FROM HVXGR03A", &units},     {"SELECT URECVY FROM HVXGR51A", &units},
        {"SELECT DPRCO FROM HVXGR51A", &units},     {"SELECT CQTY FROM HVXGR05", &units},
        {"SELECT CHECKAMT FROM HVXGR04", &money},   {"SELECT NETAMT FROM HVXGR04F", &money},
        {"SELECT AMOUNT FROM HVXGR04C", &money},    {"SELECT AMOUNT FROM HVXGR57", &money},
        {"SELECT RAMOUNT FROM HVXGR57", &money},    {"SELECT AMOUNT FROM HVXGR57A", &money},
        {"SELECT POSTED FROM HVXGR04", &flag},      {"SELECT REVERSED FROM HVXGR04D", &flag},
        {"SELECT PATRONAGE FROM HVXGR04D", &flag},  {"SELECT SETTLED FROM HVXGR02S", &flag},
        {"SELECT SETTBYTICK FROM HVXGR40", &flag},  {"SELECT STATUS FROM HVXGR04F", &openClosed},
        {"SELECT SETDTE FROM HVXGR04F", &date},     {"SELECT ADVDATE FROM HVXGR57", &date},
    };
    for (const auto& [sql, pattern] : checks)
        for (const std::string& value : Column(sql))
            EXPECT_TRUE(std::regex_match(value, *pattern)) << sql << ": \"" << value << "\"";
    // Closed exactly when nothing is left open.
    for (const std::string& row : Rows("SELECT OUNITS,STATUS FROM HVXGR04F"))
        EXPECT_EQ(row.substr(row.find('\t') + 1), Number(row) == 0 ? "C" : "O") << row;
}

TEST_P(DemoSeed, UnitsAndMoneyAddUpAcrossTheTables) {
    Seed();
    auto sum = [](const std::string& sql) {
        double total = 0;
        for (const std::string& v : Column(sql)) total += Number(v);
        return total;
    };
    // Shares are the tickets weighed; settled units are what settlements took.
    for (const std::string& id : Column("SELECT LINEID FROM HVXGR02S")) {
        const std::string split = " FROM HVXGR02S WHERE LINEID='" + id + "'";
        EXPECT_NEAR(sum("SELECT SHAREUNITS" + split),
                    sum("SELECT UNITS FROM HVXGR03A WHERE ASSEMLINK='" + id + "'"), 1e-6);
        EXPECT_NEAR(sum("SELECT SETTUNITS" + split),
                    sum("SELECT UNITSSET FROM HVXGR04D WHERE SOURCELINK='" + id +
                        "' AND SOURCE='Assembly'"),
                    1e-6);
    }
    // An open contract keeps what later settlements did not draw from it.
    for (const std::string& link : Column("SELECT DLLINK FROM HVXGR04F WHERE TODPR<>'Priced'")) {
        const std::string where = " FROM HVXGR04F WHERE DLLINK='" + link + "'";
        EXPECT_NEAR(sum("SELECT OUNITS" + where),
                    sum("SELECT UNITSSET" + where) -
                        sum("SELECT UNITSSET FROM HVXGR04D WHERE SOURCE<>'Assembly' AND "
                            "SOURCELINK='" +
                            link + "'"),
                    1e-6);
        // Net = gross less deductions plus additions.
        EXPECT_NEAR(sum("SELECT NETAMT" + where),
                    sum("SELECT GROSSAMT" + where) -
                        sum("SELECT AMOUNT FROM HVXGR04C WHERE DA='D' AND DLLINK='" + link + "'") +
                        sum("SELECT AMOUNT FROM HVXGR04C WHERE DA='A' AND DLLINK='" + link + "'"),
                    1e-6);
    }
    // A check pays the net of the settlement's priced lines.
    for (const std::string& setLink : Column("SELECT SETLINK FROM HVXGR04"))
        EXPECT_NEAR(
            sum("SELECT CHECKAMT FROM HVXGR04 WHERE SETLINK='" + setLink + "'"),
            sum("SELECT NETAMT FROM HVXGR04F WHERE TODPR='Priced' AND SETLINK='" + setLink + "'"),
            1e-6);
    // Advances: repaid amounts are the repayments, which are the advance deductions.
    for (const std::string& adv : Column("SELECT ADVLINK FROM HVXGR57"))
        EXPECT_NEAR(sum("SELECT RAMOUNT FROM HVXGR57 WHERE ADVLINK='" + adv + "'"),
                    sum("SELECT AMOUNT FROM HVXGR57A WHERE ADVLINK='" + adv + "'"), 1e-6);
    EXPECT_NEAR(sum("SELECT AMOUNT FROM HVXGR57A"),
                sum("SELECT AMOUNT FROM HVXGR04C WHERE DEDUCT='ADVANCE'"), 1e-6);

    // The storage ticket sold from in part, and the advances it repaid
    // (oldest first: the first in full, the second in part).
    EXPECT_EQ(Column("SELECT OUNITS FROM HVXGR04F WHERE CONTRACT='ST-1001'"),
              std::vector<std::string>{"1450.0000"});
    EXPECT_EQ(Rows("SELECT AMOUNT,RAMOUNT,OPENPAID FROM HVXGR57 WHERE CUSTREF='ANDERSON' "
                   "ORDER BY ADVDATE"),
              (std::vector<std::string>{"1000.00\t1000.00\tP", "2000.00\t500.00\tO"}));
    EXPECT_EQ(Column("SELECT CHECKAMT FROM HVXGR04 WHERE SETTLEMENT='9'"),
              std::vector<std::string>{"2741.60"});
}

TEST_P(DemoSeed, CoversWhatTheWindowsOffer) {
    Seed();
    const std::pair<const char*, const char*> expected[] = {
        {"SELECT COUNT(*) FROM HVXGR40", "1"},
        {"SELECT CONFIG18 FROM HVXGR40", "11"},  // after the ten seeded settlements
        {"SELECT NAME FROM HVXAR50 WHERE REFERENCE='OBRIEN'", "Patrick O'Brien"},
        {"SELECT COUNT(*) FROM HVXGR04E WHERE PAYNAME='Patrick O''Brien'", "2"},
        {"SELECT COUNT(DISTINCT CUSTREF) FROM HVXGR02S", "7"},
        {"SELECT COUNT(*) FROM HVXGR52 WHERE RATEUNIT<>''", "6"},
        {"SELECT COUNT(*) FROM HVXGR52 WHERE GRDOLLAR<>''", "2"},
        {"SELECT COUNT(*) FROM HVXGR52 WHERE ADVCODE='1'", "2"},
        {"SELECT COUNT(*) FROM HVXGR52 WHERE GRAINTAX='1'", "1"},
        {"SELECT COUNT(*) FROM HVXGR52 WHERE MAKEENTRY='1'", "2"},
        {"SELECT COUNT(*) FROM HVXGR54 WHERE DOPERCENT='T'", "1"},
        {"SELECT COUNT(DISTINCT TODPR) FROM HVXGR04F WHERE STATUS='O'", "5"},
        {"SELECT COUNT(*) FROM HVXGR57 WHERE OPENPAID='O'", "3"},
        {"SELECT COUNT(*) FROM HVXGR02S WHERE SETTLED='F'", "5"},
        {"SELECT COUNT(*) FROM HVXGR05 WHERE STATUS<>'Closed'", "2"},
    };
    for (const auto& [sql, value] : expected)
        EXPECT_EQ(Column(sql), std::vector<std::string>{value}) << sql;
    // Lien holders become mortgagees only while the lien runs: Halvorsen's
    // expired before his settlement.
    EXPECT_EQ(Column("SELECT PAYNAME FROM HVXGR04E WHERE PNTYPE='1' AND SETTLEMENT='5'"),
              std::vector<std::string>{});
}

TEST_P(DemoSeed, SeedingTwiceIsRefusedAndChangesNothing) {
    Seed();
    const auto before = Snapshot();
    std::string error;
    EXPECT_FALSE(hvx::demo::SeedDemoData(error));
    EXPECT_EQ(error,
              "The database already holds data (10 rows in HVXGR04); demo data is only seeded "
              "into an empty database.");
    EXPECT_EQ(Snapshot(), before);
}

std::map<std::string, std::string> RowCounts() {
    std::map<std::string, std::string> counts;
    for (const hvx::data::TableDesc& table : hvx::data::AllTables())
        counts[table.name] = Column(std::string("SELECT COUNT(*) FROM ") + table.name)[0];
    return counts;
}

// A statement that fails anywhere in the seed either fails it, leaving every
// table as it was, or (inside the next-number service, which retries a
// counter it could not advance and takes a number it could not check) is
// recovered from, and then the seed is complete. Never half of it.
TEST_P(DemoSeed, AFailureAnywhereLeavesNothingHalfSeeded) {
    const long start = hvx::Session::StatementsRun();
    Seed();
    const long total = hvx::Session::StatementsRun() - start;
    const auto seeded = RowCounts();
    std::string error;
    auto reset = [&] {
        ASSERT_TRUE(hvx::data::DropSchema(error) && hvx::data::CreateSchema(error)) << error;
    };
    reset();
    const auto pristine = Snapshot();

    std::vector<long> points;
    for (long n = 1; n < total - 1; n += std::max(1L, total / 16)) points.push_back(n);
    points.push_back(total - 1);  // the last insert
    points.push_back(total);      // the commit
    for (long n : points) {
        hvx::Session::FailStatementForTesting(n);
        error.clear();
        const bool ok = hvx::demo::SeedDemoData(error);
        hvx::Session::FailStatementForTesting(0);
        EXPECT_FALSE(hvx::Session::InTransaction()) << n;
        if (n >= total - 1) {
            EXPECT_FALSE(ok) << "failing statement " << n;
        }
        if (ok) {
            EXPECT_EQ(RowCounts(), seeded) << "failing statement " << n;
            reset();
        } else {
            EXPECT_FALSE(error.empty()) << n;
            EXPECT_EQ(Snapshot(), pristine) << "failing statement " << n << ": " << error;
        }
    }
    EXPECT_TRUE(hvx::demo::SeedDemoData(error)) << error;
}

// The engine itself refuses the rows of one table, as a constraint or a full
// disk would; on PostgreSQL this also leaves the transaction aborted.
TEST_P(DemoSeed, ARefusedInsertIntoAnyTableRollsEverythingBack) {
    const bool pg = GetParam() == hvxtest::Backend::PostgreSQL;
    if (pg)
        hvxtest::Exec(
            "CREATE OR REPLACE FUNCTION HVXREFUSE() RETURNS trigger AS $$ BEGIN "
            "RAISE EXCEPTION 'insert refused'; END $$ LANGUAGE plpgsql");
    const auto pristine = Snapshot();
    for (const std::string table :
         {"HVXGR40", "HVXGR54B", "HVXAR50", "HVXGR03G", "HVXGR04D", "HVXGR04F", "HVXGR57A"}) {
        hvxtest::Exec(pg ? "CREATE TRIGGER HVXREFUSE BEFORE INSERT ON " + table +
                               " FOR EACH ROW EXECUTE FUNCTION HVXREFUSE()"
                         : "CREATE TRIGGER HVXREFUSE BEFORE INSERT ON " + table +
                               " BEGIN SELECT RAISE(ABORT, 'insert refused'); END");
        std::string error;
        EXPECT_FALSE(hvx::demo::SeedDemoData(error)) << table;
        EXPECT_EQ(error.rfind("Demo data not seeded, nothing was written: Unable to insert into " +
                                  table + ": ",
                              0),
                  0u)
            << error;
        EXPECT_NE(error.find("insert refused"), std::string::npos) << error;
        hvxtest::Exec(pg ? "DROP TRIGGER HVXREFUSE ON " + table : "DROP TRIGGER HVXREFUSE");
        EXPECT_EQ(Snapshot(), pristine) << table;
    }
    Seed();
}

TEST_P(DemoSeed, RefusesADatabaseWithoutTheSchema) {
    std::string error;
    ASSERT_TRUE(hvx::data::DropSchema(error)) << error;
    EXPECT_FALSE(hvx::demo::SeedDemoData(error));
    EXPECT_EQ(error,
              "This database holds no Harvexa tables. Create them with: harvexa-admin init "
              "<database>");
}

}  // namespace
