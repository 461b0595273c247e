// Locks on PostgreSQL: a session advisory lock per table or record lock, held
// on the service's own connection, so the server frees it when the holder's
// connection ends, however its process ended. HVXLOCKS only tells who holds a
// lock; a row whose advisory lock nobody holds any more is left over from a
// holder that died, and is ignored.
//
// A lost connection (the server restarted, the network dropped) takes every
// lock of the service with it. The service notices at its next request,
// opens a new connection and forgets what it held, rather than refusing
// every lock until the program is restarted, or answering a nested request
// for a lock the server has since given to someone else.
#include <cstdint>

#include "host/LockServiceBackend.h"

namespace hvx::locks {
namespace {

// FNV-1a, 64 bits: the same key for the same lock in every process and build
// (std::hash promises neither).
std::uint64_t Fnv1a(const std::string& text) {
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : text) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    return hash;
}

class PostgresLocks final : public LockBackend {
public:
    PostgresLocks(std::unique_ptr<Engine> engine, std::string connection, std::string schema,
                  Identity identity)
        : engine_(std::move(engine)),
          connection_(std::move(connection)),
          schema_(std::move(schema)),
          identity_(std::move(identity)) {}

    bool Acquire(const LockKey& key, const std::string& since) override {
        std::vector<SqlRow> rows;
        std::string error;
        if (!Run("SELECT pg_try_advisory_lock($1::bigint)", {KeyParam(key)}, &rows) ||
            rows.empty() || rows[0][0] != "t")
            return false;
        // The lock is ours even if its row cannot be written: the row only
        // answers who holds it.
        RunNative(engine_.get(),
                  "INSERT INTO HVXLOCKS (PACKAGE, TABLENAME, LOCKRECNO, HOLDERPID, HOLDERHOST, "
                  "HOLDERUSER, SINCE) VALUES ($1, $2, $3, $4, $5, $6, $7) "
                  "ON CONFLICT (PACKAGE, TABLENAME, LOCKRECNO) DO UPDATE SET "
                  "HOLDERPID = EXCLUDED.HOLDERPID, HOLDERHOST = EXCLUDED.HOLDERHOST, "
                  "HOLDERUSER = EXCLUDED.HOLDERUSER, SINCE = EXCLUDED.SINCE",
                  {Param::Text(key.package), Param::Text(key.table), Param::Text(key.recno),
                   Param::Number(static_cast<double>(identity_.pid)), Param::Text(identity_.host),
                   Param::Text(identity_.user), Param::Text(since)},
                  nullptr, error);
        return true;
    }

    void Release(const LockKey& key) override {
        // The row goes while the lock is still held, so it can only be ours
        // (or a dead holder's), never that of whoever takes the lock next.
        std::string error;
        RunNative(engine_.get(),
                  "DELETE FROM HVXLOCKS "
                  "WHERE PACKAGE = $1 AND TABLENAME = $2 AND LOCKRECNO = $3",
                  {Param::Text(key.package), Param::Text(key.table), Param::Text(key.recno)},
                  nullptr, error);
        RunNative(engine_.get(), "SELECT pg_advisory_unlock($1::bigint)", {KeyParam(key)}, nullptr,
                  error);
    }

    bool FindHolder(const LockKey& key, Holder& holder) override {
        // A bigint advisory key shows in pg_locks as its high and low 32 bits
        // with objsubid 1.
        const std::uint64_t hash = Hash(key);
        std::vector<SqlRow> rows;
        std::string error;
        if (!RunNative(
                engine_.get(),
                "SELECT HOLDERUSER, HOLDERHOST, SINCE FROM HVXLOCKS "
                "WHERE PACKAGE = $1 AND TABLENAME = $2 AND LOCKRECNO = $3 AND EXISTS ("
                "SELECT 1 FROM pg_locks WHERE locktype = 'advisory' AND granted "
                "AND database = (SELECT oid FROM pg_database WHERE datname = current_database()) "
                "AND classid = $4::oid AND objid = $5::oid AND objsubid = 1)",
                {Param::Text(key.package), Param::Text(key.table), Param::Text(key.recno),
                 Param::Text(std::to_string(hash >> 32)),
                 Param::Text(std::to_string(hash & 0xffffffffull))},
                &rows, error, 1) ||
            rows.empty() || rows[0].size() < 3)
            return false;
        holder = {rows[0][0], rows[0][1], rows[0][2]};
        return true;
    }

    bool StillHeld(const LockKey& key) override {
        const std::uint64_t hash = Hash(key);
        std::vector<SqlRow> rows;
        return Run("SELECT 1 FROM pg_locks WHERE locktype = 'advisory' AND granted "
                   "AND pid = pg_backend_pid() AND classid = $1::oid AND objid = $2::oid "
                   "AND objsubid = 1",
                   {Param::Text(std::to_string(hash >> 32)),
                    Param::Text(std::to_string(hash & 0xffffffffull))},
                   &rows) &&
               !rows.empty();
    }

    bool Reconnect() override {
        if (!failed_) return false;
        failed_ = false;
        // A refusal for another reason leaves a working connection alone.
        std::vector<SqlRow> rows;
        std::string error;
        if (RunNative(engine_.get(), "SELECT 1", {}, &rows, error, 1)) return false;
        auto engine = OpenEngine(connection_, error);
        if (!engine) return false;
        engine_ = std::move(engine);
        return true;
    }

private:
    // Advisory locks belong to the whole database: the schema is part of the
    // key so that the companies of one server, each in a schema of its own,
    // never block each other.
    std::uint64_t Hash(const LockKey& key) const {
        std::string text = schema_;
        for (const std::string* part : {&key.package, &key.table, &key.recno}) {
            text += '\0';
            text += *part;
        }
        return Fnv1a(text);
    }

    Param KeyParam(const LockKey& key) const {
        return Param::Text(std::to_string(static_cast<std::int64_t>(Hash(key))));
    }

    // A statement whose failure may mean a lost connection.
    bool Run(const std::string& sql, const std::vector<Param>& params, std::vector<SqlRow>* rows) {
        std::string error;
        if (RunNative(engine_.get(), sql, params, rows, error)) return true;
        failed_ = true;
        return false;
    }

    std::unique_ptr<Engine> engine_;
    std::string connection_;
    std::string schema_;
    Identity identity_;
    bool failed_ = false;  // a statement failed since the last reconnect check
};

}  // namespace

std::unique_ptr<LockBackend> OpenPostgresLocks(const std::string& connection,
                                               const Identity& identity, std::string& error) {
    auto engine = OpenEngine(connection, error);
    if (!engine) return nullptr;
    std::vector<SqlRow> rows;
    if (!RunNative(engine.get(), "SELECT current_schema()", {}, &rows, error, 1)) return nullptr;
    const std::string schema = rows.empty() ? std::string() : rows[0][0];
    return std::make_unique<PostgresLocks>(std::move(engine), connection, schema, identity);
}

}  // namespace hvx::locks
