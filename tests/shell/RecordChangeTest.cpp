// The NUMCHANGE check of a record read earlier, on every engine.
#include <gtest/gtest.h>

#include "shell/RecordChange.h"
#include "support/TestDatabase.h"

namespace {

using hvxtest::Exec;

class RecordChange : public hvxtest::DatabaseTest {};
HVX_DATABASE_TEST_SUITE(RecordChange);

TEST_P(RecordChange, ComparesTheCountReadEarlier) {
    Exec("INSERT INTO HVXGR04 (SETTLEMENT,NUMCHANGE,RECNO) VALUES ('1001','3',7)");
    Exec("INSERT INTO HVXGR04 (SETTLEMENT,NUMCHANGE,RECNO) VALUES ('1002','9',8)");
    const struct {
        double recno;
        const char* readEarlier;
        bool changed;
    } cases[] = {{7, "3", false}, {7, "2", true}, {7, "", true}, {8, "3", true},
                 {8, "9", false}, {9, "3", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.recno << " " << c.readEarlier);
        EXPECT_EQ(hvx::RecordChangedSince("HVXGR04", c.recno, c.readEarlier), c.changed);
    }

    Exec("UPDATE HVXGR04 SET NUMCHANGE='4' WHERE RECNO=7");
    EXPECT_TRUE(hvx::RecordChangedSince("HVXGR04", 7, "3"));
    // A record deleted in the meantime does not count as changed.
    Exec("DELETE FROM HVXGR04 WHERE RECNO=7");
    EXPECT_FALSE(hvx::RecordChangedSince("HVXGR04", 7, "3"));
    // Only a plain table name reaches the statement.
    EXPECT_FALSE(hvx::RecordChangedSince("HVXGR04 WHERE 1=1 OR RECNO", 8, "0"));
}

}  // namespace
