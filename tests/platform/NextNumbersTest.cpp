// Record numbers and link values from the next-number service, and the keyed
// lookups over any table.
#include <gtest/gtest.h>

#include "platform/HVXConnection.h"
#include "platform/Lookups.h"
#include "platform/NextNumbers.h"
#include "platform/Session.h"
#include "platform/Transaction.h"
#include "support/TestDatabase.h"

namespace {

using hvxtest::Column;
using hvxtest::Exec;

class NextNumbers : public hvxtest::DatabaseTest {};
std::string Deduction(int recno) {
    return "INSERT INTO HVXGR04C (DEDUCT,RECNO) VALUES ('X'," + std::to_string(recno) + ")";
}
HVX_DATABASE_TEST_SUITE(NextNumbers);

TEST_P(NextNumbers, CountersStartAfterExistingRowsAndSkipTakenNumbers) {
    EXPECT_EQ(NextNum(nullptr, 1, "HVXGR04B", 10, 0, 1), 1);
    EXPECT_EQ(NextNum(nullptr, 1, "HVXGR04B", 10, 0, 1), 2) << "two inserts take two numbers";

    // A counter used for the first time starts after the table's rows.
    for (int recno : {7, 3}) Exec(Deduction(recno));
    EXPECT_EQ(NextNum(nullptr, 1, "HVXGR04C", 10, 0, 1), 8);

    // Rows written behind the counter's back are skipped, not collided with.
    for (int recno : {9, 10, 12}) Exec(Deduction(recno));
    EXPECT_EQ(NextNum(nullptr, 1, "HVXGR04C", 10, 0, 1), 13);
    EXPECT_EQ(NextNum(nullptr, 1, "HVXGR04C", 10, 0, 1), 14);

    // Link values: counted per column, over the texts that are whole numbers.
    Exec("INSERT INTO HVXGR04D (DLLINK,RECNO) VALUES ('41',1), ('abc',2)");
    EXPECT_EQ(NextCharLnk(nullptr, 1, "HVXGR04D", "DLLINK", 0), "42");
    EXPECT_EQ(NextCharLnk(nullptr, 1, "HVXGR04D", "DLLINK", 0), "43");
    EXPECT_EQ(NextNum(nullptr, 1, "HVXGR04D", 10, 0, 1), 3) << "RECNO has its own counter";

    // Names that are not plain SQL names are refused, not run.
    EXPECT_EQ(NextNum(nullptr, 1, "HVXGR04C; DROP TABLE HVXGR04C", 10, 0, 1), 0);
    EXPECT_EQ(NextCharLnk(nullptr, 1, "HVXGR04D", "DLLINK--", 0), "");
}

TEST_P(NextNumbers, CancelledTransactionGivesItsNumbersBack) {
    EXPECT_EQ(NextNum(nullptr, 1, "HVXGR57", 10, 0, 1), 1);
    HVXConnection p;
    {
        hvx::Transaction tran(p, "SELECT RECNO FROM HVXGR04");
        ASSERT_TRUE(tran.Begun());
        EXPECT_EQ(NextNum(nullptr, 1, "HVXGR57", 10, 0, 1), 2);
        EXPECT_EQ(NextNum(nullptr, 1, "HVXGR57", 10, 0, 1), 3);
    }
    EXPECT_EQ(NextNum(nullptr, 1, "HVXGR57", 10, 0, 1), 2);
}

TEST_P(NextNumbers, AFailedStatementGivesNoNumberRatherThanAGuess) {
    Exec(Deduction(4));
    // A first use runs five statements (take, highest, insert, take, in use);
    // failing any one of them must hand out nothing.
    for (long failAt = 1; failAt <= 5; ++failAt) {
        hvx::Session::FailStatementForTesting(failAt);
        EXPECT_EQ(NextNum(nullptr, 1, "HVXGR04C", 10, 0, 1), 0) << "statement " << failAt;
        hvx::Session::FailStatementForTesting(0);
        Exec("DELETE FROM HVXNEXTNUM");
    }
    EXPECT_EQ(NextNum(nullptr, 1, "HVXGR04C", 10, 0, 1), 5);
}

TEST_P(NextNumbers, LookupsFindTheFirstRowOrNothing) {
    for (const char* row : {"'A1','C1','L1',5", "'A1','C2','L2',3", "'O''Neil','C3','L3',8"})
        Exec(std::string("INSERT INTO HVXGR02S (ASSEMBLY,CUSTREF,LINEID,RECNO) VALUES (") + row +
             ")");
    EXPECT_EQ(LookupRecno1(1, "HVXGR02S", "ASSEMBLY", "A1"), "3");
    EXPECT_EQ(LookupRecno1(1, "HVXGR02S", "ASSEMBLY", "O'Neil"), "8");
    EXPECT_EQ(LookupRecno1(1, "HVXGR02S", "ASSEMBLY", "A9"), "");
    EXPECT_EQ(LookupRecno2(1, "HVXGR02S", "ASSEMBLY", "A1", "CUSTREF", "C1"), "5");
    EXPECT_EQ(LookupRecno2(1, "HVXGR02S", "ASSEMBLY", "A1", "CUSTREF", "C3"), "");
    EXPECT_EQ(LookupRecno1(1, "HVXGR02S", "ASSEMBLY='A1' OR 1", "x"), "");

    char buffer[3] = "zz";
    EXPECT_TRUE(GetField1(1, "HVXGR02S", "LINEID", "L3", "CUSTREF", buffer, sizeof buffer));
    EXPECT_STREQ(buffer, "C3");
    EXPECT_FALSE(GetField1(1, "HVXGR02S", "LINEID", "L9", "CUSTREF", buffer, sizeof buffer));
    EXPECT_STREQ(buffer, "");
    std::string value;
    EXPECT_TRUE(GetField1(1, "HVXGR02S", "LINEID", "L1", "ASSEMBLY", value));
    EXPECT_EQ(value, "A1");
}

}  // namespace
