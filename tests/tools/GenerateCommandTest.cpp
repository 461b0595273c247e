// harvexa-admin generate: option errors, numbering after what is on file, the
// counters moved past it, and a search over what was generated.
#include <gtest/gtest.h>

#include <sstream>

#include "harvexa-admin/AdminCommands.h"
#include "harvexa-admin/CommandLine.h"
#include "harvexa-admin/GeneratedSettlements.h"
#include "platform/HVXConnection.h"
#include "platform/NextNumbers.h"
#include "platform/Session.h"
#include "search/SettlementSearchRun.h"
#include "shell/Counters.h"
#include "support/TestDatabase.h"
#include "tools/AdminRun.h"

namespace {

using hvxtest::Column;

using hvxtest::Admin;
using Result = hvxtest::AdminResult;

TEST(AdminGenerate, OptionErrorsNameTheOptionAndItsRange) {
    // clang-format off
    const struct { std::vector<std::string> args; std::string err; } cases[] = {
        {{"--lines", "12x"}, "--lines takes a whole number from 1 to 100000000, not \"12x\"."},
        {{"--settlements", "0"}, "--settlements takes a whole number from 1 to 100000000, not \"0\"."},
        {{"--seed", "-1"}, "--seed takes a whole number from 0 to 4294967295, not \"-1\"."},
        {{"--seed"}, "--seed takes a whole number from 0 to 4294967295."},
        {{"--lines", "10"}, "every settlement has a line: --settlements 50000 is more than --lines 10."},
        {{"--speed", "3"}, "unknown option \"--speed\"."}};
    // clang-format on
    for (const auto& c : cases) {
        std::vector<std::string> args{"generate", "x.db"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const Result r = Admin(args);
        EXPECT_EQ(r.code, hvx::admin::kExitUsage);
        EXPECT_EQ(r.err, "harvexa-admin: generate: " + c.err + " See \"harvexa-admin --help\".\n");
    }
}

TEST(AdminGenerate, TheSameSeedGivesTheSameSettlements) {
    const auto first = [](std::uint32_t seed) {
        hvx::admin::SettlementGenerator g(40, 5, seed, hvx::admin::GenerateCustomers(5), {});
        hvx::admin::GeneratedSettlement s;
        std::string rows;
        while (g.Next(s))
            for (const auto& l : s.lines) rows += s.custName + s.settleDate + l.units + l.toDpr + "|";
        return rows;
    };
    EXPECT_EQ(first(7), first(7));
    EXPECT_NE(first(7), first(8));
}

class AdminGenerateDb : public hvxtest::DatabaseTest {};
HVX_DATABASE_TEST_SUITE(AdminGenerateDb);

TEST_P(AdminGenerateDb, AddsAfterTheDemoWithUniqueNumbersAndTheSearchFindsTheCustomers) {
    hvx::Session::Close();
    ASSERT_EQ(Admin({"seed-demo", connection_}).code, 0);
    Result r = Admin({"generate", connection_, "--lines", "300", "--settlements", "20"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "harvexa-admin generate: The database already holds 13 settlement lines; use "
                     "--force to add the generated settlements after them.\n");
    r = Admin({"generate", connection_, "--lines", "300", "--settlements", "20", "--force"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out.rfind("Generated 20 settlements with 300 lines for 10 customers (settlements "
                          "12 to 31) in ", 0), 0u) << r.out;
    std::string error;
    ASSERT_TRUE(hvx::Session::Open(connection_, error)) << error;

    EXPECT_EQ(Column("SELECT COUNT(*) FROM HVXGR04D"), std::vector<std::string>{"313"});
    EXPECT_EQ(Column("SELECT COUNT(DISTINCT RECNO) FROM HVXGR04D"), std::vector<std::string>{"313"});
    // Header record numbers and line links are one sequence, used once each.
    EXPECT_EQ(Column("SELECT COUNT(DISTINCT L) FROM (SELECT DLLINK AS L FROM HVXGR04D UNION ALL "
                     "SELECT SETLINK FROM HVXGR04) AS U"), std::vector<std::string>{"344"});
    EXPECT_EQ(Column("SELECT COUNT(*) FROM HVXGR04D D JOIN HVXGR04 H ON H.SETLINK = D.SETLINK "
                     "AND H.SETTLEMENT = D.SETTLEMENT AND H.CUSTREF = D.CUSTREF"),
              std::vector<std::string>{"313"});
    EXPECT_EQ(Column("SELECT COUNT(*) FROM HVXGR04 H JOIN HVXAR50 C ON C.REFERENCE = H.CUSTREF "
                     "AND C.NAME = H.CUSTNAME"), std::vector<std::string>{"31"});
    // Every assembly link names its line's destination record, as the save's do.
    EXPECT_EQ(Column("SELECT COUNT(*) FROM HVXGR04H H LEFT JOIN HVXGR04F F ON H.FLINK = "
                     "CAST(F.RECNO AS TEXT) AND F.SETLINK = H.SETTLINK WHERE F.RECNO IS NULL"),
              std::vector<std::string>{"0"});

    // The module's next numbers come after every generated one.
    HVXConnection prepared;
    EXPECT_EQ(hvx::NextSettlementNumber(prepared), 32);
    const std::string link = NextCharLnk(nullptr, 1, "HVXGR04D", "DLLINK");
    EXPECT_EQ(Column("SELECT COUNT(*) FROM HVXGR04D WHERE DLLINK = '" + link + "'"),
              std::vector<std::string>{"0"});
    EXPECT_GT(NextRecordNumber("HVXGR04D"), std::stod(Column("SELECT MAX(RECNO) FROM HVXGR04D")[0]));

    // A generated customer's name, apostrophe and all, finds every one of its lines.
    const std::string name = "Harold O'Brien";
    hvx::search::SettlementSearchObject criteria;
    criteria.SearchAll = false;
    criteria.Locations[1] = criteria.ExactMatchOnly = true;
    criteria.SearchInPosted = criteria.SearchInReversed = criteria.SearchInClosed = true;
    criteria.SearchString = name;
    hvx::search::SearchResults results;
    struct : hvx::search::SearchProgress {
        void LineRead() override {}
        void Scanned(long) override {}
        void Matched(long) override {}
    } quiet;
    const auto run = hvx::search::RunSettlementSearch(criteria, results, quiet);
    EXPECT_EQ(std::to_string(run.matched),
              Column("SELECT COUNT(*) FROM HVXGR04D WHERE CUSTNAME = 'Harold O''Brien'")[0]);
    EXPECT_GT(run.matched, 0);
    EXPECT_EQ(results.Cell(0, hvx::search::kCellCustName), name);
}

}  // namespace
