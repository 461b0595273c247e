// On a database of years of settlements, every statement of a settlement's
// everyday work is answered through an index: the engine's plan of each
// reads no growing table whole (SQLite "SCAN <table>", PostgreSQL "Seq Scan
// on <table>" with current statistics).
#include <chrono>
#include <set>
#include <sstream>

#include "data/StatementPlan.h"
#include "harvexa-admin/AdminCommands.h"
#include "platform/SqlDialect.h"
#include "settlement/SettlementDeletion.h"
#include "settlement/SettlementLoad.h"
#include "settlement/SettlementReversal.h"
#include "settlement/SettlementSaveTestSupport.h"
#include "windows/BrowseOrders.h"
#include "windows/sources/SettleLookups.h"
#include "windows/sources/SourceSelectionController.h"

namespace {

using namespace hvx::settlement;
using namespace hvxtest;
using hvx::Param;
using hvx::Session;

constexpr long kGeneratedLines = 50000;

bool Excepted(const std::string& sql);

class StatementPlans : public SettlementSaveFixture {
protected:
    // The fixture's sources and settlement, then the generated years after
    // them, their links far above the fixture's own.
    void SetUp() override {
        SettlementSaveFixture::SetUp();
        const auto began = std::chrono::steady_clock::now();
        Exec("INSERT INTO HVXNEXTNUM (TABLENAME,COLNAME,NEXTVAL) VALUES "
             "('HVXGR04','RECNO',1000000),('HVXGR04D','RECNO',1000000)");
        hvx::admin::GenerateOptions options;
        options.lines = kGeneratedLines, options.settlements = kGeneratedLines / 8;
        std::ostringstream progress;
        std::string summary, error;
        ASSERT_TRUE(Session::Begin(error)) << error;
        ASSERT_TRUE(hvx::admin::GenerateSettlements(options, progress, summary, error)) << error;
        ASSERT_TRUE(Session::Commit(error)) << error;
        // A PostgreSQL server keeps its statistics current by itself; SQLite
        // keeps none unless asked, and the module never asks, so its planner
        // takes every table for a large one.
        if (GetParam() == Backend::PostgreSQL) Exec("ANALYZE");
        const auto took = std::chrono::steady_clock::now() - began;
        std::cout << summary << "Generated in "
                  << std::chrono::duration_cast<std::chrono::milliseconds>(took).count()
                  << " ms\n";
    }

    // Runs the work with its statements recorded, then asks the engine for
    // the plan of each (with the values of its first run).
    void ExpectIndexed(const char* work, const std::function<void()>& run) {
        std::vector<std::pair<std::string, std::vector<Param>>> ran;
        Session::WatchStatementsForTesting(
            [&](const std::string& sql, const std::vector<Param>& v) { ran.emplace_back(sql, v); });
        ui.pickLists.clear();
        run();
        Session::WatchStatementsForTesting({});
        // A pick list's rows are read by the window the UI shows.
        for (const std::string& list : ui.pickLists) {
            std::string sql, error;
            ASSERT_TRUE(hvx::TranslateSql(list, Session::Kind(), sql, error)) << error;
            ran.emplace_back(sql, std::vector<Param>{});
        }
        EXPECT_FALSE(ran.empty()) << work;
        std::set<std::string> seen;
        for (const auto& [sql, values] : ran) {
            if (!seen.insert(sql).second) continue;
            if (Excepted(sql)) continue;
            std::vector<std::string> plan;
            std::string error;
            ASSERT_TRUE(hvx::data::ExplainStatement(sql, values, plan, error)) << sql << "\n" << error;
            const std::vector<std::string> scans = hvx::data::FullScans(plan);
            if (scans.empty()) continue;
            std::string steps;
            for (const std::string& step : plan) steps += "\n  " + step;
            ADD_FAILURE() << "The " << work << " reads " << scans.front() << " whole:\n  " << sql
                          << steps;
        }
    }
};
HVX_DATABASE_TEST_SUITE(StatementPlans);

// The statements meant to read every row they select, each with its reason.
bool Excepted(const std::string& sql) {
    static const std::pair<const char*, const char*> kExceptions[] = {
        // The browse holds the ordered list of every settlement of the
        // window's type, read once when the window opens and after a save or
        // a deletion; Find, Next and Previous move within it.
        {"SELECT SETTLEMENT,RECNO,NUMCHANGE,SETLINK FROM HVXGR04 WHERE STYPE=", "browse list"},
    };
    return std::ranges::any_of(kExceptions,
                               [&](const auto& e) { return sql.rfind(e.first, 0) == 0; });
}

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

    // A customer's open scale tickets, an open contract picked from the
    // customer's list, and a browse of the settlements to one of them.
    const Texts contract = Rows("SELECT CUSTREF,STR(RECNO),CONTRACT FROM HVXGR04F WHERE "
                                "TODPR='Storage Ticket' AND STATUS='O' AND CONTRACT<>'' ORDER BY RECNO");
    ASSERT_FALSE(contract.empty());
    const Texts picked = Fields(contract.back());
    ExpectIndexed("source selection", [&] {
        hvx::SourceSelectionController dialog(
            ui, set, {"Scale Ticket", picked[0], "Priced", hvx::SettlementType::MultipleSource,
                      "03/07/2024"});
        ASSERT_TRUE(dialog.Fill());
    });
    ExpectIndexed("contract lookup", [&] {
        ui.picks = {{std::stod(picked[1]), picked[2]}};
        std::string start;
        hvx::ContractPick pick;
        ASSERT_EQ(hvx::FindContractToSettle(ui, "Storage Ticket", picked[0], start, pick, message),
                  hvx::LookupResult::Picked)
            << message;
    });
    ExpectIndexed("browse", [&] {
        hvx::OrderedFetch browse(hvx::SettlementBrowse(hvx::SettlementType::SingleSource));
        std::string error;
        ASSERT_TRUE(browse.Load(error)) << error;
        ASSERT_TRUE(browse.Find("1000") && browse.Next() && browse.Previous());
        SettlementRecordSet loaded;
        ASSERT_TRUE(LoadSettlement(loaded, (*browse.Current())[hvx::kBrowseSetLink],
                                   hvx::SettlementType::SingleSource, ui));
    });
}

}  // namespace
