// Schema versions: creation in one transaction, stepwise upgrade, refusal of
// a database that is newer than the program, and the messages for each case.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "data/Schema.h"
#include "platform/Session.h"
#include "support/TestDatabase.h"

namespace {

using namespace hvx::data;
using hvxtest::Column;
using hvxtest::Exec;

class SchemaVersion : public hvxtest::DatabaseTest {};
HVX_DATABASE_TEST_SUITE(SchemaVersion);

const char* const kNoSchema =
    "This database holds no Harvexa tables. Create them with: harvexa-admin init <database>";

// How many of the link and lookup indexes, and of the RECNO indexes, exist
// (PostgreSQL folds the names to lower case).
std::pair<size_t, size_t> CountIndexes(size_t& linkIndexesDescribed) {
    const bool sqlite = hvx::Session::Kind() == hvx::EngineKind::SQLite;
    std::set<std::string> present;
    for (std::string name : Column(
             sqlite
                 ? "SELECT UPPER(name) FROM sqlite_master WHERE type='index'"
                 : "SELECT UPPER(indexname) FROM pg_indexes WHERE schemaname = current_schema()"))
        present.insert(name);
    size_t links = 0, recnos = 0;
    linkIndexesDescribed = 0;
    for (const TableDesc& table : AllTables()) {
        for (const auto& columns : table.indexes) {
            ++linkIndexesDescribed;
            links += present.count(IndexName(table, columns));
        }
        recnos += present.count(RecnoIndexName(table));
    }
    return {links, recnos};
}

TEST_P(SchemaVersion, UpgradeFromVersionOneAddsTheIndexesOnce) {
    ASSERT_EQ(ProgramSchemaVersion(), 2);
    std::string error;
    ASSERT_TRUE(DropSchema(error)) << error;
    ASSERT_TRUE(CreateSchemaUpTo(1, error)) << error;
    EXPECT_EQ(StoredSchemaVersion(), 1);

    size_t described = 0;
    EXPECT_EQ(CountIndexes(described), std::pair(size_t{0}, AllTables().size() - 3))
        << "version 1 has no link indexes, but every RECNO is unique";
    ASSERT_GT(described, 0u);

    EXPECT_FALSE(CheckSchemaVersion(error));
    EXPECT_EQ(error,
              "This database has schema version 1, older than this program needs (version 2). "
              "Bring it up to date with: harvexa-admin upgrade <database>");

    int from = -1, to = -1;
    ASSERT_TRUE(UpgradeSchema(error, &from, &to)) << error;
    EXPECT_EQ(std::pair(from, to), std::pair(1, 2));
    EXPECT_EQ(CountIndexes(described).first, described);
    EXPECT_EQ(Column("SELECT VERSION FROM HVXSCHEMA"), std::vector<std::string>{"2"})
        << "exactly one version row";
    EXPECT_TRUE(CheckSchemaVersion(error)) << error;

    // Again: nothing to do, nothing changed.
    ASSERT_TRUE(UpgradeSchema(error, &from, &to)) << error;
    EXPECT_EQ(std::pair(from, to), std::pair(2, 2));
    EXPECT_EQ(Column("SELECT VERSION FROM HVXSCHEMA"), std::vector<std::string>{"2"});
}

TEST_P(SchemaVersion, MessagesForEachStateOfTheDatabase) {
    const std::string newer =
        "This database has schema version 99, newer than this program understands "
        "(version 2). Use a newer Harvexa program.";
    std::string error;
    EXPECT_TRUE(CheckSchemaVersion(error)) << error;

    error.clear();
    EXPECT_FALSE(CreateSchema(error));
    EXPECT_EQ(error, "This database already holds Harvexa tables (schema version 2).");

    Exec("UPDATE HVXSCHEMA SET VERSION = 99");
    EXPECT_FALSE(CheckSchemaVersion(error));
    EXPECT_EQ(error, newer);
    int from = -1;
    EXPECT_FALSE(UpgradeSchema(error, &from));
    EXPECT_EQ(error, newer);
    EXPECT_EQ(from, 99);
    EXPECT_EQ(Column("SELECT VERSION FROM HVXSCHEMA"), std::vector<std::string>{"99"});

    ASSERT_TRUE(DropSchema(error)) << error;
    for (const TableDesc& table : AllTables())
        EXPECT_FALSE(hvx::Session::Get()->TableExists(table.name)) << table.name;
    EXPECT_EQ(StoredSchemaVersion(), 0);
    EXPECT_FALSE(CheckSchemaVersion(error));
    EXPECT_EQ(error, kNoSchema);
    EXPECT_FALSE(UpgradeSchema(error));
    EXPECT_EQ(error, kNoSchema) << "nothing to upgrade";
    ASSERT_TRUE(DropSchema(error)) << "dropping twice is harmless: " << error;

    for (int version : {0, 3}) {
        EXPECT_FALSE(CreateSchemaUpTo(version, error));
        EXPECT_EQ(error, "There is no schema version " + std::to_string(version) +
                             "; this program knows versions 1 to 2.");
    }
}

// A creation that fails part-way leaves the database as it found it.
TEST_P(SchemaVersion, FailedCreationLeavesNothingBehind) {
    std::string error;
    ASSERT_TRUE(DropSchema(error)) << error;
    // A table of another program in the way of the last tables to be made.
    Exec("CREATE TABLE HVXREP4 (CHECKNUM TEXT)");
    EXPECT_FALSE(CreateSchema(error));
    EXPECT_EQ(error.rfind("Schema version 1 (tables) could not be made. Cannot create table "
                          "HVXREP4: ",
                          0),
              0u)
        << error;
    EXPECT_FALSE(hvx::Session::InTransaction());
    EXPECT_FALSE(hvx::Session::Get()->TableExists("HVXGR04"));
    EXPECT_FALSE(hvx::Session::Get()->TableExists("HVXSCHEMA"));
    EXPECT_TRUE(hvx::Session::Get()->TableExists("HVXREP4"));

    hvx::Session::Close();
    EXPECT_FALSE(CheckSchemaVersion(error));
    EXPECT_EQ(error, "The database is not open.");
}

}  // namespace
