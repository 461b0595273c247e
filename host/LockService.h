#pragma once
// The host's lock service behind message 7003: table and record locks kept in
// the database, so that they hold across processes and workstations.
//
// It keeps a connection of its own, apart from the module's session, so a
// lock taken or released is seen by everyone at once and is never undone by
// the rollback of a save. On PostgreSQL a lock is a session advisory lock
// (freed by the server when the holder's connection ends) with a row in
// HVXLOCKS telling who holds it; on SQLite the row in HVXLOCKS is the lock,
// and a row whose holder process is gone is reclaimed.
#include <memory>
#include <string>

#include "abi/LockRequest.h"

namespace hvx {

class Engine;

class LockService {
public:
    LockService();
    ~LockService();
    LockService(const LockService&) = delete;
    LockService& operator=(const LockService&) = delete;

    // Opens the service's own connection. False with a message.
    bool Open(const std::string& connection, std::string& error);
    void Close();
    bool IsOpen() const;

    // One request of message 7003, operation 1 to 5 (LockOperation); non-zero
    // when granted. Operation 5 writes "user on host since MM/DD/YYYY hh:mm AM"
    // into request.text, or "" when nobody holds the lock.
    long Handle(long operation, LockRequest& request);

    // Releases every lock this service holds (the host closing).
    void ReleaseAll();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace hvx
