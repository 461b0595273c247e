// The benchmarks' settlements on a grown database: their reference rows and
// split come after the demo's and the generated ones, and their settlement
// numbers after every number on file, so nothing collides with a generated
// row and no generated ticket refers to the split.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "SettlementBench.h"
#include "support/FakeHost.h"
#include "support/TestDatabase.h"

namespace {

using hvxtest::Column;

TEST(GrownSeed, SeedRowsAndSettlementsComeAfterTheGenerated) {
    const std::string grown = "/tmp/hvx_bench_grown_test_" + std::to_string(getpid()) + ".db";
    setenv("HARVEXA_BENCH_GROWN", grown.c_str(), 1);
    setenv("HARVEXA_BENCH_GROWN_LINES", "300", 1);
    hvxtest::FakeHost host;
    hvx::SetHostPort(&host);
    std::string error;
    hvxbench::SettlementRecordSet second;
    ASSERT_TRUE(hvxbench::OpenSeeded(false, "grown_test", error)) << error;
    hvxbench::NewSettlement(second);
    ASSERT_TRUE(hvxbench::Save(second, error)) << error;

    for (const char* table :
         {"HVXAR50", "HVXGR51", "HVXINV16", "HVXGR52", "HVXGR40", "HVXGR02", "HVXGR02S"})
        EXPECT_EQ(Column(std::string("SELECT COUNT(*) - COUNT(DISTINCT RECNO) FROM ") + table),
                  std::vector<std::string>{"0"})
            << table;
    EXPECT_EQ(Column("SELECT COUNT(*) FROM HVXGR40"), std::vector<std::string>{"1"});
    const std::string generated =
        Column("SELECT MAX(CAST(SETTLEMENT AS INTEGER)) FROM HVXGR04 WHERE CUSTREF <> 'C1'")[0];
    EXPECT_EQ(Column("SELECT SETTLEMENT FROM HVXGR04 WHERE CUSTREF = 'C1' ORDER BY RECNO"),
              (std::vector<std::string>{std::to_string(std::stol(generated) + 1),
                                        std::to_string(std::stol(generated) + 2)}));
    // Both saves settled their 20 lines of 10.5 units on the one new split.
    EXPECT_EQ(Column("SELECT SETTUNITS FROM HVXGR02S WHERE ASSEMBLY = 'A100'"),
              std::vector<std::string>{"420.0000"});
    EXPECT_EQ(Column("SELECT COUNT(*) FROM HVXGR03A WHERE STDLINEID IN "
                     "(SELECT LINEID FROM HVXGR02S WHERE ASSEMBLY = 'A100')"),
              std::vector<std::string>{"0"});

    hvxbench::Discard(false, "grown_test");
    hvx::SetHostPort(nullptr);
    std::filesystem::remove(grown);
    unsetenv("HARVEXA_BENCH_GROWN");
    unsetenv("HARVEXA_BENCH_GROWN_LINES");
}

}  // namespace
