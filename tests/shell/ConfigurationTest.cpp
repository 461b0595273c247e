// Settings and counters of the configuration table HVXGR40, and records' change counts.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/Format.h"
#include "platform/HVXConnection.h"
#include "platform/HVXSConnection.h"
#include "shell/Configuration.h"
#include "shell/Counters.h"
#include "shell/RecordChange.h"
#include "support/ScriptedUi.h"
#include "support/TestDatabase.h"

namespace {

using hvxtest::Exec;

class Configuration : public hvxtest::DatabaseTest {
protected:
    static void Settlements(const std::vector<std::string>& numbers) {
        double recno = 1;
        for (const std::string& n : numbers)
            Exec(_HVXsprintf("INSERT INTO HVXGR04 (SETTLEMENT,NUMCHANGE,RECNO) VALUES "
                             "('%s','0',%.0f)", n, recno++));
    }
    static std::string Stored(const std::string& column) {
        const auto values = hvxtest::Column("SELECT " + column + " FROM HVXGR40");
        return values.empty() ? "<no row>" : values.front();
    }
    const std::string noRow =
        "Unable to get the next settlement number: the configuration table HVXGR40 has no row.";
};
HVX_DATABASE_TEST_SUITE(Configuration);

// Each setting reads empty without a configuration row.
TEST_P(Configuration, SettingsAndDeductionCodes) {
    const hvx::ShipmentConfiguration none = hvx::ReadShipmentConfiguration();
    char code[41] = "stale";
    hvx::ChargeDeductionCode(hvx::ChargeKind::Service, code, sizeof code);
    EXPECT_EQ(none.config9 + none.config19 + none.backOffice + hvx::BackOfficeSetting() + code, "");
    EXPECT_FALSE(hvx::SettByTicket());

    Exec(_HVXsprintf("INSERT INTO HVXGR40 (DSERVICE,DSTORAGE,DINTEREST,CONFIG9,CONFIG19,BCKOFFCE,"
                     "SETTBYTICK,RECNO) VALUES ('SERV','%s','INT','T','F','TORVALE','True',1)",
                     std::string(45, 'X')));
    EXPECT_TRUE(hvx::SettByTicket());  // settled by ticket: an upper-case T first
    Exec("UPDATE HVXGR40 SET SETTBYTICK='t'");
    EXPECT_FALSE(hvx::SettByTicket());
    EXPECT_EQ(hvx::ChargeDeductionCode(hvx::ChargeKind::Service), "SERV");
    EXPECT_EQ(hvx::ChargeDeductionCode(hvx::ChargeKind::Storage), std::string(40, 'X'));
    EXPECT_EQ(hvx::ChargeDeductionCode(hvx::ChargeKind::Interest), "INT");
    // The buffer form never writes past the caller's buffer.
    std::memset(code, '#', sizeof code);
    hvx::ChargeDeductionCode(hvx::ChargeKind::Storage, code, 5);
    EXPECT_EQ(std::string(code, 6), std::string("XXXX\0#", 6));
    EXPECT_EQ(hvx::BackOfficeSetting(), "TORVALE");
    const hvx::ShipmentConfiguration read = hvx::ReadShipmentConfiguration();
    EXPECT_EQ(read.config9 + "|" + read.config19 + "|" + read.backOffice, "T|F|TORVALE");
}

// The number drawn is the one stored, skipping numbers on file; the counter is left one higher.
TEST_P(Configuration, SettlementNumberBothForms) {
    const struct {
        const char* counter;
        std::vector<std::string> onFile;
        long number;  // as the simple form draws it; the prepared form reads a stored 0 as 1
    } cases[] = {{"", {}, 1}, {"7", {"7", "8"}, 9}, {"", {"1"}, 2}, {"0", {}, 0},
                 {"12'", {}, 12}};  // a quote in the stored text must not break the update
    for (const auto& c : cases) {
        for (const bool prepared : {false, true}) {
            SCOPED_TRACE(::testing::Message() << prepared << " counter '" << c.counter << "'");
            Exec("DELETE FROM HVXGR40");
            Exec("DELETE FROM HVXGR04");
            Exec(_HVXsprintf("INSERT INTO HVXGR40 (CONFIG18,RECNO) VALUES ('%s',1)", c.counter));
            Settlements(c.onFile);
            std::string message;
            HVXConnection preparedConnection(1);
            HVXSConnection simpleConnection(1, nullptr, 0);
            const long number = prepared ? hvx::NextSettlementNumber(preparedConnection, &message)
                                         : hvx::NextSettlementNumber(simpleConnection, &message);
            const long expected = prepared && c.number == 0 ? 1 : c.number;
            EXPECT_EQ(number, expected);
            EXPECT_EQ(Stored("CONFIG18"), std::to_string(expected + 1));
            EXPECT_EQ(message, "");
        }
    }
}

// Both forms draw from one counter; the prepared form's draw is undone with the caller's.
TEST_P(Configuration, DrawsFollowEachOtherAndTheSaveTransaction) {
    Exec("INSERT INTO HVXGR40 (CONFIG18,RECNO) VALUES ('',1)");
    HVXSConnection simple(1, nullptr, 0);
    HVXConnection prepared(1);
    EXPECT_EQ(hvx::NextSettlementNumber(simple), 1);
    EXPECT_EQ(hvx::NextSettlementNumber(prepared), 2);
    EXPECT_EQ(hvx::NextSettlementNumber(simple), 3);
    ASSERT_EQ(prepared.BeginTran("SELECT RECNO FROM HVXGR04"), 0);
    EXPECT_EQ(hvx::NextSettlementNumber(prepared), 4);
    EXPECT_EQ(Stored("CONFIG18"), "5");
    ASSERT_EQ(prepared.CancelTran("SELECT RECNO FROM HVXGR04"), 0);
    EXPECT_EQ(Stored("CONFIG18"), "4");
}

TEST_P(Configuration, CounterWithoutARowOrThatCannotMoveGivesUp) {
    hvxtest::ScriptedUi ui;
    HVXSConnection simple(1, nullptr, 0);
    std::string message;
    EXPECT_EQ(hvx::NextSettlementNumber(simple, &message), 0);
    EXPECT_EQ(message, noRow);
    EXPECT_TRUE(ui.messages.empty());

    // Without a message buffer the reason is shown.
    EXPECT_EQ(hvx::NextActivityNumber(simple), 0);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].caption + ": " + ui.messages[0].text,
              "Harvexa: Unable to get the next position activity number: the configuration "
              "table HVXGR40 has no row.");

    // The prepared form takes 1 without a row and writes nothing...
    HVXConnection prepared(1);
    message.clear();
    EXPECT_EQ(hvx::NextSettlementNumber(prepared, &message), 1);
    EXPECT_EQ(message, "");
    // ...but cannot get past a settlement 1 already on file.
    Settlements({"1"});
    EXPECT_EQ(hvx::NextSettlementNumber(prepared, &message), 0);
    EXPECT_EQ(message, noRow);
    EXPECT_EQ(Stored("CONFIG18"), "<no row>");

    // A NULL counter reads as empty, but the update guarded by '' never matches it.
    Exec("INSERT INTO HVXGR40 (CONFIG18,RECNO) VALUES (NULL,1)");
    EXPECT_EQ(hvx::NextSettlementNumber(simple, &message), 0);
    EXPECT_EQ(message,
              "Unable to get the next settlement number: the counter CONFIG18 in HVXGR40 cannot "
              "be moved past the numbers already used.");
}

