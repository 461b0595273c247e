#include "shell/InterfaceObject.h"

#include <array>
#include <cstring>

#include "platform/Format.h"
#include "platform/UiPort.h"
#include "shell/ModuleInstall.h"
#include "abi/SiblingAbi.h"
#include "shell/SiblingLoader.h"

namespace hvx {
namespace {

std::vector<std::string> SettlementReceivers() {
    std::vector<std::string> receivers;
    if (IsModuleInstalled(kConsolidationModule)) receivers.emplace_back(kConsolidationModule);
    return receivers;
}

}  // namespace

InterfaceObject::InterfaceObject(HostWindow owner)
    : InterfaceObject(owner, kSettlementInterfaceClass, SettlementReceivers()) {}

InterfaceObject::InterfaceObject(HostWindow owner, std::string className,
                                 std::vector<std::string> receivers)
    : owner_(owner), className_(std::move(className)), receivers_(std::move(receivers)) {}

InterfaceObject::~InterfaceObject() {
    // The object goes whatever a receiver answers: nothing is left to undo.
    std::string ignored;
    FireEvent(kDestroyEvent, ignored);
}

bool InterfaceObject::Initialize() {
    std::string errorText;
    if (FireEvent(kInitializeEvent, errorText)) return true;
    ShowMessage(errorText);
    return false;
}

bool InterfaceObject::FireEvent(std::string_view eventName, std::string& errorText) {
    const std::string event(eventName);
    for (const std::string& receiver : receivers_) {
        void* module = LoadSibling(receiver);
        if (!module) continue;
        auto handle = SiblingFunctionAs<HVXInterfaceHandleEventFn>(module,
                                                                   "HVXInterface_HandleEvent");
        if (!handle) {
            ShowMessage(
                _HVXsprintf("The %s module does not support this interface object.", receiver));
            continue;
        }
        std::array<char, kInterfaceErrorSize> error{};
        if (handle(owner_, className_.c_str(), event.c_str(), error.data(), kInterfaceErrorSize) !=
            0) {
            errorText.assign(error.data(), strnlen(error.data(), error.size()));
            return false;
        }
    }
    return true;
}

}  // namespace hvx
