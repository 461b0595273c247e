// Record numbers and links from the next-number service, keyed lookups, and
// the dated comments of a record: order, writes, quoting and failures.
#include <gtest/gtest.h>

#include "platform/Comments.h"
#include "platform/Dates.h"
#include "platform/HVXConnection.h"
#include "platform/HVXSConnection.h"
#include "platform/Lookups.h"
#include "platform/NextNumbers.h"
#include "platform/Session.h"
#include "platform/Transaction.h"
#include "support/TestDatabase.h"

namespace {

using hvx::Comment;
using hvx::CommentStore;
using hvxtest::Column;
using hvxtest::Exec;
using hvxtest::Rows;

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
    // Failing any of a first use's four statements must hand out nothing.
    for (long failAt = 1; failAt <= 4; ++failAt) {
        hvx::Session::FailStatementForTesting(failAt);
        EXPECT_EQ(NextNum(nullptr, 1, "HVXGR04C", 10, 0, 1), 0) << "statement " << failAt;
        hvx::Session::FailStatementForTesting(0);
        Exec("DELETE FROM HVXNEXTNUM");
    }
    EXPECT_EQ(NextNum(nullptr, 1, "HVXGR04C", 10, 0, 1), 5);
}

TEST_P(NextNumbers, LookupsFindTheFirstRowOrNothing) {
    Exec(
        "INSERT INTO HVXGR02S (ASSEMBLY,CUSTREF,LINEID,RECNO) VALUES ('A1','C1','L1',5), "
        "('A1','C2','L2',3), ('O''Neil','C3','L3',8)");
    EXPECT_EQ(LookupRecno1(1, "HVXGR02S", "ASSEMBLY", "A1"), "3") << "the first by RECNO";
    EXPECT_EQ(LookupRecno1(1, "HVXGR02S", "ASSEMBLY", "O'Neil"), "8");
    EXPECT_EQ(LookupRecno2(1, "HVXGR02S", "ASSEMBLY", "A1", "CUSTREF", "C1"), "5");
    EXPECT_EQ(LookupRecno2(1, "HVXGR02S", "ASSEMBLY", "A1", "CUSTREF", "C3"), "");
    EXPECT_EQ(LookupRecno1(1, "HVXGR02S", "ASSEMBLY='A1' OR 1", "x"), "");

    char buffer[3] = "zz";
    EXPECT_TRUE(GetField1(1, "HVXGR02S", "LINEID", "L3", "CUSTREF", buffer, sizeof buffer));
    EXPECT_STREQ(buffer, "C3");
    EXPECT_FALSE(GetField1(1, "HVXGR02S", "LINEID", "L9", "CUSTREF", buffer, sizeof buffer));
    std::string value;
    EXPECT_TRUE(GetField1(1, "HVXGR02S", "LINEID", "L1", "ASSEMBLY", value));
    EXPECT_EQ(value, "A1");
}

class Comments : public hvxtest::DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        hvx::SetTodayForTesting({2024, 3, 7});
    }
    // A comment row written in the module's dialect ({date} literals).
    static void Insert(const std::string& table, const std::string& values) {
        HVXSConnection c;
        ASSERT_EQ(c.ExecSQLChange("INSERT INTO " + table +
                                  " (LINK,COMMDATE,COMMENT,RECNO) VALUES (" + values + ")"),
                  1)
            << values << ": " << c.LastError();
    }
};
HVX_DATABASE_TEST_SUITE(Comments);

TEST_P(Comments, AddChangeDeleteLoadKeepQuotesAndTouchOnlyTheirRecord) {
    for (const char* table : {"HVXGR04G", "HVXGR08C"}) {
        SCOPED_TRACE(table);
        Insert(table, "'9',{2020-01-01},'keep',20");
        const CommentStore store(table, "O'Brien's 7");
        std::string error;
        Comment first, second;
        ASSERT_TRUE(store.Add("Moisture 15.5%, 'wet' -- call back", &first, error)) << error;
        ASSERT_TRUE(store.Add("x'); DELETE FROM HVXGR04G; --", &second, error)) << error;
        EXPECT_EQ(first.recno, 21) << "numbers continue after the highest in the table";
        EXPECT_EQ(second.recno, 22);
        EXPECT_EQ(first.date, "03/07/2024");
        ASSERT_TRUE(store.Change(first.recno, "It's dry now", error)) << error;
        ASSERT_TRUE(store.Delete(second.recno, error)) << error;
        EXPECT_EQ(Rows(std::string("SELECT LINK,COMMDATE,COMMENT,RECNO FROM ") + table +
                       " ORDER BY RECNO"),
                  (std::vector<std::string>{"9\t01/01/2020\tkeep\t20",
                                            "O'Brien's 7\t03/07/2024\tIt's dry now\t21"}));
        // The record's comments load by date, then by record number.
        Insert(table, "'O''Brien''s 7',{2024-03-07},'same day',25");
        Insert(table, "'O''Brien''s 7',{2023-12-30},'early',30");
        std::vector<Comment> loaded;
        ASSERT_TRUE(store.Load(loaded, error)) << error;
        EXPECT_EQ(loaded, (std::vector<Comment>{{30, "12/30/2023", "early"},
                                                {21, "03/07/2024", "It's dry now"},
                                                {25, "03/07/2024", "same day"}}));
    }
}

TEST_P(Comments, WritesThatCannotBeDoneFailWithAMessage) {
    Insert("HVXGR08C", "'5',{2024-01-02},'theirs',1");
    const CommentStore store("HVXGR08C", "6");
    std::string error;
    EXPECT_FALSE(store.Add(" \n\t", nullptr, error));
    EXPECT_EQ(error, "Enter the text of the comment first.");
    EXPECT_FALSE(store.Add(std::string(CommentStore::kMaxLength + 1, 'x'), nullptr, error));
    EXPECT_EQ(error, "A comment holds at most 4096 characters.");
    EXPECT_TRUE(store.Add(std::string(CommentStore::kMaxLength, 'y'), nullptr, error)) << error;
    // Comment 1 is another record's, comment 99 is gone: neither is touched.
    EXPECT_FALSE(store.Change(1, "mine now", error));
    EXPECT_EQ(error, "The comment is no longer on file.");
    EXPECT_FALSE(store.Delete(99, error));
    EXPECT_EQ(error, "The comment is no longer on file.");
    EXPECT_EQ(Rows("SELECT LINK,COMMENT FROM HVXGR08C WHERE RECNO = 1"),
              std::vector<std::string>{"5\ttheirs"});

    std::vector<Comment> loaded;
    const CommentStore bad("HVXGR08C; DROP TABLE HVXGR08C", "6");
    EXPECT_FALSE(bad.Load(loaded, error));
    EXPECT_EQ(error, "\"HVXGR08C; DROP TABLE HVXGR08C\" is not a comments table.");
    EXPECT_FALSE(CommentStore("NOSUCHTABLE", "6").Add("text", nullptr, error));
    EXPECT_EQ(error, "Unable to get a record number for the comment.");
}

}  // namespace
