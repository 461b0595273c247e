// Literal statements run as prepared shapes: which values are taken out, and
// that the rows written and read are those of the literal text, byte for byte.
#include <gtest/gtest.h>

#include "platform/HVXSConnection.h"
#include "platform/LiteralShape.h"
#include "platform/Session.h"
#include "support/TestDatabase.h"

namespace {

using hvx::EngineKind;
using hvxtest::Rows;
using Texts = std::vector<std::string>;

TEST(LiteralShape, TakesOutOnlyValuesThatBindAsTheyRead) {
    // clang-format off
    const struct { const char *sql, *shape; Texts values; EngineKind engine = EngineKind::SQLite; } cases[] = {
        // Select lists and ORDER BY / GROUP BY positions keep their literals.
        {"SELECT A,'x',3 FROM T WHERE B='y' AND C=42 ORDER BY 2",
         "SELECT A,'x',3 FROM T WHERE B=? AND C=? ORDER BY 2", {"y", "42"}},
        {"SELECT COUNT(*) FROM T WHERE X IN (SELECT Y FROM U WHERE Z='a') GROUP BY 1",
         "SELECT COUNT(*) FROM T WHERE X IN (SELECT Y FROM U WHERE Z=?) GROUP BY 1", {"a"}},
        // A fraction, a typed literal and a 16-digit number say their own type.
        {"UPDATE T SET Q='1.5000',R=2.5,S=1e3 WHERE RECNO=7 AND K=1234567890123456",
         "UPDATE T SET Q=?,R=2.5,S=1e3 WHERE RECNO=? AND K=1234567890123456", {"1.5000", "7"}},
        {"INSERT INTO T (A,B) VALUES ('O''Brien & Co',-12)", "INSERT INTO T (A,B) VALUES (?,-?)",
         {"O'Brien & Co", "12"}},
        {"SELECT A FROM T WHERE D=DATE '2024-03-07' AND N='a' AND M=X'00'",
         "SELECT A FROM T WHERE D=DATE '2024-03-07' AND N=$1 AND M=X'00'", {"a"},
         EngineKind::PostgreSQL},
        {"SELECT A2 FROM T2 WHERE \"B'3\"='c' AND T2.C3=5", "SELECT A2 FROM T2 WHERE \"B'3\"=? AND T2.C3=?",
         {"c", "5"}},
    };
    // clang-format on
    for (const auto& c : cases) {
        hvx::LiteralShape shape;
        ASSERT_TRUE(hvx::ShapeOf(c.sql, c.engine, shape)) << c.sql;
        EXPECT_EQ(shape.text, c.shape);
        Texts values;
        for (const hvx::Param& p : shape.values) values.push_back(p.text);
        EXPECT_EQ(values, c.values) << c.sql;
    }
    hvx::LiteralShape shape;
    for (const char* none : {"SELECT COALESCE(A,'') FROM T", "SELECT A FROM T WHERE B = ?",
                             "SELECT A FROM T WHERE B = 'x' -- note", "SELECT A FROM T WHERE B='x"})
        EXPECT_FALSE(hvx::ShapeOf(none, EngineKind::SQLite, shape)) << none;
}

class LiteralShapes : public hvxtest::DatabaseTest {
protected:
    void TearDown() override {
        hvx::Session::ShapeLiterals(true);
        DatabaseTest::TearDown();
    }
    // Writes rows whose values are easy to get subtly wrong, then reads
    // everything back, through the module's literal statements.
    static Texts WriteAndRead() {
        HVXSConnection connection(1, nullptr, 0);
        for (const char* sql : {
                 "INSERT INTO HVXGR07 (REFERENCE,SHIPDATE,ESTUNITS,ADJUST,CUSTNAME,RECNO) VALUES "
                 "('O''Brien & Co',{2024-03-01},'',5,'{x}?',1)",
                 "INSERT INTO HVXGR07 (REFERENCE,SHIPDATE,ESTUNITS,ADJUST,RECNO) VALUES "
                 "('x',{},'007',5.50,2)",
                 "UPDATE HVXGR07 SET ESTUNITS='12.3400', CUSTREF='' WHERE RECNO=2",
                 "UPDATE HVXGR07 SET ADJUST='-3' WHERE REFERENCE LIKE 'O%' AND RECNO < 10"})
            EXPECT_EQ(connection.ExecSQLChange(sql), 1) << sql;
        Texts all = Rows("SELECT * FROM HVXGR07 ORDER BY RECNO");
        for (const char* sql : {"SELECT REFERENCE FROM HVXGR07 WHERE SHIPDATE={03/01/2024}",
                                "SELECT RECNO FROM HVXGR07 WHERE ESTUNITS='' OR CUSTREF=''",
                                "SELECT REFERENCE,COUNT(*) FROM HVXGR07 WHERE RECNO IN (1,2,3) GROUP BY 1 ORDER BY 1"})
            for (const std::string& row : Rows(sql)) all.push_back(row);
        EXPECT_EQ(connection.ExecSQLChange("DELETE FROM HVXGR07 WHERE RECNO > 0"), 2);
        return all;
    }
};
HVX_DATABASE_TEST_SUITE(LiteralShapes);

TEST_P(LiteralShapes, StoreAndReadExactlyWhatTheLiteralTextDoes) {
    hvx::Session::ShapeLiterals(false);
    const Texts literal = WriteAndRead();
    hvx::Session::ShapeLiterals(true);
    EXPECT_EQ(WriteAndRead(), literal);
    EXPECT_EQ(WriteAndRead(), literal) << "run again on the kept shapes";
    EXPECT_EQ(literal.size(), 7u);
}

}  // namespace
