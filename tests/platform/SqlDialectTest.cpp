// The framework dialect as each engine receives it.
#include <gtest/gtest.h>

#include "platform/SqlDialect.h"

namespace {

using hvx::EngineKind;

struct DialectCase {
    const char* sql;
    const char* sqlite;
    const char* postgres;
};

TEST(SqlDialect, TranslatesDatesPlaceholdersAndStr) {
    const DialectCase cases[] = {
        {"SELECT A FROM T WHERE D={2024-03-07}", "SELECT A FROM T WHERE D='2024-03-07'",
         "SELECT A FROM T WHERE D=DATE '2024-03-07'"},
        {"UPDATE T SET D={03/07/2024}", "UPDATE T SET D='2024-03-07'",
         "UPDATE T SET D=DATE '2024-03-07'"},
        {"UPDATE T SET D={ }", "UPDATE T SET D=NULL", "UPDATE T SET D=NULL"},
        {"UPDATE T SET D={d '2024-03-07'}", "UPDATE T SET D='2024-03-07'",
         "UPDATE T SET D=DATE '2024-03-07'"},
        {"SELECT A FROM T WHERE B = ? AND C = ?", "SELECT A FROM T WHERE B = ? AND C = ?",
         "SELECT A FROM T WHERE B = $1 AND C = $2"},
        // Quoted text is data: braces and question marks in it stay as typed.
        {"SELECT A FROM T WHERE N='{why?}' AND M = ?", "SELECT A FROM T WHERE N='{why?}' AND M = ?",
         "SELECT A FROM T WHERE N='{why?}' AND M = $1"},
        {"SELECT A FROM T WHERE N='it''s {x}?'", "SELECT A FROM T WHERE N='it''s {x}?'",
         "SELECT A FROM T WHERE N='it''s {x}?'"},
        {"SELECT REFERENCE,NAME,STR(RECNO) FROM HVXGR51",
         "SELECT REFERENCE,NAME,CAST((RECNO) AS TEXT) FROM HVXGR51",
         "SELECT REFERENCE,NAME,CAST((RECNO) AS TEXT) FROM HVXGR51"},
        {"SELECT str (MAX(RECNO)) FROM T", "SELECT CAST((MAX(RECNO)) AS TEXT) FROM T",
         "SELECT CAST((MAX(RECNO)) AS TEXT) FROM T"},
        // Only the word STR is the function: STREET and ASTR(...) are not.
        {"SELECT STREET, ASTR(X) FROM T", "SELECT STREET, ASTR(X) FROM T",
         "SELECT STREET, ASTR(X) FROM T"},
    };
    for (const auto& c : cases) {
        std::string out, error;
        ASSERT_TRUE(hvx::TranslateSql(c.sql, EngineKind::SQLite, out, error)) << c.sql << error;
        EXPECT_EQ(out, c.sqlite) << c.sql;
        ASSERT_TRUE(hvx::TranslateSql(c.sql, EngineKind::PostgreSQL, out, error)) << c.sql;
        EXPECT_EQ(out, c.postgres) << c.sql;
    }
}

// PostgreSQL is told to sort empty values where SQLite does: first in
// ascending order, last in descending order.
TEST(SqlDialect, SortKeysPlaceEmptyValuesAsSqliteDoes) {
    const std::pair<const char*, const char*> cases[] = {
        {"SELECT A FROM T ORDER BY D", "SELECT A FROM T ORDER BY D NULLS FIRST"},
        {"SELECT A FROM T WHERE L = ? ORDER BY COMMDATE, RECNO",
         "SELECT A FROM T WHERE L = $1 ORDER BY COMMDATE NULLS FIRST, RECNO NULLS FIRST"},
        {"SELECT A FROM T order  by D desc , E ASC LIMIT 5",
         "SELECT A FROM T order  by D desc NULLS LAST , E ASC NULLS FIRST LIMIT 5"},
        {"SELECT A FROM (SELECT A FROM T ORDER BY COALESCE(A,B)) X ORDER BY 1",
         "SELECT A FROM (SELECT A FROM T ORDER BY COALESCE(A,B) NULLS FIRST) X ORDER BY 1 "
         "NULLS FIRST"},
        {"SELECT A FROM T ORDER BY A NULLS LAST", "SELECT A FROM T ORDER BY A NULLS LAST"},
        {"SELECT 'ORDER BY x', BORDER FROM T", "SELECT 'ORDER BY x', BORDER FROM T"},
        {"SELECT A FROM T ORDER BY STR(A)", "SELECT A FROM T ORDER BY CAST((A) AS TEXT) NULLS FIRST"},
    };
    for (const auto& [sql, postgres] : cases) {
        std::string out, error;
        ASSERT_TRUE(hvx::TranslateSql(sql, EngineKind::PostgreSQL, out, error)) << sql;
        EXPECT_EQ(out, postgres) << sql;
        ASSERT_TRUE(hvx::TranslateSql(sql, EngineKind::SQLite, out, error)) << sql;
        // SQLite places them so already: its statements get no NULLS of ours.
        EXPECT_EQ(out.find("NULLS") != std::string::npos,
                  std::string(sql).find("NULLS") != std::string::npos)
            << sql;
    }
}

TEST(SqlDialect, RefusesBraceThatHoldsNoDate) {
    for (const char* sql : {"UPDATE T SET D={02/30/2024}", "UPDATE T SET D={tomorrow}",
                            "UPDATE T SET D={2024-03-07"}) {
        std::string out, error;
        EXPECT_FALSE(hvx::TranslateSql(sql, EngineKind::SQLite, out, error)) << sql;
        EXPECT_FALSE(error.empty()) << sql;
    }
}

}  // namespace
