// Settings and counters of HVXGR40 and records' change counts (on every engine); process
// locks, record locks and a maintenance window's record-lock controller through the host.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <optional>
#include <vector>

#include "platform/Format.h"
#include "platform/HVXConnection.h"
#include "platform/HVXSConnection.h"
#include "shell/Configuration.h"
#include "shell/Counters.h"
#include "shell/HostLocks.h"
#include "abi/LockRequest.h"
#include "shell/ProcessLocks.h"
#include "shell/RecordChange.h"
#include "shell/RecordLockController.h"
#include "shell/RecordLocks.h"
#include "support/FakeHost.h"
#include "support/ScriptedUi.h"
#include "support/TestDatabase.h"

namespace {

namespace fs = std::filesystem;
using hvx::RecordKind;
using hvxtest::Exec;
using Lines = std::vector<std::string>;


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


// Every lock request the host received, as "operation package|table|record|text".
Lines Requests(const hvxtest::FakeHost& host) {
    Lines lines;
    for (const auto& m : host.sent)
        if (m.message == hvx::kMsgLock)
            lines.push_back(_HVXsprintf("%li %s|%s|%.0f|%s", m.operation, m.package, m.table,
                                        m.recno, m.text));
    return lines;
}

class Window final : public hvx::LockableWindow {
public:
    std::string caption = "Settlement Maintenance";
    Lines told;
    std::string FrameCaption() const override { return caption; }
    void SetFrameCaption(std::string_view text) override { caption = text; }
    void LockHeld() override { told.push_back("held"); }
    void LockedByOtherUser() override { told.push_back("locked"); }
};

std::tm At(int hour, int minute) {  // on March 7, 2024
    std::tm t{};
    t.tm_year = 124, t.tm_mon = 2, t.tm_mday = 7, t.tm_hour = hour, t.tm_min = minute;
    return t;
}

// The user's configuration folder is a fresh working folder.
class Locks : public ::testing::Test {
protected:
    Locks() : controller_(window_, [this] { return now_; }) {
        controller_.SetLockInformation("HVXGRP", "HVXGR08");
    }
    void SetUp() override {
        if (const char* old = getenv("XDG_CONFIG_HOME")) oldConfig_ = old;
        setenv("XDG_CONFIG_HOME", fs::current_path().c_str(), 1);
        hvx::ForgetLockTryCount();
    }
    void TearDown() override {
        if (oldConfig_) setenv("XDG_CONFIG_HOME", oldConfig_->c_str(), 1);
        else unsetenv("XDG_CONFIG_HOME");
        hvx::ForgetLockTryCount();
    }
    void SetTryCount(const std::string& value) {
        fs::create_directories("harvexa");
        std::ofstream("harvexa/hvxlocal.ini") << "[Grain]\nNetworkLockTryCount=" + value + "\n";
    }

    hvxtest::FakeWorkingFolder folder_;
    std::optional<std::string> oldConfig_;
    hvxtest::ScriptedUi ui_;
    hvxtest::FakeHost host_;
    Window window_;
    std::tm now_ = At(13, 5);
    hvx::RecordLockController controller_;
};

TEST_F(Locks, ProcessAskedUntilGrantedOrTryCountPlusOneTimes) {
    const struct {
        const char* value;  // null: no profile file
        int refusals;       // -1: refuse every request
        bool granted;
        int attempts;
    } cases[] = {{"0", -1, false, 11},      {"6000", -1, false, 11}, {nullptr, -1, false, 11},
                 {"1", -1, false, 2},       {"5000", -1, false, 5001}, {"abc", -1, false, 11},
                 {nullptr, 10, true, 11},   {nullptr, 11, false, 11}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.value ? c.value : "<missing>") << " refusals "
                                        << c.refusals);
        fs::remove_all("harvexa");
        if (c.value) SetTryCount(c.value);
        hvx::ForgetLockTryCount();
        host_.sent.clear(), host_.waits.clear();
        host_.refuseAll = c.refusals < 0;
        host_.refusals = std::max(c.refusals, 0);
        EXPECT_EQ(hvx::TryProcessLock("GrainLock1"), c.granted);
        EXPECT_EQ(host_.Count(hvx::kLockTable), c.attempts);
        // A wait before every attempt but the first; the default tries last about a second.
        EXPECT_EQ(host_.waits.size(), c.attempts - 1u);
        const long total = std::accumulate(host_.waits.begin(), host_.waits.end(), 0L);
        EXPECT_TRUE(c.attempts != 11 || (total >= 950 && total <= 1250)) << total;
        for (long wait : host_.waits) EXPECT_TRUE(wait >= 20 && wait <= 150) << wait;
    }
    EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(Locks, ProcessRequestsNameTheLockAndTheTryCountIsReadOncePerModuleLoad) {
    EXPECT_TRUE(hvx::TryProcessLock("GrainLock1"));
    EXPECT_TRUE(hvx::ReleaseProcessLock("GrainLock1"));
    EXPECT_EQ(Requests(host_), (Lines{"1 HVXGRP|GrainLock1|0|", "2 HVXGRP|GrainLock1|0|"}));
    SetTryCount("4");  // after the count of 10 was read
    host_.refuseAll = true;
    EXPECT_FALSE(hvx::TryProcessLock("GrainLock1"));
    EXPECT_EQ(host_.Count(hvx::kLockTable), 1 + 11);
    hvx::ForgetLockTryCount();  // the module is unloaded and loaded again
    EXPECT_EQ(hvx::LockTryCount(), 4);
}

