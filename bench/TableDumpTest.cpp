// The dump two builds are compared by: a table's rows come out in one order
// whatever order they went in, and a value holding a tab, a line break or a
// backslash, an empty value and a NULL each keep one line and stay apart.
#include <gtest/gtest.h>

#include <sstream>

#include "TableDump.h"
#include "support/TestDatabase.h"

namespace {

class TableDumpTest : public hvxtest::DatabaseTest {};

TEST_P(TableDumpTest, RowsSortedAndValuesEscaped) {
    hvxtest::Exec("CREATE TABLE zz_dump (a TEXT, b TEXT)");
    hvxtest::Exec("INSERT INTO zz_dump VALUES ('b','2'),('x\ty\\z\nw',NULL),('a',NULL),"
                  "('a','1'),('a','')");
    std::ostringstream dump;
    std::string error;
    const bool postgres = GetParam() == hvxtest::Backend::PostgreSQL;
    ASSERT_TRUE(postgres ? hvxbench::DumpPostgres(connection_, dump, error)
                         : hvxbench::DumpSqlite(connection_.substr(7), dump, error))
        << error;
    const std::string text = dump.str();
    const auto from = text.find("TABLE zz_dump\n");
    ASSERT_NE(from, std::string::npos);
    EXPECT_EQ(text.substr(from),
              "TABLE zz_dump\na\tb\na\t\na\t1\na\t\\N\nb\t2\nx\\ty\\\\z\\nw\t\\N\n");
}

HVX_DATABASE_TEST_SUITE(TableDumpTest);

}  // namespace
