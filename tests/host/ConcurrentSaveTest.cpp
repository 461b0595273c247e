// Clerks on separate workstations saving settlements on one assembly split at
// the same moment, on every engine. Each clerk is a forked process with a
// session and a host lock service of its own on the shared database, so the
// locks of the save really cross processes: the share is checked under them,
// and the split is never settled beyond its share.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "data/Schema.h"
#include "host/LockService.h"
#include "host/LockServiceHost.h"
#include "platform/Session.h"
#include "settlement/SettlementSaveTestSupport.h"

namespace {

using Clock = std::chrono::steady_clock;
using hvxtest::Rows;
using hvxtest::Texts;

constexpr double kShare = 100;
constexpr double kTaken = 60;  // two such saves would overdraw the share
constexpr auto kReadyWait = std::chrono::seconds(30);
constexpr auto kRaceWait = std::chrono::seconds(60);
// How long a clerk keeps pressing Save while another workstation holds the locks.
constexpr auto kRetryFor = std::chrono::seconds(20);

const char* const kBeyondShare =
    "Saving this settlement will make settled units greater than assembly A100 share units by "
    "20.00 units. <7001>";
const char* const kProcessLockRefused =
    "Unable to get required process lock to save settlement. Another user is currently "
    "performing an operation using the same lock.";
// A save that won the process lock just as the previous one gave it up, but
// before that one had released the assembly.
const char* const kAssemblyLockRefused =
    "Unable to lock assembly A100 for update. This assembly does not exist or is in use by "
    "another user. Unable to save settlement.";

// How a clerk's process ends: its exit status.
enum Outcome : int { kSaved = 0, kRefusedBeyondShare = 1, kLockedOut = 2, kBroken = 3 };

int Broken(const std::string& why) {
    std::fprintf(stderr, "clerk %d: %s\n", static_cast<int>(::getpid()), why.c_str());
    return kBroken;
}

// One clerk: sets up the window and everything it needs, says it is ready,
// waits for the go, then saves a new settlement selling 60 units of the split,
// pressing Save again while another workstation holds the locks.
int SaveWhenTold(const std::string& connection, const std::string& lineLink, int ready, int go) {
    // A clerk that cannot even open its window says so at once, rather than
    // keep the others waiting for it.
    const auto cannotStart = [ready](const std::string& why) {
        const char signal = 'x';
        if (::write(ready, &signal, 1) != 1) return Broken("cannot say it failed");
        return Broken(why);
    };
    std::string error;
    if (!hvx::Session::Open(connection, error)) return cannotStart(error);
    hvx::LockService locks;
    if (!locks.Open(connection, error)) return cannotStart(error);
    hvxtest::LockServiceHost host(locks);
    hvxtest::ScriptedUi ui;
    hvxtest::ScriptedSelection selection;
    hvx::settlement::SettlementRecordSet set;
    set.header.custRef = "C1";
    set.header.custName = "Casey Farms";
    set.header.settDate = "03072024";
    set.header.entryDate = "03082024";
    set.details.AddLine(
        hvxtest::AssemblyLine(lineLink.c_str(), "Priced", kTaken, 4.25, kTaken * 4.25));
    const hvx::settlement::SettlementWindowValues values;
    std::string message;
    hvx::settlement::SettlementSaveWindow window{set, values, ui, &selection, message};

    char signal = 'r';
    if (::write(ready, &signal, 1) != 1) return Broken("cannot say it is ready");
    pollfd fd{go, POLLIN, 0};
    const int waitMs = std::chrono::duration_cast<std::chrono::milliseconds>(kRaceWait).count();
    if (::poll(&fd, 1, waitMs) != 1 || ::read(go, &signal, 1) != 1)
        return Broken("no go signal");

    for (const auto deadline = Clock::now() + kRetryFor;;) {
        if (hvx::settlement::SaveSettlement(window)) return kSaved;
        if (message == kBeyondShare) return kRefusedBeyondShare;
        if (message != kProcessLockRefused && message != kAssemblyLockRefused)
            return Broken(message);
        if (Clock::now() > deadline) return kLockedOut;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

// The clerks of one round; any still running when the round ends is killed.
struct Clerks {
    std::vector<pid_t> pids;
    ~Clerks() {
        for (pid_t pid : pids)
            if (pid > 0) {
                ::kill(pid, SIGKILL);
                ::waitpid(pid, nullptr, 0);
            }
    }
};

class ConcurrentSave : public hvxtest::DatabaseTest {
protected:
    // A fresh database holding assembly A100 with split 7001 of customer C1
    // (share 100 units, none settled, no scale tickets to spread over); the
    // next settlement number is 41. The session is closed afterwards, so that
    // no clerk inherits the connection.
    void FreshRound() {
        hvx::Session::Close();
        connection_ = hvxtest::FreshDatabase(GetParam());
        std::string error;
        ASSERT_TRUE(hvx::Session::Open(connection_, error)) << error;
        ASSERT_TRUE(hvx::data::CreateSchema(error)) << error;
        hvxtest::Exec("INSERT INTO HVXGR40 (CONFIG18,SETTBYTICK,RECNO) VALUES ('41','F',1)");
        hvxtest::Exec("INSERT INTO HVXGR02 (ASSEMBLY,SETTLED,RECNO) VALUES ('A100','F',1)");
        hvxtest::Exec(
            "INSERT INTO HVXGR02S (ASSEMBLY,CONTRACT,COMMODITY,LOCATION,DPR,CUSTREF,SHAREUNITS,"
            "SETTUNITS,PSETUNITS,SETTLED,LINEID,RECNO) VALUES ('A100','','CORN','1',"
            "'Storage Ticket','C1','100.0000','0.0000','0.0000','F','7001',1)");
        hvx::Session::Close();
        // The lock table exists already, as it does once any host has opened
        // this database: the clerks race for locks, not for creating it.
        hvx::LockService locks;
        ASSERT_TRUE(locks.Open(connection_, error)) << error;
    }

    // Forks the clerks, lets them go together once all are ready, and waits
    // for every one of them: the outcome of each, in order.
    std::vector<int> Race(int clerkCount) {
        int ready[2], go[2];
        if (::pipe(ready) != 0 || ::pipe(go) != 0) {
            ADD_FAILURE() << "no pipes";
            return {};
        }
        Clerks clerks;
        for (int i = 0; i < clerkCount; ++i) {
            const pid_t pid = ::fork();
            if (pid == 0) {
                // Never returns into the test program.
                ::prctl(PR_SET_PDEATHSIG, SIGKILL);
                ::close(ready[0]);
                ::close(go[1]);
                ::_exit(SaveWhenTold(connection_, LineLink(i), ready[1], go[0]));
            }
            if (pid < 0) {
                ADD_FAILURE() << "cannot fork clerk " << i;
                return {};
            }
            clerks.pids.push_back(pid);
        }
        ::close(ready[1]);
        ::close(go[0]);
        const bool allReady = AwaitReady(ready[0], clerkCount);
        const std::string signals(clerkCount, 'g');
        const bool released =
            allReady && ::write(go[1], signals.data(), signals.size()) == clerkCount;
        ::close(ready[0]);
        ::close(go[1]);
        if (!released) {
            ADD_FAILURE() << "the clerks did not all get ready";
            return {};
        }
        return AwaitOutcomes(clerks);
    }

    static std::string LineLink(int clerk) { return std::to_string(9101 + clerk); }

    // Every lock row left in the database (kept beside it on SQLite).
    Texts LockRows() const {
        std::string error;
        const bool pg = hvx::IsPostgresConnection(connection_);
        auto engine = hvx::OpenEngine(pg ? connection_ : connection_ + "-locks", error);
        auto statement =
            engine ? engine->Prepare("SELECT PACKAGE, TABLENAME, LOCKRECNO FROM HVXLOCKS", false,
                                     error)
                   : nullptr;
        Texts rows;
        if (!statement || !statement->Execute({}, error)) ADD_FAILURE() << error;
        std::string package, table, recno;
        while (statement && statement->Next()) {
            statement->Column(0, package), statement->Column(1, table),
                statement->Column(2, recno);
            rows.push_back(package + "|" + table + "|" + recno);
        }
        return rows;
    }

private:
    static bool AwaitReady(int fd, int clerkCount) {
        const auto deadline = Clock::now() + kReadyWait;
        for (int seen = 0; seen < clerkCount;) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            pollfd p{fd, POLLIN, 0};
            char signal = 0;
            if (left.count() <= 0 || ::poll(&p, 1, static_cast<int>(left.count())) != 1 ||
                ::read(fd, &signal, 1) != 1 || signal != 'r')
                return false;
            ++seen;
        }
        return true;
    }

    static std::vector<int> AwaitOutcomes(Clerks& clerks) {
        std::vector<int> outcomes(clerks.pids.size(), -1);
        const auto deadline = Clock::now() + kRaceWait;
        for (std::size_t left = clerks.pids.size(); left > 0;) {
            for (std::size_t i = 0; i < clerks.pids.size(); ++i) {
                int status = 0;
                if (clerks.pids[i] <= 0 || ::waitpid(clerks.pids[i], &status, WNOHANG) == 0)
                    continue;
                outcomes[i] = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
                clerks.pids[i] = -1;
                --left;
            }
            if (left > 0 && Clock::now() > deadline) {
                ADD_FAILURE() << left << " clerk(s) still saving after the wait";
                return {};
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return outcomes;
    }
};
HVX_DATABASE_TEST_SUITE(ConcurrentSave);

TEST_P(ConcurrentSave, SimultaneousSavesNeverSettleASplitBeyondItsShare) {
    // A race lost only when the saves meet: enough rounds that a share check
    // made outside the locks would almost surely be caught.
    for (int round = 1; round <= 10; ++round) {
        const int clerkCount = round % 3 == 0 ? 2 : 3;
        SCOPED_TRACE("round " + std::to_string(round) + ", " + std::to_string(clerkCount) +
                     " clerks");
        FreshRound();
        if (HasFatalFailure()) return;
        const std::vector<int> outcomes = Race(clerkCount);
        ASSERT_EQ(outcomes.size(), static_cast<std::size_t>(clerkCount));

        std::string error;
        ASSERT_TRUE(hvx::Session::Open(connection_, error)) << error;
        const Texts split = Rows("SELECT SETTUNITS FROM HVXGR02S");
        ASSERT_EQ(split.size(), 1u);
        const double settled = std::atof(split[0].c_str());
        double drawn = 0;
        for (const std::string& units :
             hvxtest::Column("SELECT UNITSSET FROM HVXGR04D WHERE SOURCELINK='7001'"))
            drawn += std::atof(units.c_str());
        EXPECT_LE(settled, kShare) << "the split is settled beyond its share";
        EXPECT_DOUBLE_EQ(settled, drawn) << "the split disagrees with the lines drawing on it";

        // Two saves of 60 cannot both fit in 100: one is stored, every other
        // is refused by the share check and leaves nothing behind.
        std::vector<std::string> savedLinks;
        for (int i = 0; i < clerkCount; ++i) {
            SCOPED_TRACE("clerk " + std::to_string(i));
            EXPECT_TRUE(outcomes[i] == kSaved || outcomes[i] == kRefusedBeyondShare)
                << "outcome " << outcomes[i];
            if (outcomes[i] == kSaved) savedLinks.push_back(LineLink(i));
        }
        ASSERT_EQ(savedLinks.size(), 1u);
        EXPECT_EQ(Rows("SELECT SHAREUNITS,SETTUNITS,SETTLED FROM HVXGR02S"),
                  Texts{"100.0000\t60.0000\tF"});
        EXPECT_EQ(Rows("SELECT SETTLEMENT,SETLINK,RECNO FROM HVXGR04"), Texts{"41\t1\t1"});
        EXPECT_EQ(Rows("SELECT SETTLEMENT,DLLINK,UNITSSET FROM HVXGR04D"),
                  Texts{"41\t" + savedLinks[0] + "\t60.0000"});
        EXPECT_EQ(Rows("SELECT DLLINK FROM HVXGR04F"), Texts{savedLinks[0]});
        EXPECT_EQ(Rows("SELECT ASSEMBLY,SETTLINK FROM HVXGR04H"), Texts{"A100\t1"});
        EXPECT_EQ(Rows("SELECT CONFIG18 FROM HVXGR40"), Texts{"42"});
        // Every lock a clerk took it gave back before it ended.
        EXPECT_EQ(LockRows(), Texts{});
    }
}

}  // namespace
