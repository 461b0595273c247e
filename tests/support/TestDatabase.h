#pragma once
// Database tests run once per engine: on a fresh SQLite file always, and on
// PostgreSQL when HARVEXA_TEST_PG holds a libpq conninfo of a server. Each
// test gets an empty database with the full schema; on PostgreSQL that is a
// schema of its own per test process, so parallel test programs never meet.
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace hvxtest {

enum class Backend { SQLite, PostgreSQL };

// The engines to run on: SQLite, and PostgreSQL when configured.
std::vector<Backend> Backends();
std::string BackendName(const ::testing::TestParamInfo<Backend>& info);

// Connection string of a fresh, empty database of the backend (no schema).
std::string FreshDatabase(Backend backend);

// Fixture: the session is open on a fresh database holding the schema.
class DatabaseTest : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override;
    void TearDown() override;
    std::string connection_;
};

// Runs literal SQL that must succeed (test set-up), failing the test otherwise.
void Exec(const std::string& sql);
// The first column of every row of a query, in order.
std::vector<std::string> Column(const std::string& sql);
// Every row of a query as tab-joined texts, in order ("<NULL>" for no value).
std::vector<std::string> Rows(const std::string& sql);

}  // namespace hvxtest

#define HVX_DATABASE_TEST_SUITE(Fixture)                                             \
    INSTANTIATE_TEST_SUITE_P(Engines, Fixture, ::testing::ValuesIn(hvxtest::Backends()), \
                             hvxtest::BackendName)
