// Pick lists: column lists, the rows of a select, and typing ahead on the key.
#include <gtest/gtest.h>

#include "platform/HVXSConnection.h"
#include "platform/PickList.h"
#include "support/TestDatabase.h"

namespace {

using hvx::PickColumn;
using hvx::PickFlag;
using hvxtest::Exec;

// Literal SQL in the module's dialect ({date} literals), as the module writes it.
void ExecDialect(const std::string& sql) {
    HVXSConnection c;
    ASSERT_EQ(c.ExecSQLChange(sql), 1) << sql << ": " << c.LastError();
}

TEST(PickColumns, ParsesGroupsOfFour) {
    std::vector<PickColumn> columns;
    std::string error;
    ASSERT_TRUE(hvx::ParsePickColumns(
        "CWRREF,Reference,15,-1,VENREF,Vendor,15,0,ISSUDATE,Issue Date,20,-5", columns, error))
        << error;
    EXPECT_EQ(columns, (std::vector<PickColumn>{{"CWRREF", "Reference", 15, PickFlag::Lookup},
                                                {"VENREF", "Vendor", 15, PickFlag::Plain},
                                                {"ISSUDATE", "Issue Date", 20, PickFlag::Date}}));
    ASSERT_TRUE(hvx::ParsePickColumns("CUSTREF,Ref.,15,-3, CUSTNAME ,Name,30,-4", columns, error));
    EXPECT_EQ(columns[0].flag, PickFlag::CustomerReference);
    EXPECT_EQ(columns[1].name, "CUSTNAME");
    EXPECT_EQ(columns[1].flag, PickFlag::CustomerName);
}

TEST(PickColumns, RejectsMalformedLists) {
    const struct {
        const char* list;
        const char* error;
    } cases[] = {
        {"", "Column list is empty."},
        {"  ", "Column list is empty."},
        {"LOCREF,Reference,18", "Column list \"LOCREF,Reference,18\" is not in groups of four."},
        {"LOCREF,Reference,18,-1,",
         "Column list \"LOCREF,Reference,18,-1,\" is not in groups of four."},
        {"LOC REF,Reference,18,-1",
         "Bad column name \"LOC REF\" of column 1 in \"LOC REF,Reference,18,-1\"."},
        {"A,a,1,0,B;DROP,b,2,0",
         "Bad column name \"B;DROP\" of column 2 in \"A,a,1,0,B;DROP,b,2,0\"."},
        {"A,a,wide,0", "Bad width \"wide\" of column 1 in \"A,a,wide,0\"."},
        {"A,a,0,0", "Bad width \"0\" of column 1 in \"A,a,0,0\"."},
        {"A,a,12x,0", "Bad width \"12x\" of column 1 in \"A,a,12x,0\"."},
        {"A,a,10,-2", "Bad flag \"-2\" of column 1 in \"A,a,10,-2\"."},
        {"A,a,10,", "Bad flag \"\" of column 1 in \"A,a,10,\"."},
    };
    for (const auto& c : cases) {
        std::vector<PickColumn> columns;
        std::string error;
        EXPECT_FALSE(hvx::ParsePickColumns(c.list, columns, error)) << c.list;
        EXPECT_EQ(error, c.error);
        EXPECT_TRUE(columns.empty()) << c.list;
    }
}

class PickLists : public hvxtest::DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        Exec("INSERT INTO HVXINV16 (LOCREF,LOCDESC,RECNO) VALUES ('NORTH','North Elevator',7)");
        Exec("INSERT INTO HVXINV16 (LOCREF,LOCDESC,RECNO) VALUES ('main','Main Street',3)");
        Exec("INSERT INTO HVXINV16 (LOCREF,LOCDESC,RECNO) VALUES ('MILL','O''Neil Mill',12)");
        Exec("INSERT INTO HVXINV16 (LOCREF,LOCDESC,RECNO) VALUES ('EAST',NULL,5)");
    }
    static constexpr const char* kColumns = "LOCREF,Reference,18,-1,LOCDESC,Description,40,0";
    static constexpr const char* kSelect = "SELECT LOCREF,LOCDESC,STR(RECNO) FROM HVXINV16";
};
HVX_DATABASE_TEST_SUITE(PickLists);

TEST_P(PickLists, RowsInKeyOrderIgnoringCaseWithTheirRecordNumbers) {
    hvx::PickList list;
    std::string error;
    ASSERT_TRUE(list.Load(kColumns, kSelect, "", error)) << error;
    ASSERT_EQ(list.Rows().size(), 4u);
    const struct {
        const char* key;
        const char* description;
        double recno;
    } expected[] = {{"EAST", "", 5},
                    {"main", "Main Street", 3},
                    {"MILL", "O'Neil Mill", 12},
                    {"NORTH", "North Elevator", 7}};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(list.Rows()[i].cells,
                  (std::vector<std::string>{expected[i].key, expected[i].description}));
        EXPECT_EQ(list.Rows()[i].recno, expected[i].recno);
    }
}

