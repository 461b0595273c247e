#pragma once
// The host of one workstation in a test: the module's lock requests (7003 to
// the main window) go to the workstation's own lock service, which shares
// its locks with every other process on the database.
#include "host/LockService.h"
#include "platform/HostPort.h"
#include "abi/LockRequest.h"

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

}  // namespace hvxtest
