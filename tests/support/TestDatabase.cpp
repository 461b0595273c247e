#include "support/TestDatabase.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "data/Schema.h"
#include "platform/Dates.h"
#include "platform/Session.h"

namespace hvxtest {
namespace {

std::string PgConninfo() {
    const char* pg = std::getenv("HARVEXA_TEST_PG");
    return pg ? pg : "";
}

std::string PgSchema() { return "hvxt_" + std::to_string(::getpid()); }

std::filesystem::path TempFolder() {
    static const std::filesystem::path folder = [] {
        std::string tmpl = (std::filesystem::temp_directory_path() / "harvexa-test-XXXXXX").string();
        const char* made = ::mkdtemp(tmpl.data());
        return std::filesystem::path(made ? made : "/tmp");
    }();
    return folder;
}

}  // namespace

std::vector<Backend> Backends() {
    std::vector<Backend> backends{Backend::SQLite};
    if (!PgConninfo().empty()) backends.push_back(Backend::PostgreSQL);
    return backends;
}

std::string BackendName(const ::testing::TestParamInfo<Backend>& info) {
    return info.param == Backend::SQLite ? "SQLite" : "PostgreSQL";
}

std::string FreshDatabase(Backend backend) {
    static int counter = 0;
    if (backend == Backend::SQLite) {
        const auto file = TempFolder() / ("test" + std::to_string(++counter) + ".db");
        std::filesystem::remove(file);
        std::filesystem::remove(file.string() + "-wal");
        std::filesystem::remove(file.string() + "-shm");
        return "sqlite:" + file.string();
    }
    // A schema of this process's own, emptied for each test.
    const std::string schema = PgSchema();
    std::string error;
    if (!hvx::Session::Open(PgConninfo(), error)) {
        ADD_FAILURE() << "PostgreSQL named by HARVEXA_TEST_PG cannot be reached: " << error;
        return PgConninfo();
    }
    Exec("DROP SCHEMA IF EXISTS " + schema + " CASCADE");
    Exec("CREATE SCHEMA " + schema);
    hvx::Session::Close();
    return PgConninfo() + " options='-c search_path=" + schema + "'";
}

void DatabaseTest::SetUp() {
    connection_ = FreshDatabase(GetParam());
    std::string error;
    ASSERT_TRUE(hvx::Session::Open(connection_, error, hvx::OpenMode::Create)) << error;
    ASSERT_TRUE(hvx::data::CreateSchema(error)) << error;
}

// A date a test pinned never leaks into the next test. On SQLite every date
// column must hold "YYYY-MM-DD" or nothing when a test ends: a date stored as
// bound ("MM/DD/YYYY") no longer sorts, and this catches any statement whose
// date placeholders the engine did not recognise.
void DatabaseTest::TearDown() {
    hvx::SetTodayForTesting({});
    const bool fullSchema = GetParam() == Backend::SQLite && hvx::Session::IsOpen() &&
                            hvx::data::StoredSchemaVersion() == hvx::data::ProgramSchemaVersion();
    for (const auto& table : hvx::data::AllTables())
        for (const auto& column : table.columns)
            if (fullSchema && column.type == hvx::data::ColumnType::Date) {
                EXPECT_EQ(Column(std::string("SELECT ") + column.name + " FROM " + table.name +
                                 " WHERE " + column.name + " NOT GLOB '[0-9][0-9][0-9][0-9]-[0-9]"
                                 "[0-9]-[0-9][0-9]' AND " + column.name + " <> ''"),
                          std::vector<std::string>{})
                    << table.name << "." << column.name;
            }
    hvx::Session::Close();
}

void Exec(const std::string& sql) {
    std::string error;
    ASSERT_TRUE(hvx::Session::IsOpen()) << "no session for: " << sql;
    ASSERT_TRUE(hvx::Session::Get()->ExecScript(sql, error)) << sql << "\n" << error;
}

std::vector<std::string> Rows(const std::string& sql) {
    std::vector<std::string> rows;
    std::string error;
    auto statement = hvx::Session::Prepare(sql, false, error);
    if (!statement || !statement->Execute({}, error)) {
        ADD_FAILURE() << sql << "\n" << error;
        return rows;
    }
    while (statement->Next()) {
        std::string row, value;
        for (int i = 0; i < statement->ColumnCount(); ++i) {
            if (i) row += '\t';
            row += statement->Column(i, value) ? value : "<NULL>";
        }
        rows.push_back(row);
    }
    return rows;
}

std::vector<std::string> Column(const std::string& sql) {
    std::vector<std::string> values;
    for (const std::string& row : Rows(sql)) values.push_back(row.substr(0, row.find('\t')));
    return values;
}

}  // namespace hvxtest
