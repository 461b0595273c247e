// The host's lock service on every engine: services of one process stand for
// separate workstations, and a forked process for another program that dies.
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <chrono>
#include <climits>
#include <cstring>
#include <ctime>
#include <functional>
#include <thread>

#include "host/Workstation.h"
#include "platform/Session.h"
#include "shell/HostLocks.h"
#include "support/TestDatabase.h"

namespace {

using hvx::LockService;
using Clock = std::chrono::steady_clock;
using Lines = std::vector<std::string>;

// Two workstations, a and b, on the test's database.
class LockServiceTest : public hvxtest::DatabaseTest {
protected:
    void SetUp() override {
        hvxtest::DatabaseTest::SetUp();
        std::string error;
        ASSERT_TRUE(a.Open(connection_, error)) << error;
        ASSERT_TRUE(b.Open(connection_, error)) << error;
    }
    Lines LockRows() { return hvxtest::LockRows(connection_); }
    LockService a, b;
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

TEST_P(LockServiceTest, TwoServicesBehaveLikeTwoWorkstations) {
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
    // Released only once of twice: a's record lock is still held, and told.
    EXPECT_EQ(Ask(b, hvx::kLockRecord, "HVXGR04", 7), 0);
    const std::string holder = WhoHolds(b, "HVXGR04", 7);
    EXPECT_TRUE(holder == Holder(before) || holder == Holder(std::time(nullptr))) << holder;
    EXPECT_EQ(WhoHolds(a, "HVXGR04", 7), holder);  // the holder asking about itself
    EXPECT_EQ(WhoHolds(a, "GrainLock1", 0), "<none>");  // a process lock is not a record's
    const std::string p = "|" + Pid();
    EXPECT_EQ(LockRows(), (Lines{"HVXGRP|GrainLock1|" + p, "HVXGRP|HVXGR04|7" + p,
                                 "HVXGRP|HVXGR04|7.5" + p, "HVXGRP|HVXGR04|8" + p,
                                 "HVXGRP|HVXGR05|7" + p}));

    a.Close();  // gives back what it held
    EXPECT_EQ(WhoHolds(b, "HVXGR04", 7), "<none>");
    EXPECT_EQ(Ask(b, hvx::kLockRecord, "HVXGR04", 7), 1);
    EXPECT_FALSE(a.IsOpen());
    EXPECT_EQ(Ask(a, hvx::kLockTable, "HVXGR02"), 0);
    b.ReleaseAll();
    EXPECT_TRUE(LockRows().empty());
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
    EXPECT_EQ(LockRows(), (Lines{std::string(29, 'P') + "|" + std::string(29, 'T') + "||" + Pid(),
                                 std::string(30, 'P') + "|" + std::string(30, 'T') + "||" + Pid()}));
}

// A lock taken while the module's own save transaction is open is granted at
// once and outlives the rollback of that save.
TEST_P(LockServiceTest, SaveTransactionNeitherDelaysNorUndoesLocks) {
    std::string error;
    ASSERT_TRUE(hvx::Session::Begin(error)) << error;
    hvxtest::Exec("INSERT INTO HVXGR40 (CONFIG18, RECNO) VALUES ('5', 1)");
    const auto start = Clock::now();
    EXPECT_EQ(Ask(a, hvx::kLockTable, "GrainLock1"), 1);
    EXPECT_EQ(Ask(a, hvx::kLockRecord, "HVXGR04", 3), 1);
    EXPECT_EQ(Ask(b, hvx::kLockRecord, "HVXGR04", 3), 0);
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(1000));
    ASSERT_TRUE(hvx::Session::Rollback(error)) << error;
    EXPECT_EQ(Ask(b, hvx::kLockTable, "GrainLock1"), 0);
    EXPECT_NE(WhoHolds(b, "HVXGR04", 3), "<none>");
}

TEST_P(LockServiceTest, LocksOfAKilledProcessAreFreed) {
    // The holder touches nothing of the parent's: it holds its locks until killed.
    hvxtest::OtherProcess holder([&](hvxtest::OtherProcess& self) {
        LockService service;
        std::string error;
        self.Ready(service.Open(connection_, error) && Ask(service, hvx::kLockTable, "GrainLock1") &&
                   Ask(service, hvx::kLockRecord, "HVXGR04", 12));
        for (;;) ::pause();
        return 0;
    });
    ASSERT_TRUE(holder.AwaitReady());
    EXPECT_EQ(Ask(a, hvx::kLockTable, "GrainLock1"), 0);
    EXPECT_EQ(WhoHolds(a, "HVXGR04", 12).rfind(Holder(), 0), 0u);

    holder.Kill();
    // The server notices the dead connection a moment later; SQLite at once.
    const int attempts = AttemptsUntilGranted([&] { return Ask(a, hvx::kLockTable, "GrainLock1"); });
    ASSERT_GE(attempts, 1);
    if (GetParam() == hvxtest::Backend::SQLite) { EXPECT_EQ(attempts, 1); }

    // The dead holder's record row is still there, but no longer reported.
    EXPECT_EQ(LockRows().size(), 2u);
    EXPECT_EQ(WhoHolds(a, "HVXGR04", 12), "<none>");
    EXPECT_EQ(Ask(a, hvx::kLockRecord, "HVXGR04", 12), 1);
    EXPECT_EQ(LockRows(), (Lines{"HVXGRP|GrainLock1||" + Pid(), "HVXGRP|HVXGR04|12|" + Pid()}));
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
            "DELETE FROM HVXLOCKS; INSERT INTO HVXLOCKS (PACKAGE, TABLENAME, LOCKRECNO, "
            "HOLDERPID, HOLDERHOST, HOLDERUSER, SINCE, HOLDERSTART, HOLDERSERVICE) VALUES "
            "('HVXGRP', 'HVXGR04', '20', " + std::to_string(c.pid) + ", '" + c.host +
                "', 'jdoe', '2024-03-07T20:05:00Z', '" + c.start + "', 1)",
            error))
            << error;
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

    // The server side of the connection ends, as on a server restart or a
    // dropped network; the server lets go of its locks a moment later.
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

}  // namespace
