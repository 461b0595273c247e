// In CI the PostgreSQL run is required: a silent skip would hide breakage.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

TEST(Environment, PostgresRunIsNotSkippedInCi) {
    const char* ci = std::getenv("CI");
    if (!ci || std::string(ci) != "true") GTEST_SKIP() << "not in CI";
    const char* pg = std::getenv("HARVEXA_TEST_PG");
    EXPECT_TRUE(pg && *pg) << "CI must run the database tests on PostgreSQL too (HARVEXA_TEST_PG)";
}

}  // namespace
