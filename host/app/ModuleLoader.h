#pragma once
// Loads the grain settlement module H32GRS from the modules folder, finds
// every entry point the host calls, and starts it the way the suite starts a
// module: ask what it requires, then Setup, then Initialize with the host's
// port.
#include <string>

#include "host/app/SiblingLibraries.h"
#include "platform/HostPort.h"
#include "abi/ModuleAbi.h"

namespace hvx::host {

inline constexpr const char* kGrainModule = "H32GRS.DLL";

struct ModuleEntryPoints {
    HVXWhatCanIDoFn HVXWhatCanIDo = nullptr;
    HVXSetupFn Setup = nullptr;
    HVXInitializeFn Initialize = nullptr;
    HVXTerminateFn Terminate = nullptr;
    HVXNewSettlementFn NewSettlement = nullptr;
    HVXCreateWindowFn CreateSourceSettlementMENU = nullptr;
    HVXCreateKeyedWindowFn CreateSourceSettlement = nullptr;
    HVXCreateWindowFn CreateDestSettlementMENU = nullptr;
    HVXCreateKeyedWindowFn CreateDestSettlement = nullptr;
    HVXCreateWindowFn CreateDirShipMENU = nullptr;
    HVXCreateWindowFn CreateCWRMENU = nullptr;
    HVXCreateSettlementSearchFn CreateSettlementSearch = nullptr;
};

class ModuleLoader {
public:
    explicit ModuleLoader(SiblingLibraries& libraries) : libraries_(libraries) {}
    ~ModuleLoader();
    ModuleLoader(const ModuleLoader&) = delete;
    ModuleLoader& operator=(const ModuleLoader&) = delete;

    // Loads the module and finds its entry points; false with a message
    // naming the file or the entry points that are missing.
    bool Load(std::string& error);
    // Checks what the module requires and calls Setup and Initialize; false
    // with a message when a required library is not there or a call fails.
    bool Start(HostPort& host, std::string& error);
    // Terminate, once, if the module was started.
    void Stop();

    const ModuleEntryPoints& Entry() const { return entry_; }
    bool IsStarted() const { return started_; }

private:
    SiblingLibraries& libraries_;
    ModuleEntryPoints entry_;
    bool started_ = false;
};

// The libraries a module may require that the host itself provides: the
// framework (connections, next numbers, lookups, formatting) is linked into
// the host.
bool HostProvidesLibrary(std::string_view suiteName);

}  // namespace hvx::host