TEST_P(PickLists, TypeAheadFindsTheFirstRowBeginningWithTheText) {
    hvx::PickList list;
    std::string error;
    ASSERT_TRUE(list.Load(kColumns, kSelect, "", error)) << error;
    const struct {
        const char* typed;
        int row;
    } cases[] = {{"", 0},       {"m", 1}, {"MI", 2}, {"mill", 2},
                 {"Mills", -1}, {"n", 3}, {"z", -1}, {"Main Street", -1}};
    for (const auto& c : cases) EXPECT_EQ(list.RowFor(c.typed), c.row) << c.typed;
    EXPECT_EQ(list.KeyText(2), "MILL");
}

TEST_P(PickLists, KeyColumnNamedByTheCallerIsTypedAheadAndHandedBack) {
    hvx::PickList list;
    std::string error;
    ASSERT_TRUE(list.Load("LOCDESC,Description,40,0,LOCREF,Reference,18,0",
                          "SELECT LOCDESC,LOCREF,STR(RECNO) FROM HVXINV16", "LOCREF", error))
        << error;
    EXPECT_EQ(list.KeyColumn(), 1);
    const int row = list.RowFor("nor");
    ASSERT_GE(row, 0);
    EXPECT_EQ(list.KeyText(row), "NORTH");
    EXPECT_EQ(list.Rows()[row].cells[0], "North Elevator");
    EXPECT_EQ(list.Rows()[row].recno, 7);
}

TEST_P(PickLists, PercentSignsInTheSelectReachTheEngineAsWritten) {
    hvx::PickList list;
    std::string error;
    ASSERT_TRUE(list.Load(kColumns,
                          "SELECT LOCREF,LOCDESC,STR(RECNO) FROM HVXINV16 WHERE LOCDESC LIKE '%i%'",
                          "", error))
        << error;
    std::vector<double> recnos;
    for (const auto& row : list.Rows()) recnos.push_back(row.recno);
    EXPECT_EQ(recnos, (std::vector<double>{3, 12}));
}

TEST_P(PickLists, DateKeysSortByDayAndNumberKeysByValue) {
    const char* receipts[] = {"'10',{2024-03-07},1", "'9',{2023-12-31},2", "'A2',{2024-01-15},3",
                              "'a1',{2024-01-15},4"};
    for (const char* r : receipts)
        ExecDialect(std::string("INSERT INTO HVXGR08 (CWRREF,ISSUDATE,RECNO) VALUES (") + r + ")");
    const struct {
        const char* columns;
        const char* select;
        std::vector<double> order;
    } cases[] = {
        {"ISSUDATE,Issue Date,20,-5,CWRREF,Reference,15,-1",
         "SELECT ISSUDATE,CWRREF,STR(RECNO) FROM HVXGR08",
         {2, 3, 4, 1}},
        {"CWRREF,Reference,15,-1,ISSUDATE,Issue Date,20,-5",
         "SELECT CWRREF,ISSUDATE,STR(RECNO) FROM HVXGR08",
         {2, 1, 4, 3}},
    };
    for (const auto& c : cases) {
        hvx::PickList list;
        std::string error;
        ASSERT_TRUE(list.Load(c.columns, c.select, "", error)) << error;
        std::vector<double> order;
        for (const auto& row : list.Rows()) order.push_back(row.recno);
        EXPECT_EQ(order, c.order) << c.columns;
    }
}

TEST_P(PickLists, SelectThatDisagreesWithTheColumnsOrFailsIsRefused) {
    const struct {
        const char* columns;
        const char* select;
        const char* error;
    } cases[] = {
        {kColumns, "SELECT LOCREF,STR(RECNO) FROM HVXINV16",
         "The list's select does not return 2 columns followed by STR(RECNO)."},
        {kColumns, "SELECT LOCREF,LOCDESC FROM HVXINV16",
         "The list's select does not return 2 columns followed by STR(RECNO)."},
        {kColumns, "SELECT LOCREF,LOCDESC,STR(RECNO) FROM NOSUCHTABLE",
         "The list could not be read: "},
        {"LOCREF,Reference,18", kSelect,
         "Column list \"LOCREF,Reference,18\" is not in groups of four."},
    };
    for (const auto& c : cases) {
        hvx::PickList list;
        std::string error;
        EXPECT_FALSE(list.Load(c.columns, c.select, "", error)) << c.select;
        EXPECT_EQ(error.substr(0, std::string(c.error).size()), c.error);
        EXPECT_TRUE(list.Rows().empty());
    }
}

}  // namespace
