// Settlement, activity and shipment counters in HVXGR40, on every engine.
#include <gtest/gtest.h>

#include "platform/Format.h"
#include "platform/HVXConnection.h"
#include "platform/HVXSConnection.h"
#include "shell/Counters.h"
#include "support/ScriptedUi.h"
#include "support/TestDatabase.h"

namespace {

using hvxtest::Column;
using hvxtest::Exec;

class Counters : public hvxtest::DatabaseTest {
protected:
    static void Config(const std::string& column, const std::string& value) {
        Exec(_HVXsprintf("INSERT INTO HVXGR40 (%s,RECNO) VALUES ('%s',1)", column, value));
    }
    static void Settlements(const std::vector<std::string>& numbers) {
        double recno = 1;
        for (const std::string& n : numbers)
            Exec(_HVXsprintf("INSERT INTO HVXGR04 (SETTLEMENT,NUMCHANGE,RECNO) VALUES "
                             "('%s','0',%.0f)",
                             n, recno++));
    }
    static std::string Stored(const std::string& column) {
        const auto values = Column("SELECT " + column + " FROM HVXGR40");
        return values.empty() ? "<no row>" : values.front();
    }
};
HVX_DATABASE_TEST_SUITE(Counters);

struct SettlementCase {
    const char* counter;
    std::vector<std::string> onFile;
    long simpleNumber;  // the simple form
    const char* simpleLeft;
    long preparedNumber;  // the prepared form
    const char* preparedLeft;
};

TEST_P(Counters, SettlementNumberBothForms) {
    const SettlementCase cases[] = {
        {"", {}, 1, "2", 1, "2"},
        {"7", {"7", "8"}, 9, "10", 9, "10"},
        {"41", {}, 41, "42", 41, "42"},
        {"", {"1"}, 2, "3", 2, "3"},
        // The simple form takes a stored 0 as it is; the prepared form reads it as 1.
        {"0", {}, 0, "1", 1, "2"},
        // A quote in the stored text must not break the guarded update.
        {"12'", {}, 12, "13", 12, "13"},
    };
    for (const SettlementCase& c : cases) {
        for (const bool prepared : {false, true}) {
            SCOPED_TRACE(std::string(prepared ? "prepared" : "simple") + " counter '" + c.counter + "'");
            Exec("DELETE FROM HVXGR40");
            Exec("DELETE FROM HVXGR04");
            Config("CONFIG18", c.counter);
            Settlements(c.onFile);
            std::string message;
            long number = 0;
            if (prepared) {
                HVXConnection connection(1);
                number = hvx::NextSettlementNumber(connection, &message);
            } else {
                HVXSConnection connection(1, nullptr, 0);
                number = hvx::NextSettlementNumber(connection, &message);
            }
            EXPECT_EQ(number, prepared ? c.preparedNumber : c.simpleNumber);
            EXPECT_EQ(Stored("CONFIG18"), prepared ? c.preparedLeft : c.simpleLeft);
            EXPECT_EQ(message, "");
        }
    }
}

TEST_P(Counters, ConsecutiveDrawsGiveConsecutiveNumbers) {
    Config("CONFIG18", "");
    HVXSConnection simple(1, nullptr, 0);
    HVXConnection prepared(1);
    EXPECT_EQ(hvx::NextSettlementNumber(simple), 1);
    EXPECT_EQ(hvx::NextSettlementNumber(prepared), 2);
    EXPECT_EQ(hvx::NextSettlementNumber(simple), 3);
    EXPECT_EQ(Stored("CONFIG18"), "4");
}

TEST_P(Counters, PreparedFormFollowsTheSaveTransaction) {
    Config("CONFIG18", "5");
    HVXConnection connection(1);
    ASSERT_EQ(connection.BeginTran("SELECT RECNO FROM HVXGR04"), 0);
    EXPECT_EQ(hvx::NextSettlementNumber(connection), 5);
    EXPECT_EQ(Stored("CONFIG18"), "6");
    ASSERT_EQ(connection.CancelTran("SELECT RECNO FROM HVXGR04"), 0);
    EXPECT_EQ(Stored("CONFIG18"), "5");
}

TEST_P(Counters, MissingConfigurationRow) {
    hvxtest::ScriptedUi ui;
    const std::string expected =
        "Unable to get the next settlement number: the configuration table HVXGR40 has no row.";
    HVXSConnection simple(1, nullptr, 0);
    std::string message;
    EXPECT_EQ(hvx::NextSettlementNumber(simple, &message), 0);
    EXPECT_EQ(message, expected);
    EXPECT_TRUE(ui.messages.empty());

    // Without a message buffer the reason is shown.
    EXPECT_EQ(hvx::NextActivityNumber(simple), 0);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text,
              "Unable to get the next position activity number: the configuration table "
              "HVXGR40 has no row.");
    EXPECT_EQ(ui.messages[0].caption, "Harvexa");

    // The prepared form takes 1 without a row and writes nothing...
    HVXConnection prepared(1);
    message.clear();
    EXPECT_EQ(hvx::NextSettlementNumber(prepared, &message), 1);
    EXPECT_EQ(message, "");
    // ...but cannot get past a settlement 1 already on file.
    Settlements({"1"});
    EXPECT_EQ(hvx::NextSettlementNumber(prepared, &message), 0);
    EXPECT_EQ(message, expected);
    EXPECT_EQ(Stored("CONFIG18"), "<no row>");
}

TEST_P(Counters, CounterThatCannotAdvanceGivesUp) {
    // A NULL counter reads as empty, but the update guarded by '' never
    // matches it, so the number 1 on file would be drawn for ever.
    Exec("INSERT INTO HVXGR40 (CONFIG18,RECNO) VALUES (NULL,1)");
    Settlements({"1"});
    HVXSConnection simple(1, nullptr, 0);
    std::string message;
    EXPECT_EQ(hvx::NextSettlementNumber(simple, &message), 0);
    EXPECT_EQ(message,
              "Unable to get the next settlement number: the counter CONFIG18 in HVXGR40 cannot "
              "be moved past the numbers already used.");
}

TEST_P(Counters, ActivityNumber) {
    const struct {
        const char* counter;
        long number;
        const char* left;
    } cases[] = {{"", 1, "2"}, {"1234", 1234, "1235"}, {"99999999", 99999999, "100000000"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.counter);
        Exec("DELETE FROM HVXGR40");
        Config("NEXTDPR", c.counter);
        // Activity numbers are not checked against stored rows: a settlement
        // with the same number must not make it skip.
        Settlements({std::to_string(c.number)});
        HVXSConnection connection(1, nullptr, 0);
        const long number = hvx::NextActivityNumber(connection);
        EXPECT_EQ(number, c.number);
        EXPECT_EQ(Stored("NEXTDPR"), c.left);
        Exec("DELETE FROM HVXGR04");
    }
}

TEST_P(Counters, ShipmentNumberSkipsShipmentsOnFile) {
    Config("CONFIG8", "");
    Exec("INSERT INTO HVXGR07 (REFERENCE,NUMCHANGE,RECNO) VALUES ('1','0',1)");
    Exec("INSERT INTO HVXGR07 (REFERENCE,NUMCHANGE,RECNO) VALUES ('2','0',2)");
    HVXSConnection connection(1, nullptr, 0);
    EXPECT_EQ(hvx::NextShipmentNumber(connection), 3);
    EXPECT_EQ(Stored("CONFIG8"), "4");
}

}  // namespace
