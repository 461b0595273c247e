// The host's lock service, and settlements saved, reversed and deleted while other
// workstations (forked processes with a session and lock service of their own) hold locks.
#include <gtest/gtest.h>
#include <poll.h>
#include <pwd.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "data/Schema.h"
#include "host/LockService.h"
#include "platform/Session.h"
#include "settlement/SettlementDeletion.h"
#include "settlement/SettlementReversal.h"
#include "settlement/SettlementSaveTestSupport.h"
#include "shell/HostLocks.h"

namespace {

using hvx::LockService;
using hvxtest::Rows;
using hvxtest::Texts;
using Clock = std::chrono::steady_clock;
using Lines = std::vector<std::string>;

// This workstation's host: lock requests (7003 to the main window) go to its lock service.

class LockServiceHost final : public hvx::HostPort {
public:
    explicit LockServiceHost(hvx::LockService& locks) : locks_(locks) { hvx::SetHostPort(this); }
    ~LockServiceHost() override { hvx::SetHostPort(nullptr); }
    hvx::HostWindow MainWindow() override { return this; }
    long SendHostMessage(hvx::HostWindow window, unsigned message, long operation,
                         void* lparam) override {
        if (window != this || message != hvx::kMsgLock || !lparam) return 0;
        return locks_.Handle(operation, *static_cast<hvx::LockRequest*>(lparam));
    }
    void BroadcastToDocuments(unsigned, long, const void*) override {}
    void* FindSiblingFunction(void*, std::string_view) override { return nullptr; }
    bool IsModuleLoaded(void*) override { return false; }

private:
    hvx::LockService& locks_;
};

// Another process: `body` runs in a child that never returns into the test program and dies
// with it; the child says when it is ready (Ready) and may wait for the go (AwaitGo), the
// parent awaits it and says go; the body's result is the exit status.
class OtherProcess {
public:
    explicit OtherProcess(const std::function<int(OtherProcess&)>& body) {
        if (::pipe(ready_) != 0 || ::pipe(go_) != 0) return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::prctl(PR_SET_PDEATHSIG, SIGKILL);
            ::_exit(body(*this));
        }
    }
    ~OtherProcess() { Kill(); }

    void Ready(bool ok) {
        if (::write(ready_[1], ok ? "r" : "x", 1) != 1) ::_exit(120);
    }
    bool AwaitGo() { return Await(go_[0]) == 'g'; }

