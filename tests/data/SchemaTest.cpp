// The schema (dates, text quantities, record numbers), its versions and their
// messages, and the reference lookups: found, invalid, quoted, price formats.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "data/ReferenceLookups.h"
#include "data/Schema.h"
#include "platform/HVXConnection.h"
#include "platform/Session.h"
#include "support/TestDatabase.h"

namespace {

using namespace hvx::data;
using hvxtest::Column;
using hvxtest::Exec;
using hvxtest::Rows;

class Schema : public hvxtest::DatabaseTest {};
HVX_DATABASE_TEST_SUITE(Schema);

bool Runs(const std::string& sql, std::string& error) {
    auto statement = hvx::Session::Prepare(sql, false, error);
    return statement && statement->Execute({}, error);
}

// Every date column takes literal and bound dates, reads them as MM/DD/YYYY and
// sorts them as dates, an empty one first (last descending), on every engine.
TEST_P(Schema, DateColumnsRoundTripAndSortAsDates) {
    std::vector<std::string> dates;
    for (const auto& table : AllTables()) {
        for (const auto& column : table.columns) {
            if (column.type != ColumnType::Date) continue;
            const std::string t = table.name, c = column.name;
            dates.push_back(t + "." + c);
            SCOPED_TRACE(dates.back());
            Exec("DELETE FROM " + t);
            std::string error;
            EXPECT_TRUE(
                Runs("INSERT INTO " + t + " (" + c + ",RECNO) VALUES ({2024-03-07},1)", error))
                << error;
            HVXConnection p;
            const std::string insert = "INSERT INTO " + t + " (" + c + ",RECNO) VALUES (?,?)";
            for (const char* bound : {"12/31/2023", ""}) {
                p.BindParam(insert, bound);
                p.BindDoubleParam(insert, bound[0] ? 2 : 3);
                EXPECT_EQ(p.ExecuteSQL(insert), 1) << p.LastError();
            }
            EXPECT_EQ(Rows("SELECT RECNO," + c + " FROM " + t + " ORDER BY " + c),
                      (std::vector<std::string>{"3\t<NULL>", "2\t12/31/2023", "1\t03/07/2024"}));
            EXPECT_EQ(Column("SELECT RECNO FROM " + t + " ORDER BY " + c + " DESC"),
                      (std::vector<std::string>{"1", "2", "3"}));
        }
    }
    EXPECT_EQ(dates.size(), 23u) << "the suite's date columns are described as dates";
    EXPECT_EQ(FindTable("hvxgr04f"), FindTable("HVXGR04F"));
    EXPECT_EQ(FindTable("HVXGR99"), nullptr);
}

TEST_P(Schema, TextColumnsKeepTheirTextAndRecnoIsANumber) {
    Exec(
        "INSERT INTO HVXGR02S (SHAREUNITS,SETTUNITS,PSETUNITS,LINEID,RECNO) "
        "VALUES ('12.5000','0012','1e3','007',5)");
    EXPECT_EQ(Rows("SELECT SHAREUNITS,SETTUNITS,PSETUNITS,LINEID,STR(RECNO) FROM HVXGR02S"),
              (std::vector<std::string>{"12.5000\t0012\t1e3\t007\t5"}));

    // RECNO is found by a bound text and by the unquoted "%.0f" of a number.
    HVXConnection p;
    const char* byRecno = "SELECT LINEID FROM HVXGR02S WHERE RECNO = ? AND RECNO = 5";
    p.BindParam(byRecno, "5");
    ASSERT_EQ(p.ExecuteSQL(byRecno), 1) << p.LastError();
    ASSERT_TRUE(p.FetchNext(byRecno));
    EXPECT_STREQ(p.ColumnVar(byRecno, 1), "007");

    // A column left out reads as empty text, which a guarded update finds.
    Exec(
        "INSERT INTO HVXGR51A (REFERENCE,LOCATION,URECVD,NUMCHANGE,RECNO) "
        "VALUES ('CORN','MAIN','1.0000','0',1)");
    Exec(
        "UPDATE HVXGR51A SET DPRCO='3.0000' WHERE REFERENCE='CORN' AND LOCATION='MAIN' "
        "AND DPRCO=''");
    EXPECT_EQ(Column("SELECT DPRCO FROM HVXGR51A"), std::vector<std::string>{"3.0000"});
}

// How many described link indexes and RECNO indexes exist (names upper-cased).
std::pair<size_t, size_t> CountIndexes(size_t& described) {
    const bool sqlite = hvx::Session::Kind() == hvx::EngineKind::SQLite;
    const std::vector<std::string> names = Column(
        sqlite ? "SELECT UPPER(name) FROM sqlite_master WHERE type='index'"
               : "SELECT UPPER(indexname) FROM pg_indexes WHERE schemaname = current_schema()");
    const std::set<std::string> present(names.begin(), names.end());
    size_t links = 0, recnos = 0;
    described = 0;
    for (const TableDesc& table : AllTables()) {
        for (const auto& columns : table.indexes) links += present.count(IndexName(table, columns));
        described += table.indexes.size();
        recnos += present.count(RecnoIndexName(table));
    }
    return {links, recnos};
}

TEST_P(Schema, UpgradesAddTheIndexesOnce) {
    ASSERT_EQ(ProgramSchemaVersion(), 3);
    std::string error;
    ASSERT_TRUE(DropSchema(error) && CreateSchemaUpTo(1, error)) << error;
    EXPECT_EQ(StoredSchemaVersion(), 1);
    size_t described = 0;
    EXPECT_EQ(CountIndexes(described), std::pair(size_t{0}, AllTables().size() - 3))
        << "version 1 has no link indexes, but every RECNO is unique";
    ASSERT_GT(described, 0u);
    EXPECT_FALSE(CheckSchemaVersion(error));
    EXPECT_EQ(error,
              "This database has schema version 1, older than this program needs (version 3). "
              "Bring it up to date with: harvexa-admin upgrade <database>");

    // Upgraded once; again there is nothing to do.
    for (const int before : {1, 3}) {
        int from = -1, to = -1;
        ASSERT_TRUE(UpgradeSchema(error, &from, &to)) << error;
        EXPECT_EQ(std::pair(from, to), std::pair(before, 3));
        EXPECT_EQ(CountIndexes(described).first, described);
        EXPECT_EQ(Column("SELECT VERSION FROM HVXSCHEMA"), std::vector<std::string>{"3"})
            << "exactly one version row";
        EXPECT_TRUE(CheckSchemaVersion(error)) << error;
    }
    // Version 2 has every index but the open-advance one, which its upgrade adds.
    ASSERT_TRUE(DropSchema(error) && CreateSchemaUpTo(2, error)) << error;
    const size_t atVersionTwo = CountIndexes(described).first;
    EXPECT_EQ(atVersionTwo, described - 1);
    ASSERT_TRUE(UpgradeSchema(error)) << error;
    EXPECT_EQ(CountIndexes(described).first, described);
}

TEST_P(Schema, MessagesForEachStateOfTheDatabase) {
    const std::string newer =
        "This database has schema version 99, newer than this program understands "
        "(version 3). Use a newer Harvexa program.";
    const std::string none =
        "This database holds no Harvexa tables. Create them with: harvexa-admin init <database>";
    std::string error;
    EXPECT_FALSE(CreateSchema(error));
    EXPECT_EQ(error, "This database already holds Harvexa tables (schema version 3).");

    Exec("UPDATE HVXSCHEMA SET VERSION = 99");
    int from = -1;
    EXPECT_FALSE(CheckSchemaVersion(error));
    EXPECT_EQ(error, newer);
    EXPECT_FALSE(UpgradeSchema(error, &from));
    EXPECT_EQ(error, newer);
    EXPECT_EQ(from, 99);
    EXPECT_EQ(Column("SELECT VERSION FROM HVXSCHEMA"), std::vector<std::string>{"99"});

    ASSERT_TRUE(DropSchema(error)) << error;
    for (const TableDesc& table : AllTables())
        EXPECT_FALSE(hvx::Session::Get()->TableExists(table.name)) << table.name;
    EXPECT_EQ(StoredSchemaVersion(), 0);
    EXPECT_FALSE(CheckSchemaVersion(error));
    EXPECT_EQ(error, none);
    EXPECT_FALSE(UpgradeSchema(error));
    EXPECT_EQ(error, none);
    for (int version : {0, 4}) {
        EXPECT_FALSE(CreateSchemaUpTo(version, error));
        EXPECT_EQ(error, "There is no schema version " + std::to_string(version) +
                             "; this program knows versions 1 to 3.");
    }
}

// A creation that fails part-way leaves the database as it found it.
TEST_P(Schema, FailedCreationLeavesNothingBehind) {
    std::string error;
    ASSERT_TRUE(DropSchema(error)) << error;
    // A table of another program in the way of the last tables to be made.
    Exec("CREATE TABLE HVXREP4 (CHECKNUM TEXT)");
    EXPECT_FALSE(CreateSchema(error));
    EXPECT_EQ(error.rfind(
                  "Schema version 1 (tables) could not be made. Cannot create table HVXREP4: ", 0),
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

class ReferenceLookups : public hvxtest::DatabaseTest {
protected:
    void SetUp() override {
        hvxtest::DatabaseTest::SetUp();
        Exec(
            "INSERT INTO HVXAR50 "
            "(REFERENCE,NAME,ADDRESS1,ADDRESS2,CITY,STATE,ZIPCODE,COUNTRY,RECNO) "
            "VALUES ('OB''1','O''Brien Farms','12 Mill Rd','','Ames','IA','50010','USA',3)");
        Exec("INSERT INTO HVXAP50 (REFERENCE,NAME,RECNO) VALUES ('ELEV','Elevator Bank',7)");
        Exec(
            "INSERT INTO HVXGR51 (REFERENCE,NAME,DECIMALS,RECNO) VALUES ('CORN','Yellow "
            "Corn','4',11)");
        Exec("INSERT INTO HVXGR51 (REFERENCE,NAME,RECNO) VALUES ('OATS','',12)");
        Exec("INSERT INTO HVXINV16 (LOCREF,LOCDESC,RECNO) VALUES ('MAIN','Main Street',21)");
    }
};
HVX_DATABASE_TEST_SUITE(ReferenceLookups);

TEST_P(ReferenceLookups, NamesAreFoundOrTheReferenceIsInvalid) {
    // clang-format off
    const struct {
        ReferenceName (*lookup)(std::string_view);
        const char *reference, *recno, *name;  // recno "" when not found
    } cases[] = {
        {LookupVendor, "ELEV", "7", "Elevator Bank"}, {LookupVendor, "elev", "", ""},
        {LookupVendor, "ELEV ", "", ""}, {LookupCommodity, "CORN", "11", "Yellow Corn"},
        {LookupCommodity, "OATS", "12", ""},  // a stored commodity with no name is valid
        {LookupCommodity, "WHEAT", "", ""}, {LookupLocation, "MAIN", "21", "Main Street"},
        {LookupLocation, "ELEV", "", ""}, {LookupLocation, "", "", ""}};
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reference);
        const ReferenceName result = c.lookup(c.reference);
        EXPECT_EQ(result.found, *c.recno != '\0');
        EXPECT_EQ(result.recno, c.recno);
        EXPECT_EQ(result.name, c.name);
        EXPECT_EQ(result.error, "");
    }
    const CustomerAddress found = LookupCustomer("OB'1");
    EXPECT_TRUE(found.found);
    EXPECT_EQ(found.name + "|" + found.address1 + "|" + found.address2 + "|" + found.city + "|" +
                  found.state + "|" + found.zipcode + "|" + found.country,
              "O'Brien Farms|12 Mill Rd||Ames|IA|50010|USA");
    const CustomerAddress missing = LookupCustomer("OB");
    EXPECT_FALSE(missing.found);
    EXPECT_EQ(missing.name + missing.error, "");

    Exec("DROP TABLE HVXAP50");
    const ReferenceName failed = LookupVendor("ELEV");
    EXPECT_FALSE(failed.found);
    EXPECT_NE(failed.error, "") << "a failed statement is not found, with its reason";
}

TEST_P(ReferenceLookups, PriceFormatFollowsTheCommodityDecimals) {
    EXPECT_EQ(LookupCommodityDecimals("CORN").decimals, "4");
    EXPECT_FALSE(LookupCommodityDecimals("WHEAT").found);
    EXPECT_EQ(CommodityPriceFormat("CORN"), "%.4f");
    EXPECT_EQ(CommodityPriceFormat("OATS"), "%.2f") << "no decimals stored";
    EXPECT_EQ(CommodityPriceFormat("WHEAT"), "%.2f") << "commodity not found";
    // clang-format off
    const std::pair<const char*, const char*> cases[] = {
        {"0", "%.0f"}, {" 3 ", "%.3f"}, {"4.0000", "%.4f"}, {"9", "%.9f"}, {"", "%.2f"},
        {"abc", "%.2f"}, {"2x", "%.2f"}, {"-1", "%.2f"}, {"10", "%.2f"}, {"2.5", "%.2f"}, {"nan", "%.2f"}};
    // clang-format on
    for (const auto& [decimals, format] : cases)
        EXPECT_EQ(PriceFormat(decimals), format) << decimals;
}

}  // namespace
