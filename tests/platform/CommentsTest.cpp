// Dated comments of a record: order, writes, quoting and failures.
#include <gtest/gtest.h>

#include "platform/Comments.h"
#include "platform/Dates.h"
#include "platform/HVXSConnection.h"
#include "support/TestDatabase.h"

namespace {

using hvx::Comment;
using hvx::CommentStore;
using hvxtest::Exec;

// Literal SQL in the module's dialect ({date} literals), as the module writes it.
void ExecDialect(const std::string& sql) {
    HVXSConnection c;
    ASSERT_EQ(c.ExecSQLChange(sql), 1) << sql << ": " << c.LastError();
}
using hvxtest::Rows;

class Comments : public hvxtest::DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        hvx::SetTodayForTesting({2024, 3, 7});
    }
    void TearDown() override {
        hvx::SetTodayForTesting({});
        DatabaseTest::TearDown();
    }
};
HVX_DATABASE_TEST_SUITE(Comments);

TEST_P(Comments, LoadsTheLinksCommentsByDateThenByRecordNumber) {
    const char* rows[] = {"'41',{2024-02-01},'late',1", "'41',{2023-12-30},'early',2",
                          "'42',{2023-01-01},'other',3", "'41',{2024-02-01},'later',4"};
    for (const char* row : rows)
        ExecDialect(std::string("INSERT INTO HVXGR04G (LINK,COMMDATE,COMMENT,RECNO) VALUES (") +
                    row + ")");
    std::vector<Comment> loaded;
    std::string error;
    ASSERT_TRUE(CommentStore("HVXGR04G", "41").Load(loaded, error)) << error;
    EXPECT_EQ(loaded, (std::vector<Comment>{{2, "12/30/2023", "early"},
                                            {1, "02/01/2024", "late"},
                                            {4, "02/01/2024", "later"}}));
}

TEST_P(Comments, AddChangeDeleteKeepQuotesAndTouchOnlyTheirRow) {
    const char* tables[] = {"HVXGR04G", "HVXGR08C"};
    for (const char* table : tables) {
        ExecDialect(std::string("INSERT INTO ") + table +
             " (LINK,COMMDATE,COMMENT,RECNO) VALUES ('9',{2020-01-01},'keep',20)");
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
                                            "O'Brien's 7\t03/07/2024\tIt's dry now\t21"}))
            << table;
    }
}

TEST_P(Comments, WritesThatCannotBeDoneFailWithAMessage) {
    ExecDialect("INSERT INTO HVXGR08C (LINK,COMMDATE,COMMENT,RECNO) "
                "VALUES ('5',{2024-01-02},'theirs',1)");
    const CommentStore store("HVXGR08C", "6");
    const std::string tooLong(CommentStore::kMaxLength + 1, 'x');
    std::string error;
    EXPECT_FALSE(store.Add(" \n\t", nullptr, error));
    EXPECT_EQ(error, "Enter the text of the comment first.");
    EXPECT_FALSE(store.Add(tooLong, nullptr, error));
    EXPECT_EQ(error, "A comment holds at most 4096 characters.");
    EXPECT_TRUE(store.Add(std::string(CommentStore::kMaxLength, 'y'), nullptr, error)) << error;
    // Comment 1 belongs to another record: this store may neither change nor
    // delete it, and a comment deleted meanwhile is reported as gone.
    EXPECT_FALSE(store.Change(1, "mine now", error));
    EXPECT_EQ(error, "The comment is no longer on file.");
    EXPECT_FALSE(store.Delete(1, error));
    EXPECT_EQ(error, "The comment is no longer on file.");
    EXPECT_FALSE(store.Delete(99, error));
    EXPECT_EQ(error, "The comment is no longer on file.");
    EXPECT_EQ(Rows("SELECT LINK,COMMENT FROM HVXGR08C WHERE RECNO = 1"),
              std::vector<std::string>{"5\ttheirs"});

    std::vector<Comment> loaded;
    const CommentStore bad("HVXGR08C; DROP TABLE HVXGR08C", "6");
    EXPECT_FALSE(bad.Load(loaded, error));
    EXPECT_EQ(error, "\"HVXGR08C; DROP TABLE HVXGR08C\" is not a comments table.");
    EXPECT_FALSE(bad.Add("text", nullptr, error));
    EXPECT_FALSE(CommentStore("NOSUCHTABLE", "6").Add("text", nullptr, error));
    EXPECT_EQ(error.rfind("Unable to", 0), 0u) << error;
}

}  // namespace
