// The schema as the module meets it: every described column, dates, text
// quantities and record numbers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/Schema.h"
#include "platform/HVXConnection.h"
#include "platform/Session.h"
#include "support/TestDatabase.h"

namespace {

using hvx::data::AllTables;
using hvx::data::ColumnType;
using hvxtest::Column;
using hvxtest::Exec;
using hvxtest::Rows;

class Schema : public hvxtest::DatabaseTest {};
HVX_DATABASE_TEST_SUITE(Schema);

bool Runs(const std::string& sql, std::string& error) {
    auto statement = hvx::Session::Prepare(sql, false, error);
    return statement && statement->Execute({}, error);
}

// Every date column takes a brace literal and a bound window date, reads
// both back as "MM/DD/YYYY", keeps an empty date empty and sorts as a date,
// the empty date first, and last in descending order, on every engine.
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
            EXPECT_EQ(Column("SELECT RECNO FROM " + t + " WHERE " + c +
                             " > {2024-01-01} ORDER BY " + c + " DESC"),
                      (std::vector<std::string>{"1"}));
            EXPECT_EQ(Column("SELECT RECNO FROM " + t + " ORDER BY " + c + " DESC"),
                      (std::vector<std::string>{"1", "2", "3"}));
        }
    }
    EXPECT_EQ(dates.size(), 23u) << "the suite's date columns are described as dates";
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

    // A RECNO is unique in its table.
    std::string error;
    EXPECT_FALSE(Runs("INSERT INTO HVXGR02S (LINEID,RECNO) VALUES ('008',5)", error));

    // Columns a statement leaves out read as empty text, and a guarded update
    // that repeats the empty value it read finds its row.
    Exec(
        "INSERT INTO HVXGR51A (REFERENCE,LOCATION,URECVD,NUMCHANGE,RECNO) "
        "VALUES ('CORN','MAIN','1.0000','0',1)");
    EXPECT_EQ(Column("SELECT DPRCO FROM HVXGR51A"), std::vector<std::string>{""});
    Exec(
        "UPDATE HVXGR51A SET DPRCO='3.0000' WHERE REFERENCE='CORN' AND LOCATION='MAIN' "
        "AND DPRCO=''");
    EXPECT_EQ(Column("SELECT DPRCO FROM HVXGR51A"), std::vector<std::string>{"3.0000"});
}

}  // namespace
