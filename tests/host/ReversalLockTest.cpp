// Deleting or reversing a settlement while another workstation holds a lock
// it needs, on every engine. The operation is refused with its message before
// it changes anything, and goes through once the other workstation lets go.
#include <gtest/gtest.h>

#include <string>

#include "host/Workstation.h"
#include "settlement/SettlementDeletion.h"
#include "settlement/SettlementReversal.h"
#include "settlement/SettlementSaveTestSupport.h"
#include "shell/HostLocks.h"

namespace {

using hvxtest::Tables;
using hvxtest::Without;

class ReversalLocks : public hvxtest::SettlementSaveFixture {};
HVX_DATABASE_TEST_SUITE(ReversalLocks);

TEST_P(ReversalLocks, LockHeldByAnotherWorkstationRefusesBeforeAnyChange) {
    const struct {
        const char* name;
        hvx::LockOperation operation;  // what the other workstation holds
        const char* table;
        double recno;
        const char *reverseMessage, *deleteMessage;
    } cases[] = {
        {"process lock", hvx::kLockTable, "GrainLock1", 0,
         "Unable to get required process lock to save settlement. Another user is currently "
         "performing an operation using the same lock.",
         "Unable to get required lock to delete settlement."},
        {"assembly", hvx::kLockRecord, "HVXGR02", 1,
         "Unable to lock assembly A100 for update. This assembly does not exist or is in use by "
         "another user. Unable to reverse settlement.",
         "Unable to lock assembly A100 for update. This assembly does not exist or is in use by "
         "another user. Unable to delete settlement."},
    };
    for (const auto& c : cases) {
        for (const bool reverse : {true, false}) {
            SCOPED_TRACE(std::string(c.name) + (reverse ? ", reversal" : ", deletion"));
            TearDown();
            SetUp();
            hvx::SetHostPort(&host);  // the save before grants every lock
            if (reverse)
                SaveAndPost();
            else
                ASSERT_TRUE(SaveUndrawn()) << message;
            const Tables before = Snapshot();

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
            EXPECT_EQ(shown(), reverse ? c.reverseMessage : c.deleteMessage);
            EXPECT_EQ(Without(Snapshot(), {"HVXLOCKS"}), Without(before, {"HVXLOCKS"}));

            // Whatever this workstation took before the refusal it gave back:
            // once the other lets go, the operation goes through.
            other.Go();
            EXPECT_EQ(other.Wait(), 0);
            EXPECT_TRUE(run()) << shown();
            EXPECT_EQ(hvxtest::Rows("SELECT COUNT(*) FROM HVXGR04"),
                      hvxtest::Texts{reverse ? "2" : "0"});
        }
    }
}

}  // namespace