class RecordLocks : public hvxtest::DatabaseTest {
protected:
    void SetUp() override {
        hvxtest::DatabaseTest::SetUp();
        Exec("INSERT INTO HVXGR02 (ASSEMBLY,RECNO) VALUES ('A-100',42)");
        Exec("INSERT INTO HVXGR04 (SETTLEMENT,NUMCHANGE,RECNO) VALUES ('1001','0',7)");
        Exec("INSERT INTO HVXGR05 (CONTRACT,RECNO) VALUES ('SC-9',12345678)");
    }
    hvxtest::ScriptedUi ui_;
    hvxtest::FakeHost host_;
};
HVX_DATABASE_TEST_SUITE(RecordLocks);

TEST_P(RecordLocks, EachKindLocksItsTableRecord) {
    const struct {
        RecordKind kind;
        const char* key;
        std::string request;  // package|table|record|text
    } cases[] = {{RecordKind::Assembly, "A-100", "HVXGRP|HVXGR02|42|"},
                 {RecordKind::Settlement, "1001", "HVXGRP|HVXGR04|7|"},
                 {RecordKind::SalesContract, "SC-9", "HVXGRP|HVXGR05|12345678|"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        host_.sent.clear();
        EXPECT_TRUE(hvx::LockKeyedRecord(c.kind, c.key, 0));
        EXPECT_TRUE(hvx::UnlockKeyedRecord(c.kind, c.key));
        EXPECT_EQ(Requests(host_), (Lines{"3 " + c.request, "4 " + c.request}));
    }
}

// Unknown keys never reach the host; retries follow the first request (at least one).
TEST_P(RecordLocks, UnknownKeysAndRetries) {
    EXPECT_FALSE(hvx::LockKeyedRecord(RecordKind::Assembly, "A-999", hvx::kAssemblyLockRetries));
    EXPECT_FALSE(hvx::UnlockKeyedRecord(RecordKind::Assembly, "A-999"));
    EXPECT_FALSE(hvx::LockKeyedRecord(RecordKind::Settlement, "A-100", 0));  // another kind's key
    EXPECT_FALSE(hvx::LockKeyedRecord(RecordKind::SalesContract, "x' OR '1'='1", 0));
    EXPECT_TRUE(host_.sent.empty());
    host_.refusals = 5;
    EXPECT_TRUE(hvx::LockKeyedRecord(RecordKind::Assembly, "A-100", 5));
    host_.refuseAll = true;
    EXPECT_FALSE(hvx::LockKeyedRecord(RecordKind::Assembly, "A-100", 5));
    EXPECT_FALSE(hvx::LockKeyedRecord(RecordKind::Assembly, "A-100", -2));
    EXPECT_EQ(host_.Count(hvx::kLockRecord), 6 + 6 + 1);
    EXPECT_EQ(host_.waits.size(), 5u + 5u);
    EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(Locks, WindowRefusedLockMarksTheCaptionOnceAndAGrantRestoresIt) {
    host_.refuseAll = true;
    // The caption before the first lock is kept: marked once; waits on a twelve-hour clock.
    const struct {
        int hour, minute;
        const char* since;
    } refusals[] = {{13, 5, "01:05 PM 03/07/2024"}, {0, 30, "12:30 AM 03/07/2024"},
                    {12, 0, "12:00 PM 03/07/2024"}};
    for (const auto& r : refusals) {
        now_ = At(r.hour, r.minute);
        EXPECT_FALSE(controller_.LockRecord(18));
        EXPECT_EQ(window_.caption, "Settlement Maintenance (Locked)");
        EXPECT_EQ(controller_.WaitingSince(), r.since);
    }
    now_ = At(9, 0);
    EXPECT_FALSE(controller_.LockRecord(18, true));  // a silent refusal changes nothing
    EXPECT_EQ(controller_.WaitingSince(), "12:00 PM 03/07/2024");
    host_.refuseAll = false;
    EXPECT_TRUE(controller_.LockRecord(18));
    EXPECT_EQ(window_.caption, "Settlement Maintenance");
    EXPECT_EQ(window_.told, (Lines{"locked", "locked", "locked", "held"}));
    // One request per lock: a window's record lock is not retried.
    EXPECT_EQ(host_.Count(hvx::kLockRecord), 5);
    EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(Locks, WindowMovingToAnotherRecordReleasesTheFirst) {
    EXPECT_TRUE(controller_.LockRecord(17));
    EXPECT_TRUE(controller_.HoldsLock());
    EXPECT_EQ(controller_.LockedRecord(), 17);
    host_.refuseAll = true;
    EXPECT_FALSE(controller_.LockRecord(18));
    EXPECT_FALSE(controller_.HoldsLock());
    controller_.ReleaseLock();  // nothing left to release
    EXPECT_EQ(Requests(host_), (Lines{"3 HVXGRP|HVXGR08|17|", "4 HVXGRP|HVXGR08|17|",
                                       "3 HVXGRP|HVXGR08|18|"}));
}

// Without a host frame, or without the lock's package and table, the host is never asked.
TEST_F(Locks, RefusedWithAMessageBeforeAskingTheHost) {
    for (const auto& [package, table] : {std::pair{"", "HVXGR08"}, std::pair{"HVXGRP", ""}}) {
        hvx::RecordLockController controller(window_, [this] { return now_; });
        controller.SetLockInformation(package, table);
        EXPECT_FALSE(controller.LockRecord(17));
    }
    host_.hasMainWindow = false;
    EXPECT_FALSE(hvx::TryProcessLock("GrainLock1"));  // reported once, not per retry
    EXPECT_FALSE(hvx::ReleaseProcessLock("GrainLock1"));
    EXPECT_TRUE(host_.sent.empty());
    Lines shown;
    for (const auto& m : ui_.messages) {
        shown.push_back(m.caption + ": " + m.text);
        EXPECT_EQ(m.icon, hvx::MsgIcon::Exclamation);
        EXPECT_EQ(m.buttons, hvx::MsgButtons::Ok);
    }
    EXPECT_EQ(shown, (Lines{"Harvexa: Package/Table lock information has not been setup.",
                            "Harvexa: Package/Table lock information has not been setup.",
                            "Harvexa: Please setup Ptr to Main Window",
                            "Harvexa: Please setup Ptr to Main Window"}));
    EXPECT_EQ(window_.caption, "Settlement Maintenance");
}

TEST_F(Locks, WindowLockButtonShowsWhoHoldsTheRecord) {
    window_.caption = std::string(230, 'C');
    host_.refuseAll = true;
    controller_.LockRecord(17);
    EXPECT_EQ(window_.caption, std::string(200, 'C') + " (Locked)");  // kept to 200 characters
    controller_.ShowLockInformation();
    EXPECT_EQ(Requests(host_), (Lines{"3 HVXGRP|HVXGR08|17|", "5 HVXGRP|HVXGR08|17|"}));
    ASSERT_EQ(ui_.popups.size(), 1u);
    EXPECT_EQ(ui_.popups[0].caption, "User Information");
    EXPECT_EQ(ui_.popups[0].text,
              "jdoe on workstation-2 since 03/07/2024 09:15 AM\n"
              "Locked since <Unavailable>\n"
              "Waiting since 01:05 PM 03/07/2024");
    EXPECT_EQ(ui_.lastPopupWidth, 240);
    EXPECT_EQ(ui_.lastPopupOffset, 20);
}

}  // namespace
