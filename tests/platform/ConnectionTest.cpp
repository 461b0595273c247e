// Statements through the simple and prepared connections, on every engine.
#include <gtest/gtest.h>

#include "platform/Format.h"
#include "platform/HVXConnection.h"
#include "platform/HVXSConnection.h"
#include "platform/Session.h"
#include "platform/Transaction.h"
#include "platform/ViewLibrary.h"
#include "support/TestDatabase.h"

namespace {

using hvxtest::Column;
using hvxtest::Exec;
using hvxtest::Rows;

class Connections : public hvxtest::DatabaseTest {
protected:
    void AddCustomer(const std::string& ref, const std::string& name, double recno) {
        HVXSConnection c;
        ASSERT_EQ(c.ExecSQLChange(_HVXsprintf(
                      "INSERT INTO HVXAR50 (REFERENCE,NAME,RECNO) VALUES ('%s','%s',%.0f)", ref,
                      name, recno)),
                  1)
            << c.LastError();
    }
};
HVX_DATABASE_TEST_SUITE(Connections);

TEST_P(Connections, QuotedValuesRoundTripAndCannotInject) {
    const std::string names[] = {"O'Brien", "x' OR '1'='1", "'; DROP TABLE HVXAR50; --",
                                 "Smith {01/02/2024}?", "Ünal ''twice''"};
    double recno = 0;
    for (const std::string& name : names) {
        ++recno;
        AddCustomer("C" + std::to_string(int(recno)), name, recno);
    }
    HVXSConnection c;
    for (const std::string& name : names) {
        ASSERT_TRUE(c.ExecSQL(_HVXsprintf("SELECT REFERENCE FROM HVXAR50 WHERE NAME='%s'", name)))
            << c.LastError();
        EXPECT_TRUE(c.FetchNext()) << name;
        EXPECT_FALSE(c.FetchNext()) << "only the one customer matches " << name;
    }
    EXPECT_EQ(Column("SELECT NAME FROM HVXAR50 ORDER BY RECNO"),
              std::vector<std::string>(std::begin(names), std::end(names)));
}

TEST_P(Connections, DatesRoundTripFromLiteralsAndBindsAndSortAsDates) {
    HVXSConnection s;
    ASSERT_EQ(s.ExecSQLChange("INSERT INTO HVXGR04 (SETTLEMENT,ADTE,RECNO) VALUES ('1',{2024-03-07},1)"), 1)
        << s.LastError();
    HVXConnection p;
    const char* insert = "INSERT INTO HVXGR04 (SETTLEMENT,ADTE,RECNO) VALUES (?,?,?)";
    const struct { const char* number; const char* date; double recno; } bound[] = {
        {"2", "12/31/2023", 2}, {"3", "01/02/2024", 3}, {"4", "", 4}};
    for (const auto& b : bound) {
        p.BindParam(insert, b.number, 0);
        p.BindParam(insert, b.date, 0);
        p.BindDoubleParam(insert, b.recno);
        ASSERT_EQ(p.ExecuteSQL(insert), 1) << p.LastError();
    }
    EXPECT_EQ(Rows("SELECT SETTLEMENT, ADTE FROM HVXGR04 WHERE RECNO < 4 ORDER BY ADTE"),
              (std::vector<std::string>{"2\t12/31/2023", "3\t01/02/2024", "1\t03/07/2024"}));
    // A date never entered sorts before every date, and after them in
    // descending order, on every engine.
    EXPECT_EQ(Column("SELECT SETTLEMENT FROM HVXGR04 ORDER BY ADTE, RECNO"),
              (std::vector<std::string>{"4", "2", "3", "1"}));
    EXPECT_EQ(Column("SELECT SETTLEMENT FROM HVXGR04 ORDER BY ADTE DESC, RECNO"),
              (std::vector<std::string>{"1", "3", "2", "4"}));
    ASSERT_TRUE(s.ExecSQL("SELECT SETTLEMENT FROM HVXGR04 WHERE ADTE > {2024-01-01} ORDER BY RECNO"));
    std::vector<std::string> after;
    while (s.FetchNext()) after.push_back(s.Column(1));
    EXPECT_EQ(after, (std::vector<std::string>{"1", "3"}));
    // An empty date is no date: the column reads back as no value.
    ASSERT_TRUE(s.ExecSQL("SELECT ADTE FROM HVXGR04 WHERE RECNO = 4"));
    ASSERT_TRUE(s.FetchNext());
    char buffer[16] = "junk";
    EXPECT_FALSE(s.GetColumnChar(1, buffer, sizeof buffer));
    EXPECT_STREQ(buffer, "");
}

TEST_P(Connections, SimpleConnectionResults) {
    AddCustomer("A1", "Anders", 1);
    AddCustomer("B2", "Bakker", 2);
    HVXSConnection c;
    // Rows changed, and a guarded update that finds the old value gone.
    EXPECT_EQ(c.ExecSQLChange("UPDATE HVXAR50 SET CITY='Ames'"), 2);
    EXPECT_EQ(c.ExecSQLChange("UPDATE HVXAR50 SET NAME='Anders2' WHERE RECNO=1 AND NAME='Anders'"), 1);
    EXPECT_EQ(c.ExecSQLChange("UPDATE HVXAR50 SET NAME='Anders3' WHERE RECNO=1 AND NAME='Anders'"), 0);
    EXPECT_EQ(c.ExecSQLChange("DELETE FROM NOSUCHTABLE"), -1);
    EXPECT_FALSE(c.LastError().empty());
    // A second statement is refused, not run.
    EXPECT_EQ(c.ExecSQLChange("UPDATE HVXAR50 SET CITY='X'; DELETE FROM HVXAR50"), -1);
    EXPECT_EQ(Column("SELECT CITY FROM HVXAR50 ORDER BY RECNO"), (std::vector<std::string>{"Ames", "Ames"}));

    // Columns from 1, bounded buffers, record numbers through STR().
    ASSERT_TRUE(c.ExecSQL("SELECT REFERENCE,NAME,STR(RECNO),ADDRESS1 FROM HVXAR50 ORDER BY RECNO"));
    ASSERT_TRUE(c.FetchNext());
    char small[4];
    EXPECT_TRUE(c.GetColumnChar(2, small, sizeof small));
    EXPECT_STREQ(small, "And");
    EXPECT_EQ(c.Column(3), "1");
    EXPECT_TRUE(c.GetColumnChar(4, small, sizeof small)) << "text columns default to empty";
    EXPECT_STREQ(small, "");
    EXPECT_FALSE(c.GetColumnChar(0, small, sizeof small)) << "columns count from 1";
    EXPECT_FALSE(c.GetColumnChar(9, small, sizeof small)) << "no such column";
    ASSERT_TRUE(c.FetchNext());
    EXPECT_EQ(c.Column(1), "B2");
    EXPECT_FALSE(c.FetchNext());
    EXPECT_FALSE(c.FetchNext());
    c.FreeStatement();
    EXPECT_FALSE(c.FetchNext());

    // The view library's handles behave the same.
    HVWSTMT h = vwConnect();
    ASSERT_TRUE(HVXvwExecSQL(h, "SELECT NAME FROM HVXAR50 WHERE REFERENCE='B2'"));
    ASSERT_TRUE(HVXvwFetchNext(h));
    char name[32];
    EXPECT_TRUE(vwGetColumnChar(h, 1, name, sizeof name));
    EXPECT_STREQ(name, "Bakker");
    EXPECT_EQ(HVXvwExecSQLChange(h, "DELETE FROM HVXAR50 WHERE REFERENCE='B2'"), 1);
    vwDisconnect(h);
}

TEST_P(Connections, PreparedStatementsBindInOrderAndCopyColumnsByReference) {
    for (int i = 1; i <= 3; ++i) AddCustomer("R" + std::to_string(i), "Name " + std::to_string(i), i);
    HVXConnection p;
    const char* select = "SELECT REFERENCE,NAME,RECNO FROM HVXAR50 ORDER BY RECNO";
    const char* insert = "INSERT INTO HVXAP50 (REFERENCE,NAME,RECNO) VALUES (?,?,?)";
    ASSERT_EQ(p.PrepareSQL(select, 0), 0) << p.LastError();
    ASSERT_EQ(p.PrepareSQL(insert, 0), 0) << p.LastError();
    ASSERT_EQ(p.ExecuteSQL(select), 1);
    ASSERT_TRUE(p.FetchNext(select));
    // Bound once, by reference: every execute copies the select's current row.
    p.BindParam(insert, p.ColumnVar(select, 1), 2);
    p.BindParam(insert, p.ColumnVar(select, 2), 2);
    p.BindParam(insert, p.ColumnVar(select, 3), 2);
    int copied = 0;
    do {
        ASSERT_EQ(p.ExecuteSQL(insert), 1) << p.LastError();
        ++copied;
    } while (p.FetchNext(select));
    EXPECT_EQ(copied, 3);
    EXPECT_EQ(Rows("SELECT REFERENCE,NAME,RECNO FROM HVXAP50 ORDER BY RECNO"),
              Rows("SELECT REFERENCE,NAME,RECNO FROM HVXAR50 ORDER BY RECNO"));
    EXPECT_STREQ(p.ColumnVar(select, 1), "") << "no current row after the last";

    // Mode 0 copies: changing the caller's text afterwards changes nothing.
    const char* update = "UPDATE HVXAP50 SET CITY = ? WHERE RECNO = ?";
    std::string city = "Boone";
    p.BindParam(update, city.c_str(), 0);
    p.BindDoubleParam(update, 2);
    city = "Other";
    EXPECT_EQ(p.ExecuteSQL(update), 1);
    EXPECT_EQ(p.ExecuteSQL(update), 1) << "values not bound again are reused";
    EXPECT_EQ(Column("SELECT CITY FROM HVXAP50 WHERE RECNO = 2"), std::vector<std::string>{"Boone"});
    EXPECT_EQ(p.BindParam(update, "a", 0), 0);
    EXPECT_EQ(p.BindParam(update, "b", 0), 0);
    EXPECT_EQ(p.BindParam(update, "c", 0), -1) << "only two placeholders";
    EXPECT_EQ(p.ExecuteSQL("DELETE FROM NOSUCHTABLE WHERE A = ?"), -1);
    EXPECT_FALSE(p.FetchNext("SELECT never prepared"));
}

TEST_P(Connections, TransactionsCommitCancelAndGuard) {
    HVXConnection p;
    const char* carrier = "SELECT RECNO FROM HVXGR04";
    ASSERT_EQ(p.BeginTran(carrier), 0) << p.LastError();
    EXPECT_NE(p.BeginTran(carrier), 0) << "one transaction at a time";
    AddCustomer("T1", "Cancelled", 1);
    ASSERT_EQ(p.CancelTran(carrier), 0);
    EXPECT_TRUE(Column("SELECT NAME FROM HVXAR50").empty());

    ASSERT_EQ(p.BeginTran(carrier), 0);
    AddCustomer("T2", "Kept", 2);
    ASSERT_EQ(p.CommitTran(carrier), 0);
    EXPECT_NE(p.CommitTran(carrier), 0) << "nothing left to commit";

    {
        hvx::Transaction tran(p, carrier);
        ASSERT_TRUE(tran.Begun());
        AddCustomer("T3", "Left by an early return", 3);
    }
    EXPECT_FALSE(hvx::Session::InTransaction());
    EXPECT_EQ(Column("SELECT NAME FROM HVXAR50"), std::vector<std::string>{"Kept"});
}

TEST_P(Connections, FailedStatementInsideTransactionIsNeverCommitted) {
    HVXConnection p;
    HVXSConnection s;
    hvx::Transaction tran(p, "SELECT RECNO FROM HVXGR04");
    ASSERT_TRUE(tran.Begun());
    AddCustomer("F1", "Before the failure", 1);
    hvx::Session::FailStatementForTesting(1);
    EXPECT_EQ(s.ExecSQLChange("INSERT INTO HVXAR50 (REFERENCE,RECNO) VALUES ('F2',2)"), -1);
    EXPECT_EQ(s.ExecSQLChange("INSERT INTO HVXAR50 (REFERENCE,RECNO) VALUES ('F2',1)"), -1)
        << "a duplicate record number is refused";
    // PostgreSQL would turn this commit into a silent rollback; either way the
    // caller must learn that nothing was kept.
    if (hvx::Session::Kind() == hvx::EngineKind::PostgreSQL) {
        EXPECT_FALSE(tran.Commit());
        EXPECT_TRUE(Column("SELECT NAME FROM HVXAR50").empty());
    } else {
        tran.Cancel();
        EXPECT_TRUE(Column("SELECT NAME FROM HVXAR50").empty());
    }
    EXPECT_FALSE(hvx::Session::InTransaction());
}

// A part of a transaction that fails is undone alone and the transaction
// commits the rest; a failed part that is kept fails the transaction.
TEST_P(Connections, FailedPartIsUndoneAloneAndAKeptFailureFailsTheTransaction) {
    HVXSConnection s;
    const auto add = [&](const char* ref, int recno) {
        return s.ExecSQLChange(
                   _HVXsprintf("INSERT INTO HVXAR50 (REFERENCE,RECNO) VALUES ('%s',%d)", ref, recno)) ==
               1;
    };
    const struct {
        const char* name;
        bool undoFailedPart;
        bool committed;
        std::vector<std::string> kept;
    } cases[] = {
        {"failed part undone", true, true, {"A", "B", "D"}},
        {"failed part kept", false, false, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Exec("DELETE FROM HVXAR50");
        HVXConnection p;
        hvx::Transaction tran(p, "SELECT RECNO FROM HVXGR04");
        ASSERT_TRUE(tran.Begun());
        ASSERT_TRUE(add("A", 1));
        {
            hvx::TransactionPart good;
            ASSERT_TRUE(add("B", 2));
        }
        {
            hvx::TransactionPart bad;
            ASSERT_TRUE(add("C", 3));
            {
                hvx::TransactionPart inner;  // parts nest
                EXPECT_FALSE(add("X", 1)) << "a duplicate record number is refused";
            }
            if (c.undoFailedPart) bad.Undo();
        }
        if (c.undoFailedPart) {
            ASSERT_TRUE(add("D", 4)) << "the transaction goes on";
        }
        EXPECT_EQ(tran.Commit(), c.committed);
        EXPECT_EQ(Column("SELECT REFERENCE FROM HVXAR50 ORDER BY RECNO"), c.kept);
    }
    // Outside a transaction a part does nothing.
    hvx::TransactionPart outside;
    outside.Undo();
    EXPECT_FALSE(hvx::Session::InTransaction());
}

TEST_P(Connections, FailureHookCountsStatementsFromNow) {
    HVXSConnection s;
    hvx::Session::FailStatementForTesting(2);
    EXPECT_EQ(s.ExecSQLChange("UPDATE HVXAR50 SET CITY='A'"), 0);
    EXPECT_EQ(s.ExecSQLChange("UPDATE HVXAR50 SET CITY='B'"), -1);
    EXPECT_EQ(s.ExecSQLChange("UPDATE HVXAR50 SET CITY='C'"), 0) << "only the n-th fails";
}

}  // namespace
