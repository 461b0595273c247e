#pragma once
// What differs between the engines in the lock service: how one lock is taken,
// given back and asked about. Re-entrance, request decoding and the answer
// texts are shared (LockService.cpp); a backend sees each lock once, when it
// is first taken and when it is finally given back.
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "platform/Engine.h"
#include "platform/Statements.h"

namespace hvx::locks {

// One lock: a table lock has an empty record number text.
struct LockKey {
    std::string package;
    std::string table;
    std::string recno;
    auto operator<=>(const LockKey&) const = default;
};

// Who this service is, as recorded with every lock it takes. Worked out when
// the service opens, so a forked child records itself and not its parent.
struct Identity {
    std::string user;   // login name
    std::string host;   // host name
    long pid = 0;
};
Identity CurrentIdentity();

struct Holder {
    std::string user;
    std::string host;
    std::string since;  // as stored: SinceText
};

class LockBackend {
public:
    virtual ~LockBackend() = default;
    // Takes the lock for this service; false when someone else holds it.
    virtual bool Acquire(const LockKey& key, const std::string& since) = 0;
    // Gives back a lock this service holds.
    virtual void Release(const LockKey& key) = 0;
    // The live holder of a lock; false when nobody (alive) holds it.
    virtual bool FindHolder(const LockKey& key, Holder& holder) = 0;
    // Whether a lock this service took is still its own. A lock kept by a
    // connection that has since been lost was let go by the server.
    virtual bool StillHeld(const LockKey&) { return true; }
    // After a request could not be answered: when the connection the locks
    // live on was lost, opens a new one and returns true. Every lock the
    // service held went with the old connection.
    virtual bool Reconnect() { return false; }
};

std::unique_ptr<LockBackend> OpenPostgresLocks(const std::string& connection,
                                               const Identity& identity, std::string& error);
// `databasePath` is the module's SQLite file; the locks live beside it.
std::unique_ptr<LockBackend> OpenSqliteLocks(const std::string& databasePath,
                                             const Identity& identity, std::string& error);

// The time of a grant as stored in SINCE: UTC, "YYYY-MM-DDThh:mm:ssZ", so
// that workstations in other time zones read the same moment.
std::string SinceText(std::time_t when);
// The stored time shown in the reader's local time as "MM/DD/YYYY hh:mm AM";
// a text that is no stored time is shown as it is.
std::string DisplaySince(const std::string& stored);

}  // namespace hvx::locks
