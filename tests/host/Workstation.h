#pragma once
// Workstations in a test: this one's host sends the module's lock requests
// (7003 to the main window) to its own lock service; another workstation is a
// forked process on a connection of its own.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "host/LockService.h"
#include "platform/HostPort.h"
#include "platform/Engine.h"
#include "shell/LockRequest.h"

namespace hvxtest {

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

// Another process: runs `body` in a child that never returns into the test
// program and dies with it; the body's result is the child's exit status.
// The child says when it is ready and may wait to be told to go on.
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

    // In the child.
    void Ready(bool ok) {
        if (::write(ready_[1], ok ? "r" : "x", 1) != 1) ::_exit(120);
    }
    bool AwaitGo() { return Await(go_[0]) == 'g'; }

    // In the parent.
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

// Every lock row as "PACKAGE|TABLENAME|LOCKRECNO|HOLDERPID", read on a
// connection of its own (on SQLite the locks are kept beside the database).
inline std::vector<std::string> LockRows(const std::string& connection) {
    std::string error, row;
    const bool pg = hvx::IsPostgresConnection(connection);
    auto engine = hvx::OpenEngine(pg ? connection : connection + "-locks", error);
    auto statement = engine ? engine->Prepare("SELECT PACKAGE||'|'||TABLENAME||'|'||LOCKRECNO||'|'||"
                                              "HOLDERPID FROM HVXLOCKS ORDER BY PACKAGE, "
                                              "TABLENAME, LOCKRECNO", false, error)
                            : nullptr;
    EXPECT_TRUE(statement && statement->Execute({}, error)) << error;
    std::vector<std::string> rows;
    while (statement && statement->Next()) rows.push_back(statement->Column(0, row) ? row : "");
    return rows;
}

}  // namespace hvxtest
