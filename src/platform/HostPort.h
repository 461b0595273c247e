#pragma once
// How the module reaches the host application.
//
// The module asks the host by window message: 7000 loads a sibling module,
// 7003 takes and releases locks, and 14001 tells the host's document windows
// that a position changed. The desktop host implements this port; tests use
// a fake host.
#include <string_view>

#include "abi/HostMessages.h"

namespace hvx {

using HostWindow = void*;  // opaque handle of a host window

class HostPort {
public:
    virtual ~HostPort() = default;
    // The host's main frame, or null when there is none.
    virtual HostWindow MainWindow() = 0;
    // Sends a message to a host window and returns the host's answer.
    virtual long SendHostMessage(HostWindow window, unsigned message, long wparam,
                                 void* lparam) = 0;
    // Sends a message to every document window of the host.
    virtual void BroadcastToDocuments(unsigned message, long wparam, const void* lparam) = 0;
    // The address of a function exported by a loaded sibling module, or null.
    virtual void* FindSiblingFunction(void* module, std::string_view name) = 0;
    // True while the module handle names a library loaded in this process.
    virtual bool IsModuleLoaded(void* module) = 0;
};

// The port in force; the module's Initialize sets it, tests set a fake.
void SetHostPort(HostPort* port);
HostPort* CurrentHostPort();

}  // namespace hvx

// The host hands the module a pointer to its HostPort as the instance handle
// of Initialize; the module keeps it as the port in force.

// The host's main window, target of the lock messages; null without a host.
hvx::HostWindow HVXReturnMDIWin();