    bool AwaitReady() { return pid_ > 0 && Await(ready_[0]) == 'r'; }
    void Go() { EXPECT_EQ(::write(go_[1], "g", 1), 1); }
    int Wait() {  // the exit status, once the child ends on its own
        int status = 0;
        if (pid_ <= 0 || ::waitpid(std::exchange(pid_, -1), &status, 0) < 0) return -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    void Kill() {
        if (pid_ > 0) ::kill(pid_, SIGKILL);
        Wait();
    }

private:
    static char Await(int fd) {
        pollfd p{fd, POLLIN, 0};
        char signal = 0;
        return ::poll(&p, 1, 60000) == 1 && ::read(fd, &signal, 1) == 1 ? signal : 0;
    }
    pid_t pid_ = -1;
    int ready_[2] = {-1, -1}, go_[2] = {-1, -1};
};

// Every lock row as "PACKAGE|TABLENAME|LOCKRECNO|HOLDERPID" (on SQLite, beside the database).
inline std::vector<std::string> LockRows(const std::string& connection) {
    std::string error, row;
    const bool pg = hvx::IsPostgresConnection(connection);
    auto engine = hvx::OpenEngine(pg ? connection : connection + "-locks", error);
    const char* sql = "SELECT PACKAGE||'|'||TABLENAME||'|'||LOCKRECNO||'|'||HOLDERPID "
                      "FROM HVXLOCKS ORDER BY PACKAGE, TABLENAME, LOCKRECNO";
    auto statement = engine ? engine->Prepare(sql, false, error) : nullptr;
    EXPECT_TRUE(statement && statement->Execute({}, error)) << error;
    std::vector<std::string> rows;
    while (statement && statement->Next()) rows.push_back(statement->Column(0, row) ? row : "");
    return rows;
}


class LockServiceTest : public hvxtest::DatabaseTest {
protected:
    void SetUp() override {
        hvxtest::DatabaseTest::SetUp();
        std::string error;
        ASSERT_TRUE(a.Open(connection_, error)) << error;
        ASSERT_TRUE(b.Open(connection_, error)) << error;
    }
    LockService a, b;  // two workstations on the test's database
};
HVX_DATABASE_TEST_SUITE(LockServiceTest);

std::string Pid() { return std::to_string(::getpid()); }

long Ask(LockService& service, long operation, const char* table, double recno = 0) {
    hvx::LockRequest request = hvx::MakeLockRequest(hvx::kGrainPackage, table, recno);
    return service.Handle(operation, request);
}

// The holder's text, or "<none>" when the service does not answer 1.
std::string WhoHolds(LockService& service, const char* table, double recno) {
    hvx::LockRequest request = hvx::MakeLockRequest(hvx::kGrainPackage, table, recno);
    std::memset(request.text, '#', sizeof request.text);  // left over from an earlier request
    const long answer = service.Handle(hvx::kWhoHoldsRecord, request);
    const std::string text(request.text, strnlen(request.text, sizeof request.text));
    return answer == 1 ? text : text.empty() ? "<none>" : "answer " + std::to_string(answer);
}

// Asks until granted, for at most ten seconds: how many times it asked (0 if never granted).
int AttemptsUntilGranted(const std::function<long()>& ask) {
    int attempts = 1;
    for (const auto deadline = Clock::now() + std::chrono::seconds(10); !ask(); ++attempts) {
        if (Clock::now() > deadline) return 0;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return attempts;
}

// This process as the holder of a record locked at a time (without the time: up to "since ").
std::string Holder(std::time_t when = 0) {
    char host[HOST_NAME_MAX + 1] = {}, minute[32] = {};
    ::gethostname(host, sizeof host - 1);
    if (when) std::strftime(minute, sizeof minute, "%m/%d/%Y %I:%M %p", std::localtime(&when));
    return std::string(::getpwuid(::geteuid())->pw_name) + " on " + host + " since " + minute;
}

// Locks taken in the module's own save transaction are granted at once and outlive its rollback.
TEST_P(LockServiceTest, TwoServicesBehaveLikeTwoWorkstations) {
    std::string error;
    ASSERT_TRUE(hvx::Session::Begin(error)) << error;
    hvxtest::Exec("INSERT INTO HVXGR40 (CONFIG18, RECNO) VALUES ('5', 1)");
    const auto start = Clock::now();
    const std::time_t before = std::time(nullptr);
    enum { A, B };
    LockService* services[] = {&a, &b};
    const long lockT = hvx::kLockTable, unlockT = hvx::kUnlockTable, lockR = hvx::kLockRecord,
               unlockR = hvx::kUnlockRecord;
    const struct {
        int service;
        long operation;
        const char* table;
        double recno;
        long granted;
    } steps[] = {
        {A, lockT, "GrainLock1", 0, 1},   {B, lockT, "GrainLock1", 0, 0},
        {A, lockT, "GrainLock1", 0, 1},   {A, unlockT, "GrainLock1", 0, 1},  // held twice, once
        {B, lockT, "GrainLock1", 0, 0},   {B, unlockT, "GrainLock1", 0, 0},  // not b's to release
        {A, unlockT, "GrainLock1", 0, 1}, {A, unlockT, "GrainLock1", 0, 0},  // no longer held
        {B, lockT, "GrainLock1", 0, 1},   {A, lockR, "HVXGR04", 7, 1},
        {B, lockR, "HVXGR04", 8, 1},      {B, lockR, "HVXGR04", 7, 0},
        {B, lockR, "HVXGR04", 7.5, 1},    {B, lockR, "HVXGR05", 7, 1},  // same number, other table
        {B, unlockR, "HVXGR04", 7, 0},    {A, lockR, "HVXGR04", 7, 1},
        {A, unlockR, "HVXGR04", 7, 1},    {A, 9, "HVXGR04", 7, 0},  // no such operation
    };
    int i = 0;
    for (const auto& s : steps) {
        SCOPED_TRACE("step " + std::to_string(++i));
        EXPECT_EQ(Ask(*services[s.service], s.operation, s.table, s.recno), s.granted);
    }
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(1000));
    ASSERT_TRUE(hvx::Session::Rollback(error)) << error;
    // Released only once of twice: a's record lock is still held, and told.
    EXPECT_EQ(Ask(b, hvx::kLockRecord, "HVXGR04", 7), 0);
    const std::string holder = WhoHolds(b, "HVXGR04", 7);
    EXPECT_TRUE(holder == Holder(before) || holder == Holder(std::time(nullptr))) << holder;
    EXPECT_EQ(WhoHolds(a, "HVXGR04", 7), holder);  // the holder asking about itself
    EXPECT_EQ(WhoHolds(a, "GrainLock1", 0), "<none>");  // a process lock is not a record's
    const std::string p = "|" + Pid();
    EXPECT_EQ(LockRows(connection_), (Lines{"HVXGRP|GrainLock1|" + p, "HVXGRP|HVXGR04|7" + p,
                                 "HVXGRP|HVXGR04|7.5" + p, "HVXGRP|HVXGR04|8" + p,
                                 "HVXGRP|HVXGR05|7" + p}));

    a.Close();  // gives back what it held
    EXPECT_EQ(WhoHolds(b, "HVXGR04", 7), "<none>");
    EXPECT_EQ(Ask(b, hvx::kLockRecord, "HVXGR04", 7), 1);
    EXPECT_FALSE(a.IsOpen());
    EXPECT_EQ(Ask(a, hvx::kLockTable, "HVXGR02"), 0);
    b.ReleaseAll();
    EXPECT_TRUE(LockRows(connection_).empty());
    EXPECT_EQ(Ask(b, hvx::kUnlockTable, "GrainLock1"), 0);
}

TEST_P(LockServiceTest, NamesFillingTheirWholeFieldAreReadWithinIt) {
    hvx::LockRequest full{};
    std::memset(full.package, 'P', sizeof full.package);
    std::memset(full.table, 'T', sizeof full.table);
    std::strcpy(full.text, "TEXT");
    ASSERT_EQ(a.Handle(hvx::kLockTable, full), 1);
    EXPECT_EQ(b.Handle(hvx::kLockTable, full), 0);
    hvx::LockRequest shorter = hvx::MakeLockRequest(std::string(29, 'P'), std::string(30, 'T'));
    EXPECT_EQ(b.Handle(hvx::kLockTable, shorter), 1);
    const std::string p = std::string(29, 'P'), t = std::string(29, 'T');
    EXPECT_EQ(LockRows(connection_),
              (Lines{p + "|" + t + "||" + Pid(), p + "P|" + t + "T||" + Pid()}));
}

TEST_P(LockServiceTest, LocksOfAKilledProcessAreFreed) {
    // The holder touches nothing of the parent's: it holds its locks until killed.
    OtherProcess holder([&](OtherProcess& self) {
        LockService service;
        std::string error;
        self.Ready(service.Open(connection_, error) &&
                   Ask(service, hvx::kLockTable, "GrainLock1") &&
                   Ask(service, hvx::kLockRecord, "HVXGR04", 12));
        for (;;) ::pause();
        return 0;
    });
    ASSERT_TRUE(holder.AwaitReady());
    EXPECT_EQ(Ask(a, hvx::kLockTable, "GrainLock1"), 0);
    EXPECT_EQ(WhoHolds(a, "HVXGR04", 12).rfind(Holder(), 0), 0u);

    holder.Kill();
    // The server notices the dead connection a moment later; SQLite at once.
    const int attempts = 
        AttemptsUntilGranted([&] { return Ask(a, hvx::kLockTable, "GrainLock1"); });
    ASSERT_GE(attempts, 1);
    if (GetParam() == hvxtest::Backend::SQLite) { EXPECT_EQ(attempts, 1); }

    // The dead holder's record row is still there, but no longer reported.
    EXPECT_EQ(LockRows(connection_).size(), 2u);
    EXPECT_EQ(WhoHolds(a, "HVXGR04", 12), "<none>");
    EXPECT_EQ(Ask(a, hvx::kLockRecord, "HVXGR04", 12), 1);
    EXPECT_EQ(LockRows(connection_),
              (Lines{"HVXGRP|GrainLock1||" + Pid(), "HVXGRP|HVXGR04|12|" + Pid()}));
}

// A lock row on SQLite whose process is gone is taken over; one whose process may
// still live is not. Rows are written into the lock file as a dead process left them.
TEST_P(LockServiceTest, RowsOfGoneProcessesAreReclaimed) {
    if (GetParam() != hvxtest::Backend::SQLite)
        GTEST_SKIP() << "the server frees the locks of a lost connection itself";
    std::string error;
    auto locks = hvx::OpenEngine(connection_ + "-locks", error);
    ASSERT_TRUE(locks) << error;
    const pid_t exited = ::fork();
    if (exited == 0) ::_exit(0);
    ASSERT_EQ(::waitpid(exited, nullptr, 0), exited);
    char host[HOST_NAME_MAX + 1] = {};
    ::gethostname(host, sizeof host - 1);
    const struct {
        const char* why;
        std::string host;
        long pid;
        const char* start;  // the holder's process start time as recorded
        bool reclaimed;
    } cases[] = {
        {"process exited", host, exited, "", true},
        {"pid now used by a later process", host, ::getpid(), "1", true},
        {"holder still running", host, ::getppid(), "", false},
        {"holder on another workstation", "elsewhere", exited, "", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        ASSERT_TRUE(locks->ExecScript(
            "DELETE FROM HVXLOCKS; INSERT INTO HVXLOCKS VALUES ('HVXGRP', 'HVXGR04', '20', " +
                std::to_string(c.pid) + ", '" + c.host + "', 'jdoe', '2024-03-07T20:05:00Z', '" +
                c.start + "', 1)", error)) << error;
        EXPECT_EQ(WhoHolds(a, "HVXGR04", 20),
                  c.reclaimed ? "<none>" : "jdoe on " + c.host + " since 03/07/2024 02:05 PM");
        EXPECT_EQ(Ask(a, hvx::kLockRecord, "HVXGR04", 20), c.reclaimed ? 1 : 0);
        a.ReleaseAll();
    }
}

TEST_P(LockServiceTest, LostConnectionIsOpenedAgainAndItsLocksForgotten) {
    if (GetParam() != hvxtest::Backend::PostgreSQL)
        GTEST_SKIP() << "a SQLite lock is a row in a file: there is no connection to lose";
    const std::string name = "hvx_lost_" + Pid();
    LockService lost;
    LockService& other = a;
    std::string error;
    ASSERT_TRUE(lost.Open(connection_ + " application_name=" + name, error)) << error;
    ASSERT_EQ(Ask(lost, hvx::kLockTable, "GrainLock1"), 1);
    ASSERT_EQ(Ask(lost, hvx::kLockRecord, "HVXGR02", 1), 1);
    ASSERT_EQ(Ask(other, hvx::kLockTable, "GrainLock1"), 0);

    // The server ends the connection (a restart, a dropped network) and frees its locks.
    hvxtest::Exec("SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE "
                  "application_name = '" + name + "'");
    ASSERT_GE(AttemptsUntilGranted([&] { return Ask(other, hvx::kLockTable, "GrainLock1"); }), 1);

    // The other workstation has the process lock now: not answered from memory.
    EXPECT_EQ(Ask(lost, hvx::kLockTable, "GrainLock1"), 0);
    // Free locks are granted on a new connection; the record lost is taken afresh.
    EXPECT_EQ(Ask(lost, hvx::kLockTable, "GrainLock2"), 1);
    EXPECT_EQ(Ask(lost, hvx::kLockRecord, "HVXGR02", 1), 1);
    EXPECT_EQ(Ask(other, hvx::kLockRecord, "HVXGR02", 1), 0);
    // Once released by the other workstation, the process lock is its again.
    EXPECT_EQ(Ask(other, hvx::kUnlockTable, "GrainLock1"), 1);
    EXPECT_EQ(Ask(lost, hvx::kLockTable, "GrainLock1"), 1);
    EXPECT_EQ(Ask(other, hvx::kLockTable, "GrainLock1"), 0);
}


const std::string kProcessLockRefused =
    "Unable to get required process lock to save settlement. Another user is currently "
    "performing an operation using the same lock.";
std::string AssemblyLockRefused(const std::string& operation) {
    return "Unable to lock assembly A100 for update. This assembly does not exist or is in use by "
           "another user. Unable to " + operation + " settlement.";
}

// What a clerk's saves came to, counted in memory it shares with the test.
enum Outcome { kSaved, kLockRefused, kBeyondShare, kOther };
using Tally = int[4];
constexpr int kSplits = 50;
std::string SplitLink(int split) { return std::to_string(7001 + split % kSplits); }

// One clerk: saves a new settlement selling 2 units of each split in turn until the time is up.
int SaveRepeatedly(const std::string& connection, bool grantAll, Clock::time_point until,
                   Tally& tally, OtherProcess& self) {
    std::string error;
    hvx::LockService locks;
    const bool open = hvx::Session::Open(connection, error) && locks.Open(connection, error);
    self.Ready(open);
    std::optional<LockServiceHost> host;
    std::optional<hvxtest::FakeHost> grantingEverything;
    grantAll ? (void)grantingEverything.emplace() : (void)host.emplace(locks);
    if (!open || !self.AwaitGo()) return 1;
    for (int split = 0; Clock::now() < until; ++split) {
        hvxtest::ScriptedUi ui;
        hvxtest::ScriptedSelection selection;
        hvx::settlement::SettlementRecordSet set;
        set.header.custRef = "C1", set.header.settDate = "03072024";
        set.header.entryDate = "03082024";
        auto line = hvxtest::AssemblyLine("9101", "Priced", 2, 4.25, 8.50);
        line.sourceLink = SplitLink(split);
        set.details.AddLine(line);
        const hvx::settlement::SettlementWindowValues values;
        std::string message;
        hvx::settlement::SettlementSaveWindow window{set, values, ui, &selection, message};
        const bool saved = hvx::settlement::SaveSettlement(window);
        const bool locked = message == kProcessLockRefused || message == AssemblyLockRefused("save");
        const Outcome outcome = saved    ? kSaved
                                : locked ? kLockRefused
                                : message.starts_with("Saving this settlement will make")
                                    ? kBeyondShare
                                    : kOther;
        ++tally[outcome];
        if (outcome == kOther) std::fprintf(stderr, "clerk: %s\n", message.c_str());
        std::this_thread::sleep_for(std::chrono::milliseconds(5));  // the clerk types on
    }
    return 0;
}

// Four clerks save on the same splits at once for a second (HARVEXA_CONTENTION_SECONDS to run
// longer): with the host's lock service almost every save goes through, and whatever the locks
// do (a host granting every lock), no split is settled beyond its share.
class ContendedSaves : public hvxtest::DatabaseTest {};
HVX_DATABASE_TEST_SUITE(ContendedSaves);

TEST_P(ContendedSaves, SplitsHoldWhatTheStoredLinesTookAndNeverMoreThanTheirShare) {
    const char* seconds = std::getenv("HARVEXA_CONTENTION_SECONDS");
    for (const auto& [grantAll, share] : {std::pair{false, "1000000"}, {true, "3"}}) {
        SCOPED_TRACE(grantAll ? "every lock granted" : "the host's lock service");
        TearDown();
        SetUp();
        hvxtest::Exec("INSERT INTO HVXGR40 (CONFIG18,SETTBYTICK,RECNO) VALUES ('41','F',1)");
        hvxtest::Exec("INSERT INTO HVXGR02 (ASSEMBLY,SETTLED,RECNO) VALUES ('A100','F',1)");
        for (int split = 0; split < kSplits; ++split)
            hvxtest::SeedSplit("A100", SplitLink(split), share);
        hvx::Session::Close();
        std::string error;
        // The lock table exists, as once any host opened the database: no race to create it.
        ASSERT_TRUE(hvx::LockService().Open(connection_, error)) << error;
        auto* tally = static_cast<Tally*>(::mmap(nullptr, 4 * sizeof(Tally), PROT_READ | PROT_WRITE,
                                                 MAP_SHARED | MAP_ANONYMOUS, -1, 0));
        const auto until = Clock::now() + std::chrono::seconds(seconds ? std::atoi(seconds) : 1);
        std::vector<std::unique_ptr<OtherProcess>> clerks;
        for (int i = 0; i < 4; ++i)
            clerks.push_back(std::make_unique<OtherProcess>([&, i](OtherProcess& self) {
                return SaveRepeatedly(connection_, grantAll, until, tally[i], self);
            }));
        for (auto& clerk : clerks) ASSERT_TRUE(clerk->AwaitReady());
        for (auto& clerk : clerks) clerk->Go();
        for (auto& clerk : clerks) EXPECT_EQ(clerk->Wait(), 0);
        int all[4] = {};
        for (int i = 0; i < 4 * 4; ++i) all[i % 4] += tally[i / 4][i % 4];
        ::munmap(tally, 4 * sizeof(Tally));
        std::printf("%d saved, %d refused a lock, %d beyond the share\n", all[kSaved],
                    all[kLockRefused], all[kBeyondShare]);

        ASSERT_TRUE(hvx::Session::Open(connection_, error)) << error;
        std::map<std::string, double> taken;
        const Texts lines = Rows("SELECT SOURCELINK,UNITSSET FROM HVXGR04D");
        for (const std::string& line : lines) taken[line.substr(0, 4)] += std::stod(line.substr(5));
        for (const std::string& split : Rows("SELECT LINEID,SHAREUNITS,SETTUNITS FROM HVXGR02S")) {
            const double settled = std::stod(split.substr(split.rfind('\t') + 1));
            EXPECT_NEAR(settled, taken[split.substr(0, 4)], 1e-6) << split;
            EXPECT_LE(settled, std::stod(share)) << split;
        }
        EXPECT_EQ(static_cast<int>(lines.size()), all[kSaved]);
        EXPECT_EQ(all[kOther], 0);
        EXPECT_GE(all[kSaved], grantAll ? 1 : 9 * all[kLockRefused]);
        EXPECT_EQ(LockRows(connection_), Texts{});
    }
}

// Deleting or reversing while another workstation holds a lock it needs is refused with its
// message before anything changes, and goes through once the other workstation lets go.

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
        {false, hvx::kLockTable, "GrainLock1", 0,
         "Unable to get required lock to delete settlement."},
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
            ASSERT_TRUE(Save()) << message;
        const hvxtest::Tables before = Snapshot();

        hvx::LockService locks;
        std::string error;
        ASSERT_TRUE(locks.Open(connection_, error)) << error;
        LockServiceHost workstation(locks);
        const auto run = [&] {
            ui.messages.clear();
            return reverse ? hvx::settlement::ReverseSettlement(window)
                           : hvx::settlement::DeleteSettlement(window);
        };
        const auto shown = [&] {
            return reverse ? message : ui.messages.empty() ? "" : ui.messages.back().text;
        };

        // Holds the lock on a connection of its own until told to let go.
        OtherProcess other([&](OtherProcess& self) {
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

        // Whatever this workstation took before the refusal it gave back.
        other.Go();
        EXPECT_EQ(other.Wait(), 0);
        EXPECT_TRUE(run()) << shown();
        EXPECT_EQ(hvxtest::Rows("SELECT COUNT(*) FROM HVXGR04"),
                  hvxtest::Texts{reverse ? "2" : "0"});
    }
}

}  // namespace