TEST_P(Configuration, ActivityAndShipmentNumbers) {
    Exec("INSERT INTO HVXGR40 (NEXTDPR,CONFIG8,RECNO) VALUES ('99999999','',1)");
    // Activity numbers skip no settlement of the same number; shipment numbers skip shipments.
    Settlements({"99999999"});
    Exec("INSERT INTO HVXGR07 (REFERENCE,NUMCHANGE,RECNO) VALUES ('1','0',1)");
    Exec("INSERT INTO HVXGR07 (REFERENCE,NUMCHANGE,RECNO) VALUES ('2','0',2)");
    HVXSConnection connection(1, nullptr, 0);
    EXPECT_EQ(hvx::NextActivityNumber(connection), 99999999);
    EXPECT_EQ(hvx::NextShipmentNumber(connection), 3);
    EXPECT_EQ(Stored("NEXTDPR") + " " + Stored("CONFIG8"), "100000000 4");
}

TEST_P(Configuration, RecordChangeComparesTheCountReadEarlier) {
    Exec("INSERT INTO HVXGR04 (SETTLEMENT,NUMCHANGE,RECNO) VALUES ('1001','3',7)");
    Exec("INSERT INTO HVXGR04 (SETTLEMENT,NUMCHANGE,RECNO) VALUES ('1002','9',8)");
    const struct {
        double recno;
        const char* readEarlier;
        bool changed;
    } cases[] = {{7, "3", false}, {7, "2", true}, {7, "", true}, {8, "9", false},
                 {9, "3", false}};  // a record deleted since does not count as changed
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.recno << " " << c.readEarlier);
        EXPECT_EQ(hvx::RecordChangedSince("HVXGR04", c.recno, c.readEarlier), c.changed);
    }

    // Only a plain table name reaches the statement.
    EXPECT_FALSE(hvx::RecordChangedSince("HVXGR04 WHERE 1=1 OR RECNO", 8, "0"));
}

}  // namespace
