// Workstations saving, reversing and deleting settlements at the same moment, on every
// engine: each other one is a forked process with a session and a lock service of its own.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "data/Schema.h"
#include "host/Workstation.h"
#include "platform/Session.h"
#include "settlement/SettlementDeletion.h"
#include "settlement/SettlementReversal.h"
#include "settlement/SettlementSaveTestSupport.h"
#include "shell/HostLocks.h"

namespace {

using hvxtest::Rows;
using hvxtest::Texts;

const std::string kProcessLockRefused =
    "Unable to get required process lock to save settlement. Another user is currently "
    "performing an operation using the same lock.";
std::string AssemblyLockRefused(const std::string& operation) {
    return "Unable to lock assembly A100 for update. This assembly does not exist or is in use by "
           "another user. Unable to " + operation + " settlement.";
}

// How a clerk's process ends (its exit status): saved, refused beyond the
// share, or broken for the reason it prints.
enum Outcome : int { kSaved = 0, kRefusedBeyondShare = 1, kBroken = 2 };
int Broken(const std::string& why) {
    std::fprintf(stderr, "clerk: %s\n", why.c_str());
    return kBroken;
}

// One clerk: sets up the window, says it is ready, waits for the go, then
// saves a new settlement selling 60 units of the split, pressing Save again
// for up to 20 seconds while another workstation holds the locks.
int SaveWhenTold(const std::string& connection, const std::string& lineLink,
                 hvxtest::OtherProcess& self) {
    std::string error;
    hvx::LockService locks;
    if (!hvx::Session::Open(connection, error) || !locks.Open(connection, error)) {
        self.Ready(false);  // rather than keep the others waiting
        return Broken(error);
    }
    hvxtest::LockServiceHost host(locks);
    hvxtest::ScriptedUi ui;
    hvxtest::ScriptedSelection selection;
    hvx::settlement::SettlementRecordSet set;
    set.header.custRef = "C1";
    set.header.custName = "Casey Farms";
    set.header.settDate = "03072024";
    set.header.entryDate = "03082024";
    // Two such saves of 60 would overdraw the share of 100.
    set.details.AddLine(hvxtest::AssemblyLine(lineLink.c_str(), "Priced", 60, 4.25, 60 * 4.25));
    const hvx::settlement::SettlementWindowValues values;
    std::string message;
    hvx::settlement::SettlementSaveWindow window{set, values, ui, &selection, message};

    self.Ready(true);
    if (!self.AwaitGo()) return Broken("no go signal");
    // A save that won the process lock just as the previous one gave it up,
    // but before that one had released the assembly, is refused the assembly.
    for (const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
         std::chrono::steady_clock::now() < deadline;
         std::this_thread::sleep_for(std::chrono::milliseconds(1))) {
        if (hvx::settlement::SaveSettlement(window)) return kSaved;
        if (message == "Saving this settlement will make settled units greater than assembly "
                       "A100 share units by 20.00 units. <7001>")
            return kRefusedBeyondShare;
        if (message != kProcessLockRefused && message != AssemblyLockRefused("save"))
            return Broken(message);
    }
    return Broken("locked out: " + message);
}

// The share of a split is checked under the locks of the save, so the split is
// never settled beyond its share.
class ConcurrentSave : public hvxtest::DatabaseTest {};
HVX_DATABASE_TEST_SUITE(ConcurrentSave);

TEST_P(ConcurrentSave, SimultaneousSavesNeverSettleASplitBeyondItsShare) {
    const auto lineLink = [](int clerk) { return std::to_string(9101 + clerk); };
    // A race lost only when the saves meet: enough rounds that a share check
    // made outside the locks would almost surely be caught.
    for (int round = 1; round <= 10; ++round) {
        const int clerkCount = round % 3 == 0 ? 2 : 3;
        SCOPED_TRACE(::testing::Message() << "round " << round << ", " << clerkCount << " clerks");
        // A fresh database holding assembly A100 with split 7001 of customer
        // C1 (share 100 units, none settled, no scale tickets to spread over);
        // the next settlement number is 41. No clerk inherits the session.
        TearDown();
        SetUp();
        std::string error;
        hvxtest::Exec("INSERT INTO HVXGR40 (CONFIG18,SETTBYTICK,RECNO) VALUES ('41','F',1)");
        hvxtest::Exec("INSERT INTO HVXGR02 (ASSEMBLY,SETTLED,RECNO) VALUES ('A100','F',1)");
        hvxtest::Exec(
            "INSERT INTO HVXGR02S (ASSEMBLY,CONTRACT,COMMODITY,LOCATION,DPR,CUSTREF,SHAREUNITS,"
            "SETTUNITS,PSETUNITS,SETTLED,LINEID,RECNO) VALUES ('A100','','CORN','1',"
            "'Storage Ticket','C1','100.0000','0.0000','0.0000','F','7001',1)");
        hvx::Session::Close();
        // The lock table exists already, as it does once any host has opened
        // this database: the clerks race for locks, not for creating it.
        ASSERT_TRUE(hvx::LockService().Open(connection_, error)) << error;

        // The clerks start saving together once all are ready.
        std::vector<std::unique_ptr<hvxtest::OtherProcess>> clerks;
        for (int i = 0; i < clerkCount; ++i)
            clerks.push_back(std::make_unique<hvxtest::OtherProcess>(
                [&, i](hvxtest::OtherProcess& self) {
                    return SaveWhenTold(connection_, lineLink(i), self);
                }));
        for (auto& clerk : clerks) ASSERT_TRUE(clerk->AwaitReady()) << "a clerk is not ready";
        for (auto& clerk : clerks) clerk->Go();
        std::vector<int> outcomes;
        for (auto& clerk : clerks) outcomes.push_back(clerk->Wait());
        ASSERT_TRUE(hvx::Session::Open(connection_, error)) << error;

        // Two saves of 60 cannot both fit in 100: one is stored, every other
        // is refused by the share check and leaves nothing behind.
        const auto saved = std::find(outcomes.begin(), outcomes.end(), kSaved);
        ASSERT_NE(saved, outcomes.end());
        EXPECT_EQ(std::count(outcomes.begin(), outcomes.end(), kRefusedBeyondShare), clerkCount - 1)
            << ::testing::PrintToString(outcomes);
        const std::string savedLink = lineLink(static_cast<int>(saved - outcomes.begin()));
        EXPECT_EQ(Rows("SELECT SHAREUNITS,SETTUNITS,SETTLED FROM HVXGR02S"),
                  Texts{"100.0000\t60.0000\tF"});
        EXPECT_EQ(Rows("SELECT SETTLEMENT,SETLINK,RECNO FROM HVXGR04"), Texts{"41\t1\t1"});
        EXPECT_EQ(Rows("SELECT SETTLEMENT,DLLINK,UNITSSET FROM HVXGR04D"),
                  Texts{"41\t" + savedLink + "\t60.0000"});
        EXPECT_EQ(Rows("SELECT DLLINK FROM HVXGR04F"), Texts{savedLink});
        EXPECT_EQ(Rows("SELECT ASSEMBLY,SETTLINK FROM HVXGR04H"), Texts{"A100\t1"});
        EXPECT_EQ(Rows("SELECT CONFIG18 FROM HVXGR40"), Texts{"42"});
        // Every lock a clerk took it gave back before it ended.
        EXPECT_EQ(hvxtest::LockRows(connection_), Texts{});
    }
}

// Deleting or reversing a settlement while another workstation holds a lock it
// needs is refused with its message before it changes anything, and goes
// through once the other workstation lets go.

class ReversalLocks : public hvxtest::SettlementSaveFixture {};
HVX_DATABASE_TEST_SUITE(ReversalLocks);

TEST_P(ReversalLocks, LockHeldByAnotherWorkstationRefusesBeforeAnyChange) {
    const struct {
        bool reverse;
        hvx::LockOperation operation;  // what the other workstation holds
        const char* table;
        double recno;
        std::string message;
    } cases[] = {
        {true, hvx::kLockTable, "GrainLock1", 0, kProcessLockRefused},
        {false, hvx::kLockTable, "GrainLock1", 0, "Unable to get required lock to delete settlement."},
        {true, hvx::kLockRecord, "HVXGR02", 1, AssemblyLockRefused("reverse")},
        {false, hvx::kLockRecord, "HVXGR02", 1, AssemblyLockRefused("delete")},
    };
    for (const auto& c : cases) {
        const bool reverse = c.reverse;
        SCOPED_TRACE(c.message);
        TearDown();
        SetUp();
        hvx::SetHostPort(&host);  // the save before grants every lock
        if (reverse)
            SaveAndPost();
        else
            ASSERT_TRUE(SaveUndrawn()) << message;
        const hvxtest::Tables before = Snapshot();

        hvx::LockService locks;
        std::string error;
        ASSERT_TRUE(locks.Open(connection_, error)) << error;
        hvxtest::LockServiceHost workstation(locks);
        const auto run = [&] {
            ui.messages.clear();
            return reverse ? hvx::settlement::ReverseSettlement(window)
                           : hvx::settlement::DeleteSettlement(window);
        };
        const auto shown = [&] {
            return reverse ? message : ui.messages.empty() ? "" : ui.messages.back().text;
        };

        // Holds the lock on a connection of its own until told to let go.
        hvxtest::OtherProcess other([&](hvxtest::OtherProcess& self) {
            hvx::LockService held;
            std::string error;
            hvx::LockRequest request = hvx::MakeLockRequest("HVXGRP", c.table, c.recno);
            self.Ready(held.Open(connection_, error) && held.Handle(c.operation, request));
            return self.AwaitGo() ? 0 : 1;
        });
        ASSERT_TRUE(other.AwaitReady());
        EXPECT_FALSE(run());
        EXPECT_EQ(shown(), c.message);
        EXPECT_EQ(hvxtest::Without(Snapshot(), {"HVXLOCKS"}),
                  hvxtest::Without(before, {"HVXLOCKS"}));

        // Whatever this workstation took before the refusal it gave back:
        // once the other lets go, the operation goes through.
        other.Go();
        EXPECT_EQ(other.Wait(), 0);
        EXPECT_TRUE(run()) << shown();
        EXPECT_EQ(hvxtest::Rows("SELECT COUNT(*) FROM HVXGR04"),
                  hvxtest::Texts{reverse ? "2" : "0"});
    }
}

}  // namespace
