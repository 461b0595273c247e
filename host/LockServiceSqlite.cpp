// Locks on SQLite: the row in HVXLOCKS is the lock. The rows are kept in a
// file of their own beside the database ("<database>-locks"): SQLite lets one
// writer at a time into a file, and a save holds the database's write lock for
// its whole transaction while record locks may still be asked for, from this
// very process. A lock request therefore never waits behind a save.
//
// A holder is one service of one process: the process (host, pid and the
// start time of that pid, which tells a reused pid apart) and the service's
// number within it. A row whose process is gone is reclaimed by the next
// request for it.
#include <signal.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "host/LockServiceBackend.h"

namespace hvx::locks {
namespace {

// The HVXLOCKS columns, plus what tells a holder apart on one workstation.
constexpr const char* kCreateTable =
    "CREATE TABLE IF NOT EXISTS HVXLOCKS (PACKAGE TEXT NOT NULL, TABLENAME TEXT NOT NULL, "
    "LOCKRECNO TEXT NOT NULL, HOLDERPID INTEGER, HOLDERHOST TEXT, HOLDERUSER TEXT, SINCE TEXT, "
    "HOLDERSTART TEXT, HOLDERSERVICE INTEGER, PRIMARY KEY (PACKAGE, TABLENAME, LOCKRECNO))";

// A sidecar write takes microseconds; a request waits at most this long for
// another process's write before it counts as refused.
constexpr const char* kBusyTimeout = "PRAGMA busy_timeout = 3000";

constexpr const char* kKeyWhere = " WHERE PACKAGE = ? AND TABLENAME = ? AND LOCKRECNO = ?";

// The start time of a process (clock ticks after boot, field 22 of
// /proc/<pid>/stat); empty when it cannot be read.
std::string ProcessStart(long pid) {
    std::ifstream file("/proc/" + std::to_string(pid) + "/stat");
    std::string stat;
    if (!file || !std::getline(file, stat)) return {};
    // The command name (field 2) may hold blanks and parentheses: count the
    // fields from the last ')'.
    const auto close = stat.rfind(')');
    if (close == std::string::npos) return {};
    std::istringstream fields(stat.substr(close + 1));
    std::string field;
    for (int i = 3; i <= 22; ++i)
        if (!(fields >> field)) return {};
    return field;
}

std::atomic<long> lastService{0};

std::vector<Param> KeyParams(const LockKey& key) {
    return {Param::Text(key.package), Param::Text(key.table), Param::Text(key.recno)};
}

// BEGIN IMMEDIATE takes the sidecar's write lock before the check, so the
// check and the insert cannot be split by another process's request.
class WriteTransaction {
public:
    explicit WriteTransaction(Engine& engine) : engine_(engine) {
        std::string error;
        begun_ = engine_.ExecScript("BEGIN IMMEDIATE", error);
    }
    ~WriteTransaction() {
        std::string error;
        if (begun_) engine_.ExecScript("ROLLBACK", error);
    }
    bool Begun() const { return begun_; }
    bool Commit() {
        std::string error;
        if (!engine_.ExecScript("COMMIT", error)) return false;
        begun_ = false;
        return true;
    }

private:
    Engine& engine_;
    bool begun_ = false;
};

class SqliteLocks final : public LockBackend {
public:
    SqliteLocks(std::unique_ptr<Engine> engine, Identity identity)
        : engine_(std::move(engine)),
          identity_(std::move(identity)),
          start_(ProcessStart(identity_.pid)),
          service_(++lastService) {}

    bool Acquire(const LockKey& key, const std::string& since) override {
        WriteTransaction transaction(*engine_);
        if (!transaction.Begun()) return false;
        std::vector<SqlRow> rows;
        std::string error;
        if (!RunNative(
                engine_.get(),
                std::string("SELECT HOLDERHOST, HOLDERPID, HOLDERSTART FROM HVXLOCKS") + kKeyWhere,
                KeyParams(key), &rows, error, 1))
            return false;
        if (!rows.empty()) {
            if (!HolderGone(rows[0][0], rows[0][1], rows[0][2])) return false;
            if (!RunNative(engine_.get(), std::string("DELETE FROM HVXLOCKS") + kKeyWhere,
                           KeyParams(key), nullptr, error))
                return false;
        }
        std::vector<Param> values = KeyParams(key);
        values.insert(values.end(),
                      {Param::Number(static_cast<double>(identity_.pid)),
                       Param::Text(identity_.host), Param::Text(identity_.user), Param::Text(since),
                       Param::Text(start_), Param::Number(static_cast<double>(service_))});
        return RunNative(engine_.get(),
                         "INSERT INTO HVXLOCKS (PACKAGE, TABLENAME, LOCKRECNO, HOLDERPID, "
                         "HOLDERHOST, HOLDERUSER, SINCE, HOLDERSTART, HOLDERSERVICE) "
                         "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)",
                         values, nullptr, error) &&
               transaction.Commit();
    }

    void Release(const LockKey& key) override {
        // Only our own row: if it was reclaimed by mistake, the new holder's
        // row stays.
        std::vector<Param> values = KeyParams(key);
        values.insert(values.end(), {Param::Text(identity_.host),
                                     Param::Number(static_cast<double>(identity_.pid)),
                                     Param::Number(static_cast<double>(service_))});
        std::string error;
        RunNative(engine_.get(),
                  std::string("DELETE FROM HVXLOCKS") + kKeyWhere +
                      " AND HOLDERHOST = ? AND HOLDERPID = ? AND HOLDERSERVICE = ?",
                  values, nullptr, error);
    }

    bool FindHolder(const LockKey& key, Holder& holder) override {
        std::vector<SqlRow> rows;
        std::string error;
        if (!RunNative(engine_.get(),
                       std::string("SELECT HOLDERUSER, HOLDERHOST, SINCE, HOLDERPID, "
                                   "HOLDERSTART FROM HVXLOCKS") +
                           kKeyWhere,
                       KeyParams(key), &rows, error, 1) ||
            rows.empty() || rows[0].size() < 5 || HolderGone(rows[0][1], rows[0][3], rows[0][4]))
            return false;
        holder = {rows[0][0], rows[0][1], rows[0][2]};
        return true;
    }

private:
    // Only a holder on this workstation can be checked; one elsewhere is
    // taken to be alive.
    bool HolderGone(const std::string& host, const std::string& pidText,
                    const std::string& start) const {
        if (host != identity_.host) return false;
        const long pid = std::strtol(pidText.c_str(), nullptr, 10);
        if (pid <= 0) return true;
        if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) return true;
        // The pid is in use, but perhaps by a later process.
        const std::string now = ProcessStart(pid);
        return !start.empty() && !now.empty() && now != start;
    }

    std::unique_ptr<Engine> engine_;
    Identity identity_;
    std::string start_;
    long service_;
};

}  // namespace

std::unique_ptr<LockBackend> OpenSqliteLocks(const std::string& databasePath,
                                             const Identity& identity, std::string& error) {
    const bool memory = databasePath.empty() || databasePath == ":memory:";
    auto engine = OpenEngine("sqlite:" + (memory ? ":memory:" : databasePath + "-locks"), error,
                             OpenMode::Create);
    if (!engine) return nullptr;
    if (!engine->ExecScript(kBusyTimeout, error) || !engine->ExecScript(kCreateTable, error)) {
        error = "Cannot prepare the lock table of " + engine->Describe() + ": " + error;
        return nullptr;
    }
    return std::make_unique<SqliteLocks>(std::move(engine), identity);
}

}  // namespace hvx::locks
