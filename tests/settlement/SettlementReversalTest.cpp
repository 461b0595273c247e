// Deletion and reversal on every engine: what a settlement took goes back to
// its sources and advances exactly once, the reversing copy mirrors the
// settlement with negated values and is posted, and every refusal comes
// before anything changes.
#include "settlement/ReversalCopy.h"
#include "settlement/SettlementDeletion.h"
#include "settlement/SettlementReversal.h"
#include "settlement/SettlementSaveTestSupport.h"

namespace {

using hvxtest::Exec;
using hvxtest::Rows;
using hvxtest::Texts;
using hvxtest::Only;
using hvxtest::Tables;
using hvxtest::Without;

class SettlementReversal : public hvxtest::SettlementSaveFixture {
protected:
    static Texts Sources() {
        return Rows("SELECT 'split',SETTUNITS,PSETUNITS,SETTLED FROM HVXGR02S UNION ALL "
                    "SELECT SCALETICK,UNITSSET,'',SETTLED FROM HVXGR03A ORDER BY 1");
    }
};
HVX_DATABASE_TEST_SUITE(SettlementReversal);

TEST(NegateText, FlipsTheSignAsText) {
    using hvx::settlement::NegateText;
    const std::pair<const char*, const char*> cases[] = {
        {"100.0000", "-100.0000"}, {"-25.00", "25.00"}, {"0.00", "-0.00"}, {"--1", "-1"}};
    for (const auto& [in, out] : cases) EXPECT_EQ(NegateText(in), out) << in;
}

TEST_P(SettlementReversal, DeletionGivesEverySourceAndAdvanceBack) {
    const Tables before = Snapshot();
    ASSERT_TRUE(SaveUndrawn()) << message;
    ASSERT_NE(Rows("SELECT RAMOUNT FROM HVXGR57 WHERE CUSTREF='C1'"), Texts{"0.00"});

    ASSERT_TRUE(hvx::settlement::DeleteSettlement(window)) << message;
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Item Will Be Deleted! Do You Wish To Continue?");
    EXPECT_EQ(ui.messages[0].caption, "Delete Item?");
    EXPECT_EQ(Without(Snapshot(), {"HVXNEXTNUM", "HVXGR40", "HVXLOCKS", "HVXGR04H"}),
              Without(before, {"HVXNEXTNUM", "HVXGR40", "HVXLOCKS", "HVXGR04H"}));
    EXPECT_TRUE(Held().empty());
    EXPECT_EQ(set.header.recno, 0);
    EXPECT_EQ(set.details.Count(), 0u);
}

TEST_P(SettlementReversal, ReversalMirrorsThePostedSettlementAndGivesBack) {
    const Tables before = Snapshot();
    SaveAndPost();
    Exec("UPDATE HVXGR52 SET MAKEENTRY='1',ARACCT1='1200',ARACCT2='1210',ARACCT3='1220',"
         "DESCRIPT='Checkoff' WHERE REFERENCE='CHECKOFF'");

    ASSERT_TRUE(hvx::settlement::ReverseSettlement(window)) << message;
    EXPECT_EQ(message, "");
    EXPECT_TRUE(Held().empty());

    // Sources and advances as before the settlement; the repayment is undone
    // by a negated copy, not deleted.
    EXPECT_EQ(Only(Snapshot(), {"HVXGR02S", "HVXGR03A", "HVXGR02", "HVXGR57"}),
              Only(before, {"HVXGR02S", "HVXGR03A", "HVXGR02", "HVXGR57"}));
    EXPECT_EQ(Rows("SELECT ADVLINK,AMOUNT,SOURCELINK,PAIDLINK FROM HVXGR57A ORDER BY RECNO"),
              (Texts{"A1\t40.00\t1\t9101", "A1\t-40.00\t2\t" + Rows("SELECT DLLINK FROM HVXGR04D "
                                                                   "WHERE RECNO=3")[0]}));

    EXPECT_EQ(Rows("SELECT SETTLEMENT,ADTE,SETLINK,POSTED,REVERSED,CHECKAMT,STYPE,NUMCHANGE "
                   "FROM HVXGR04 ORDER BY RECNO"),
              (Texts{"41\t03/08/2024\t1\tT\tT\t808.75\t0\t0",
                     "42\t03/08/2024\t2\tT\tT\t-808.75\t0\t0"}));
    EXPECT_EQ(Rows("SELECT SETTLEMENT,SETLINK,UNITSSET,TOTPRICE,STATUS,REVERSED,POSTED,GLPOSTED,"
                   "NUMCHANGE FROM HVXGR04D ORDER BY RECNO"),
              (Texts{"41\t1\t200.0000\t850.00\tC\tT\tT\tF\t0",
                     "41\t1\t150.5000\t0.00\tC\tT\tT\tF\t0",
                     "42\t2\t-200.0000\t-850.00\tC\tT\tT\tF\t0",
                     "42\t2\t-150.5000\t-0.00\tC\tT\tT\tF\t0"}));
    EXPECT_EQ(Rows("SELECT SETTLEMENT,SETLINK,OUNITS,UNITSSET,GROSSAMT,NETAMT,STATUS,REVERSED "
                   "FROM HVXGR04F ORDER BY RECNO"),
              (Texts{"41\t1\t200.0000\t200.0000\t850.00\t808.75\tC\tT",
                     "41\t1\t150.5000\t150.5000\t0.00\t0.00\tC\tT",
                     "42\t2\t-200.0000\t-200.0000\t-850.00\t-808.75\tC\tT",
                     "42\t2\t-150.5000\t-150.5000\t-0.00\t-0.00\tO\tT"}));
    EXPECT_EQ(Rows("SELECT SETTLEMENT,UNITS FROM HVXGR04B WHERE SETLINK='2' ORDER BY RECNO"),
              (Texts{"42\t-120.0000", "42\t-80.0000"}));
    EXPECT_EQ(Rows("SELECT DEDUCT,AMOUNT FROM HVXGR04C WHERE SETLINK='2' ORDER BY RECNO"),
              (Texts{"ADV\t-40.00", "CHECKOFF\t-1.25"}));
    EXPECT_EQ(Rows("SELECT GRADFACT,RESULT FROM HVXGR04A WHERE SETLINK='2'"),
              Texts{"MOIST\t15.000"});
    EXPECT_EQ(Rows("SELECT PAYNAME,PNTYPE FROM HVXGR04E WHERE SETLINK='2' ORDER BY RECNO"),
              Rows("SELECT PAYNAME,PNTYPE FROM HVXGR04E WHERE SETLINK='1' ORDER BY RECNO"));

    // One journal row per copied line, under the copy's number.
    EXPECT_EQ(Rows("SELECT PROGRAM,SOURCE,DEST,NETUNITS,REFERENCE FROM HVXGR29 ORDER BY RECNO"),
              (Texts{"Settlement\tStorage Ticket\tPriced\t-200.0000\t42",
                     "Settlement\tStorage Ticket\tStorage Ticket\t-150.5000\t42"}));
    // The copy's deduction of -1.25 is owed back to the customer.
    EXPECT_EQ(Rows("SELECT SOURCE,ARACCT1,ARACCT2,ARACCT3,DESCRIPT,CUSTREF,REFERENCE,AMOUNT,"
                   "STATUS FROM HVXGRAR"),
              Texts{"GR\t1200\t1210\t1220\tCheckoff\tC1\t42\t1.25\t"});
}

// A line whose G/L code needs no entry (99) is copied as G/L posted; the
// others wait for their entry.
TEST_P(SettlementReversal, CopyOfALineWithoutGLEntryIsGLPosted) {
    SaveAndPost();
    Exec("UPDATE HVXGR04D SET GLCODE='99' WHERE DLLINK='9102'");
    ASSERT_TRUE(hvx::settlement::ReverseSettlement(window)) << message;
    EXPECT_EQ(Rows("SELECT GLCODE,GLPOSTED FROM HVXGR04D WHERE SETLINK='2' ORDER BY RECNO"),
              (Texts{"21\tF", "99\tT"}));
}

// A settlement is reversed once: a second window pressing Reverse on it, or
// on its reversing copy, is refused before anything changes.
TEST_P(SettlementReversal, ReversedSettlementAndItsCopyAreNotReversedAgain) {
    SaveAndPost();
    hvx::settlement::SettlementRecordSet stale = set;
    ASSERT_TRUE(hvx::settlement::ReverseSettlement(window)) << message;
    const Tables before = Snapshot();

    hvx::settlement::SettlementHeader copy = set.header;
    copy.recno = 2, copy.setLink = "2", copy.settlement = "42";
    for (const hvx::settlement::SettlementHeader& header : {stale.header, copy}) {
        SCOPED_TRACE(header.settlement);
        set = stale;
        set.header = header;
        EXPECT_FALSE(hvx::settlement::ReverseSettlement(window));
        EXPECT_EQ(message,
                  "This settlement has already been reversed. It cannot be reversed again.");
        EXPECT_EQ(Without(Snapshot(), {"HVXLOCKS"}), Without(before, {"HVXLOCKS"}));
        EXPECT_TRUE(Held().empty());
    }
}

TEST_P(SettlementReversal, AdvancesPaidOutByTheSettlementAreMarkedR) {
    SaveAndPost();
    Exec("INSERT INTO HVXGR57 (CUSTREF,AMOUNT,RAMOUNT,OPENPAID,SETTLELINK,SETTLEMENT,ADVLINK,"
         "RECNO) VALUES ('C1','75.00','0.00','O','1','41','9',9)");
    ASSERT_TRUE(hvx::settlement::ReverseSettlement(window)) << message;
    EXPECT_EQ(Rows("SELECT OPENPAID FROM HVXGR57 WHERE RECNO=9"), Texts{"R"});
}

// Each refusal leaves every table as it was and holds no lock.
TEST_P(SettlementReversal, RefusalsComeBeforeAnyChange) {
    struct Case {
        const char* name;
        const char* setup;  // SQL run after the save, or ""
        bool refuseLocks;
        const char* reverseMessage;
        const char* deleteMessage;
    };
    const Case cases[] = {
        {"settled onward", "UPDATE HVXGR04F SET OUNITS='100.0000' WHERE DLLINK='9102'", false,
         "This settlement has units currently settled against it. Please remove or reverse "
         "these settlements first.",
         "Settlement has settled units. Please delete all settlements with units from this "
         "settlement and try again."},
        {"paid-out advance partly repaid",
         "INSERT INTO HVXGR57 (CUSTREF,AMOUNT,RAMOUNT,OPENPAID,SETTLELINK,SETTLEMENT,ADVLINK,"
         "RECNO) VALUES ('C1','75.00','10.00','O','1','41','9',9)",
         false,
         "This settlement has advances paid against it. It cannot be reversed until the "
         "advance payments are removed.",
         "Cannot delete Advance. It has payments applied to it."},
        {"posted since the window loaded it", "UPDATE HVXGR04 SET POSTED='T'", false, nullptr,
         "Cannot delete posted settlement."},
        {"process lock held", "", true,
         "Unable to get required process lock to save settlement. Another user is currently "
         "performing an operation using the same lock.",
         "Unable to get required lock to delete settlement."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const bool reverse : {true, false}) {
            const char* expected = reverse ? c.reverseMessage : c.deleteMessage;
            if (!expected) continue;
            TearDown();
            SetUp();
            ASSERT_TRUE(SaveUndrawn()) << message;
            if (*c.setup) Exec(c.setup);
            set.header.posted = reverse;
            const Tables before = Snapshot();
            host.sent.clear();
            host.refuseAll = c.refuseLocks;
            const bool done = reverse ? hvx::settlement::ReverseSettlement(window)
                                      : hvx::settlement::DeleteSettlement(window);
            EXPECT_FALSE(done);
            const std::string shown = reverse ? message
                                      : ui.messages.empty() ? "" : ui.messages.back().text;
            EXPECT_EQ(shown, expected);
            EXPECT_EQ(Without(Snapshot(), {"HVXLOCKS"}), Without(before, {"HVXLOCKS"}));
            EXPECT_TRUE(Held().empty());
            // A refused process lock is asked for nothing further.
            if (c.refuseLocks) {
                for (const std::string& op : LockOps()) EXPECT_EQ(op.substr(0, 2), "1 ") << op;
            }
            host.refuseAll = false;
        }
    }
}

TEST_P(SettlementReversal, PostedSettlementIsNotDeletedAndNoLockIsAsked) {
    SaveAndPost();
    const Tables before = Snapshot();
    host.sent.clear();
    ui.messages.clear();
    EXPECT_FALSE(hvx::settlement::DeleteSettlement(window));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Cannot delete posted settlement.");
    EXPECT_EQ(ui.messages[0].caption, "Harvexa");
    EXPECT_TRUE(host.sent.empty());
    EXPECT_EQ(Snapshot(), before);
}

// A settlement never saved only leaves the window: nothing stored is
// touched, not even rows whose settlement number is empty.
TEST_P(SettlementReversal, DeletingAnUnsavedSettlementClearsOnlyTheWindow) {
    const Tables before = Snapshot();
    ASSERT_NE(Rows("SELECT COUNT(*) FROM HVXGR57 WHERE SETTLEMENT=''"), Texts{"0"});
    EXPECT_TRUE(hvx::settlement::DeleteSettlement(window));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Item Will Be Deleted! Do You Wish To Continue?");
    EXPECT_TRUE(host.sent.empty());
    EXPECT_EQ(Snapshot(), before);
    EXPECT_EQ(set.details.Count(), 0u);
}

TEST_P(SettlementReversal, DeletionAnsweredNoChangesNothing) {
    ASSERT_TRUE(SaveUndrawn()) << message;
    const Tables before = Snapshot();
    host.sent.clear();
    ui.answers.push_back(hvx::MsgAnswer::No);
    EXPECT_FALSE(hvx::settlement::DeleteSettlement(window));
    EXPECT_TRUE(host.sent.empty());
    EXPECT_EQ(Snapshot(), before);
}

}  // namespace
