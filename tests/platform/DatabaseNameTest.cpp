// Every program reads a database name the same way: a conninfo only when it is
// nothing but libpq keywords and their values.
#include <gtest/gtest.h>

#include "platform/DatabaseName.h"

TEST(DatabaseName, OnlyLibpqKeywordPairsOrUrlsNameAServer) {
    const struct { const char* name; bool server; const char* file; } cases[] = {
        {"host=/run/postgresql dbname=harvexa", true, ""},
        {"dbname = 'grain co' sslmode=disable", true, ""},
        {"postgresql://clerk@db/harvexa", true, ""},
        {"a=b.db", false, "a=b.db"},
        {"prices 2024=final.db", false, "prices 2024=final.db"},
        {"host=x nosuchkey=1", false, "host=x nosuchkey=1"},
        {"sqlite:dbname=x", false, "dbname=x"},
        {":oops.db", false, ":oops.db"}};
    for (const auto& c : cases) {
        EXPECT_EQ(hvx::IsPostgresConnection(c.name), c.server) << c.name;
        EXPECT_EQ(hvx::SqliteFile(c.name), c.file) << c.name;
    }
}
