// Deleting or reversing a settlement while another workstation holds a lock
// it needs, on every engine: the other workstation is a forked process with
// a lock service of its own on the shared database. The operation is refused
// with its message before it changes anything, and goes through once the
// other workstation lets go.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "host/LockService.h"
#include "host/LockServiceHost.h"
#include "settlement/SettlementDeletion.h"
#include "settlement/SettlementReversal.h"
#include "settlement/SettlementSaveTestSupport.h"
#include "shell/HostLocks.h"

namespace {

using hvxtest::Tables;
using hvxtest::Without;

constexpr int kWaitMs = 30000;

// What the other workstation holds: a process lock by name, or a record.
struct HeldLock {
    hvx::LockOperation operation;
    const char* table;
    double recno;
};

// The other workstation: takes the lock, says so, and keeps it until told
// to let go (or its test ends). Its own connection only: the session it
// inherits belongs to the test.
class OtherWorkstation {
public:
    OtherWorkstation(const std::string& connection, const HeldLock& lock) {
        int ready[2], letGo[2];
        if (::pipe(ready) != 0 || ::pipe(letGo) != 0) return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::prctl(PR_SET_PDEATHSIG, SIGKILL);
            ::close(ready[0]);
            ::close(letGo[1]);
            ::_exit(Hold(connection, lock, ready[1], letGo[0]));
        }
        ::close(ready[1]);
        ::close(letGo[0]);
        letGo_ = letGo[1];
        pollfd p{ready[0], POLLIN, 0};
        char signal = 0;
        holding_ = pid_ > 0 && ::poll(&p, 1, kWaitMs) == 1 && ::read(ready[0], &signal, 1) == 1 &&
                   signal == 'h';
        ::close(ready[0]);
    }
    ~OtherWorkstation() { LetGo(); }

    bool Holding() const { return holding_; }

    // Ends the other workstation; true when it held the lock to the end.
    bool LetGo() {
        if (pid_ <= 0) return false;
        const char signal = 'q';
        const bool told = ::write(letGo_, &signal, 1) == 1;
        ::close(letGo_);
        int status = 0;
        ::waitpid(pid_, &status, 0);
        pid_ = 0;
        return told && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }

private:
    static int Hold(const std::string& connection, const HeldLock& lock, int ready, int letGo) {
        hvx::LockService locks;
        std::string error;
        if (!locks.Open(connection, error)) return 2;
        hvx::LockRequest request = hvx::MakeLockRequest("HVXGRP", lock.table, lock.recno);
        if (locks.Handle(lock.operation, request) == 0) return 3;
        const char held = 'h';
        if (::write(ready, &held, 1) != 1) return 4;
        pollfd p{letGo, POLLIN, 0};
        char signal = 0;
        if (::poll(&p, 1, kWaitMs) != 1 || ::read(letGo, &signal, 1) != 1) return 5;
        return 0;
    }

    pid_t pid_ = 0;
    int letGo_ = -1;
    bool holding_ = false;
};

class ReversalLocks : public hvxtest::SettlementSaveFixture {};
HVX_DATABASE_TEST_SUITE(ReversalLocks);

TEST_P(ReversalLocks, LockHeldByAnotherWorkstationRefusesBeforeAnyChange) {
    struct Case {
        const char* name;
        HeldLock lock;
        const char* reverseMessage;
        const char* deleteMessage;
    };
    const Case cases[] = {
        {"process lock", {hvx::kLockTable, "GrainLock1", 0},
         "Unable to get required process lock to save settlement. Another user is currently "
         "performing an operation using the same lock.",
         "Unable to get required lock to delete settlement."},
        {"assembly", {hvx::kLockRecord, "HVXGR02", 1},
         "Unable to lock assembly A100 for update. This assembly does not exist or is in use by "
         "another user. Unable to reverse settlement.",
         "Unable to lock assembly A100 for update. This assembly does not exist or is in use by "
         "another user. Unable to delete settlement."},
    };
    for (const Case& c : cases) {
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

            OtherWorkstation other(connection_, c.lock);
            ASSERT_TRUE(other.Holding());
            EXPECT_FALSE(run());
            EXPECT_EQ(shown(), reverse ? c.reverseMessage : c.deleteMessage);
            EXPECT_EQ(Without(Snapshot(), {"HVXLOCKS"}), Without(before, {"HVXLOCKS"}));

            // Whatever this workstation took before the refusal it gave back:
            // once the other lets go, the operation goes through.
            EXPECT_TRUE(other.LetGo());
            EXPECT_TRUE(run()) << shown();
            EXPECT_EQ(hvxtest::Rows("SELECT COUNT(*) FROM HVXGR04"),
                      hvxtest::Texts{reverse ? "2" : "0"});
        }
    }
}

}  // namespace
