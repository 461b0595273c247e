#pragma once
// The host's side of the host port: what the module asks of the host frame.
//   7000  load a sibling module by suite file name; the answer is its handle,
//         0 when there is none;
//   7003  a lock request (operation in wparam, the LockRequest in lparam),
//         answered by the lock service;
// and the notices the module broadcasts to the document windows (14001 a
// position changed, 8205 a direct shipment batch finished).
#include <QMainWindow>
#include <QMdiArea>
#include <QPointer>

#include "host/app/SiblingLibraries.h"
#include "platform/HostPort.h"

namespace hvx {
class LockService;
}

namespace hvx::host {

class HostPortImpl final : public HostPort {
public:
    // locks may be null: every lock request is then refused.
    HostPortImpl(QMainWindow* frame, QMdiArea* area, SiblingLibraries& siblings,
                 LockService* locks);

    HostWindow MainWindow() override;
    long SendHostMessage(HostWindow window, unsigned message, long wparam, void* lparam) override;
    void BroadcastToDocuments(unsigned message, long wparam, const void* lparam) override;
    void* FindSiblingFunction(void* module, std::string_view name) override;
    bool IsModuleLoaded(void* module) override;

    // How many document windows took the last broadcast.
    int LastBroadcastReach() const { return lastReach_; }

private:
    QPointer<QMainWindow> frame_;
    QPointer<QMdiArea> area_;
    SiblingLibraries& siblings_;
    LockService* locks_;
    int lastReach_ = 0;
};

}  // namespace hvx::host
