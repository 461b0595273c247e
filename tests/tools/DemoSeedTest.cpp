// The demo seed: consistent links and bookkeeping, storage conventions, and
// all-or-nothing writing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>

#include "data/Schema.h"
#include "harvexa-admin/DemoSeed.h"
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
        ASSERT_TRUE(hvx::admin::SeedDemoData(error)) << error;
    }
};
HVX_DATABASE_TEST_SUITE(DemoSeed);

double Sum(const std::string& sql) {
    double total = 0;
    for (const std::string& v : Column(sql)) total += std::atof(v.c_str());
    return total;
}

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

// The record numbers and links the module hands out next collide with no
// seeded row.
TEST_P(DemoSeed, CountersLieBeyondTheSeededRows) {
    Seed();
    for (const hvx::data::TableDesc& table : hvx::data::AllTables()) {
        const std::string name = table.name;
        if (table.primaryKey || name == "HVXSCHEMA" || Sum("SELECT COUNT(*) FROM " + name) == 0)
            continue;
        EXPECT_EQ(NextNum(nullptr, 1, name, 10, 0, 1), Sum("SELECT MAX(RECNO) FROM " + name) + 1)
            << name;
    }
    // Link counters too lie beyond the link texts they handed out.
    for (const std::string& row : Rows("SELECT TABLENAME,COLNAME,NEXTVAL FROM HVXNEXTNUM "
                                       "WHERE COLNAME<>'RECNO'")) {
        const size_t a = row.find('\t'), b = row.rfind('\t');
        const std::string table = row.substr(0, a), column = row.substr(a + 1, b - a - 1);
        double highest = 0;
        for (const std::string& v : Column("SELECT " + column + " FROM " + table))
            highest = std::max(highest, std::atof(v.c_str()));
        EXPECT_GT(std::atof(row.substr(b + 1).c_str()), highest) << table << "." << column;
    }
}

// A statement that fails anywhere in the seed either fails it, leaving every
// table as it was, or (inside the next-number service, which retries a
// counter it could not advance and takes a number it could not check) is
// recovered from, and then the seed is complete. Never half of it. A second
// seed is refused and changes nothing.
TEST_P(DemoSeed, AFailureAnywhereLeavesNothingHalfSeeded) {
    const long start = hvx::Session::StatementsRun();
    Seed();
    const long total = hvx::Session::StatementsRun() - start;
    std::string error;
    const auto full = Snapshot();
    EXPECT_FALSE(hvx::admin::SeedDemoData(error));
    EXPECT_EQ(error,
              "The database already holds data (10 rows in HVXGR04); demo data is only seeded "
              "into an empty database.");
    EXPECT_EQ(Snapshot(), full);
    const auto counts = [] {
        std::map<std::string, size_t> rows;
        for (const auto& [table, all] : Snapshot()) rows[table] = all.size();
        return rows;
    };
    const auto seeded = counts();
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
        const bool ok = hvx::admin::SeedDemoData(error);
        hvx::Session::FailStatementForTesting(0);
        EXPECT_FALSE(hvx::Session::InTransaction()) << n;
        if (n >= total - 1) {
            EXPECT_FALSE(ok) << "failing statement " << n;
        }
        if (ok) {
            EXPECT_EQ(counts(), seeded) << "failing statement " << n;
            reset();
        } else {
            EXPECT_FALSE(error.empty()) << n;
            EXPECT_EQ(Snapshot(), pristine) << "failing statement " << n << ": " << error;
        }
    }
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
    for (const std::string table : {"HVXGR40", "HVXAR50", "HVXGR04D", "HVXGR04F", "HVXGR57A"}) {
        hvxtest::Exec(pg ? "CREATE TRIGGER HVXREFUSE BEFORE INSERT ON " + table +
                               " FOR EACH ROW EXECUTE FUNCTION HVXREFUSE()"
                         : "CREATE TRIGGER HVXREFUSE BEFORE INSERT ON " + table +
                               " BEGIN SELECT RAISE(ABORT, 'insert refused'); END");
        std::string error;
        EXPECT_FALSE(hvx::admin::SeedDemoData(error)) << table;
        EXPECT_EQ(error.rfind("Demo data not seeded, nothing was written: Unable to insert into " +
                                  table + ": ",
                              0),
                  0u)
            << error;
        EXPECT_NE(error.find("insert refused"), std::string::npos) << error;
        hvxtest::Exec(pg ? "DROP TRIGGER HVXREFUSE ON " + table : "DROP TRIGGER HVXREFUSE");
        EXPECT_EQ(Snapshot(), pristine) << table;
    }
}

}  // namespace
