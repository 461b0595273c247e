// The framework dialect as each engine receives it.
#include <gtest/gtest.h>

#include "platform/SqlDialect.h"

namespace {

using hvx::EngineKind;

std::string Translated(const char* sql, EngineKind kind) {
    std::string out, error;
    EXPECT_TRUE(hvx::TranslateSql(sql, kind, out, error)) << sql << ": " << error;
    return out;
}

TEST(SqlDialect, TranslatesDatesPlaceholdersAndStr) {
    // clang-format off
    const struct { const char *sql, *sqlite, *postgres; } cases[] = {
        {"SELECT A FROM T WHERE D={2024-03-07}", "SELECT A FROM T WHERE D='2024-03-07'",
         "SELECT A FROM T WHERE D=DATE '2024-03-07'"},
        {"UPDATE T SET D={03/07/2024}", "UPDATE T SET D='2024-03-07'", "UPDATE T SET D=DATE '2024-03-07'"},
        {"UPDATE T SET D={ }", "UPDATE T SET D=NULL", "UPDATE T SET D=NULL"},
        {"UPDATE T SET D={d '2024-03-07'}", "UPDATE T SET D='2024-03-07'",
         "UPDATE T SET D=DATE '2024-03-07'"},
        // Quoted text is data: braces and question marks in it stay as typed.
        {"SELECT A FROM T WHERE N='it''s {x}?' AND M = ? AND K = ?",
         "SELECT A FROM T WHERE N='it''s {x}?' AND M = ? AND K = ?",
         "SELECT A FROM T WHERE N='it''s {x}?' AND M = $1 AND K = $2"},
        {"SELECT str (MAX(RECNO)) FROM T", "SELECT CAST((MAX(RECNO)) AS TEXT) FROM T",
         "SELECT CAST((MAX(RECNO)) AS TEXT) FROM T"},
        // Only the word STR is the function: STREET and ASTR(...) are not.
        {"SELECT STREET, ASTR(X) FROM T", "SELECT STREET, ASTR(X) FROM T",
         "SELECT STREET, ASTR(X) FROM T"},
        // Row locks: PostgreSQL's own; SQLite's write transaction holds the whole file.
        {"SELECT A FROM T WHERE K = ? for  update", "SELECT A FROM T WHERE K = ?",
         "SELECT A FROM T WHERE K = $1 for  update"},
        {"SELECT FORM, UPDATED FROM T WHERE N='x FOR UPDATE'",
         "SELECT FORM, UPDATED FROM T WHERE N='x FOR UPDATE'",
         "SELECT FORM, UPDATED FROM T WHERE N='x FOR UPDATE'"}};
    // clang-format on
    for (const auto& c : cases) {
        EXPECT_EQ(Translated(c.sql, EngineKind::SQLite), c.sqlite) << c.sql;
        EXPECT_EQ(Translated(c.sql, EngineKind::PostgreSQL), c.postgres) << c.sql;
    }
}

// PostgreSQL sorts empty values where SQLite does (first ascending, last descending).
TEST(SqlDialect, SortKeysPlaceEmptyValuesAsSqliteDoes) {
    // clang-format off
    const std::pair<const char*, const char*> cases[] = {
        {"SELECT A FROM T order  by D desc , E NULLS LAST, F ASC LIMIT 5",
         "SELECT A FROM T order  by D desc NULLS LAST , E NULLS LAST, F ASC NULLS FIRST LIMIT 5"},
        {"SELECT A FROM (SELECT A FROM T ORDER BY COALESCE(A,B)) X ORDER BY 1",
         "SELECT A FROM (SELECT A FROM T ORDER BY COALESCE(A,B) NULLS FIRST) X ORDER BY 1 NULLS FIRST"},
        {"SELECT 'ORDER BY x', BORDER FROM T", "SELECT 'ORDER BY x', BORDER FROM T"}};
    // clang-format on
    for (const auto& [sql, postgres] : cases) {
        EXPECT_EQ(Translated(sql, EngineKind::PostgreSQL), postgres) << sql;
        EXPECT_EQ(Translated(sql, EngineKind::SQLite).find("NULLS") != std::string::npos,
                  std::string(sql).find("NULLS") != std::string::npos)
            << sql;
    }
}

TEST(SqlDialect, RefusesBraceThatHoldsNoDate) {
    std::string out, error;
    for (const char* sql : {"D={02/30/2024}", "D={tomorrow}", "D={2024-03-07"}) {
        EXPECT_FALSE(hvx::TranslateSql(sql, EngineKind::SQLite, out, error)) << sql;
        EXPECT_FALSE(error.empty()) << sql;
    }
}

}  // namespace
