// Pick lists: column lists, the rows of a select, and typing ahead on the key.
#include <gtest/gtest.h>

#include "platform/PickList.h"
#include "support/TestDatabase.h"

namespace {

using hvx::PickColumn;
using hvx::PickFlag;
using hvxtest::Exec;

TEST(PickColumns, ParsesGroupsOfFourAndRejectsMalformedLists) {
    std::vector<PickColumn> columns;
    std::string error;
    ASSERT_TRUE(hvx::ParsePickColumns("CWRREF,Reference,15,-1, ISSUDATE ,Issue Date,20,-5,A,a,1,0",
                                      columns, error))
        << error;
    EXPECT_EQ(columns, (std::vector<PickColumn>{{"CWRREF", "Reference", 15, PickFlag::Lookup},
                                                {"ISSUDATE", "Issue Date", 20, PickFlag::Date},
                                                {"A", "a", 1, PickFlag::Plain}}));
    // clang-format off
    const std::pair<const char*, const char*> cases[] = {
        {"  ", "Column list is empty."},
        {"LOCREF,Reference,18", "Column list \"LOCREF,Reference,18\" is not in groups of four."},
        {"A,a,1,0,B;DROP,b,2,0", "Bad column name \"B;DROP\" of column 2 in \"A,a,1,0,B;DROP,b,2,0\"."},
        {"A,a,0,0", "Bad width \"0\" of column 1 in \"A,a,0,0\"."},
        {"A,a,10,-2", "Bad flag \"-2\" of column 1 in \"A,a,10,-2\"."}};
    // clang-format on
    for (const auto& [list, message] : cases) {
        EXPECT_FALSE(hvx::ParsePickColumns(list, columns, error)) << list;
        EXPECT_EQ(error, message);
        EXPECT_TRUE(columns.empty()) << list;
    }
}

class PickLists : public hvxtest::DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        Exec(
            "INSERT INTO HVXINV16 (LOCREF,LOCDESC,RECNO) VALUES ('NORTH','North Elevator',7), "
            "('main','Main Street',3), ('MILL','O''Neil Mill',12), ('EAST',NULL,5)");
    }
    static constexpr const char* kColumns = "LOCREF,Reference,18,-1,LOCDESC,Description,40,0";
    static constexpr const char* kSelect = "SELECT LOCREF,LOCDESC,STR(RECNO) FROM HVXINV16";
};
HVX_DATABASE_TEST_SUITE(PickLists);

// Rows in key order ignoring case; typing finds the first key it begins.
TEST_P(PickLists, RowsInKeyOrderAndTypeAheadOnTheKey) {
    hvx::PickList list;
    std::string error;
    ASSERT_TRUE(list.Load(kColumns, kSelect, "", error)) << error;
    std::vector<std::string> rows;
    for (const auto& row : list.Rows())
        rows.push_back(row.cells[0] + "|" + row.cells[1] + "|" + std::to_string(int(row.recno)));
    EXPECT_EQ(rows, (std::vector<std::string>{"EAST||5", "main|Main Street|3",
                                              "MILL|O'Neil Mill|12", "NORTH|North Elevator|7"}));
    // clang-format off
    const std::pair<const char*, int> typed[] = {
        {"", 0}, {"m", 1}, {"MI", 2}, {"mill", 2}, {"Mills", -1}, {"n", 3}, {"z", -1}, {"Main Street", -1}};
    // clang-format on
    for (const auto& [text, row] : typed) EXPECT_EQ(list.RowFor(text), row) << text;
    EXPECT_EQ(list.KeyText(2), "MILL");

    // A key column named by the caller is typed ahead and handed back.
    ASSERT_TRUE(list.Load("LOCDESC,Description,40,0,LOCREF,Reference,18,0",
                          "SELECT LOCDESC,LOCREF,STR(RECNO) FROM HVXINV16", "LOCREF", error))
        << error;
    EXPECT_EQ(list.KeyColumn(), 1);
    const int row = list.RowFor("nor");
    ASSERT_GE(row, 0);
    EXPECT_EQ(list.KeyText(row), "NORTH");
    EXPECT_EQ(list.Rows()[row].cells[0], "North Elevator");

    // A "%" in the select reaches the engine as written, never as a conversion.
    ASSERT_TRUE(list.Load(kColumns, std::string(kSelect) + " WHERE LOCDESC LIKE '%i%'", "", error));
    ASSERT_EQ(list.Rows().size(), 2u);
    EXPECT_EQ(list.Rows()[0].recno + list.Rows()[1].recno, 3 + 12);
}

// Dates sort by day, numbers by value; a select that does not fit gives a message.
TEST_P(PickLists, RowsSortByTheKindOfKeyAndSelectsThatDisagreeAreRefused) {
    Exec(
        "INSERT INTO HVXGR08 (CWRREF,ISSUDATE,RECNO) VALUES ('10','2024-03-07',1), "
        "('9','2023-12-31',2), ('A2','2024-01-15',3), ('a1','2024-01-15',4)");
    const char* const shape = "The list's select does not return 2 columns followed by STR(RECNO).";
    // clang-format off
    const struct { const char *columns, *select, *expected; } cases[] = {
        {"ISSUDATE,Issue Date,20,-5,CWRREF,Reference,15,-1", "SELECT ISSUDATE,CWRREF,STR(RECNO) FROM HVXGR08", "2 3 4 1 "},
        {"CWRREF,Reference,15,-1,ISSUDATE,Issue Date,20,-5", "SELECT CWRREF,ISSUDATE,STR(RECNO) FROM HVXGR08", "2 1 4 3 "},
        {kColumns, "SELECT LOCREF,STR(RECNO) FROM HVXINV16", shape},
        {kColumns, "SELECT LOCREF,LOCDESC,STR(RECNO) FROM NOSUCHTABLE", "The list could not be read: "}};
    // clang-format on
    for (const auto& c : cases) {
        hvx::PickList list;
        std::string result;
        if (list.Load(c.columns, c.select, "", result))
            for (const auto& row : list.Rows()) result += std::to_string(int(row.recno)) + " ";
        else
            EXPECT_TRUE(list.Rows().empty());
        EXPECT_EQ(result.substr(0, std::string(c.expected).size()), c.expected) << c.select;
    }
}

}  // namespace
