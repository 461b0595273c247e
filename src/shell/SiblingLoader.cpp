#include "shell/SiblingLoader.h"

#include <cstdint>
#include <string>

#include "platform/HostPort.h"

namespace hvx {

void* LoadSibling(std::string_view fileName) {
    HostPort* host = CurrentHostPort();
    const HostWindow frame = HVXReturnMDIWin();
    if (!host || !frame) return nullptr;
    // The host reads the name as a zero-terminated text.
    std::string name(fileName);
    const long handle = host->SendHostMessage(frame, kMsgLoadModule, 0, name.data());
    return reinterpret_cast<void*>(static_cast<std::intptr_t>(handle));
}

bool SiblingLoaded(void* module) {
    HostPort* host = CurrentHostPort();
    return module && host && host->IsModuleLoaded(module);
}

void* SiblingFunction(void* module, std::string_view name) {
    HostPort* host = CurrentHostPort();
    return module && host ? host->FindSiblingFunction(module, name) : nullptr;
}

}  // namespace hvx
