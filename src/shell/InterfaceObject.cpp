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
    std::string ignored;
    return FireEvent(eventName, "", ignored, errorText);
}

bool InterfaceObject::FireEvent(std::string_view eventName, std::string_view text,
                                std::string& answer, std::string& errorText) {
    const std::string event(eventName), eventText(text);
    answer.clear();
    for (const std::string& receiver : receivers_) {
        void* module = LoadSibling(receiver);
        if (!module) continue;
        std::array<char, kInterfaceErrorSize> error{};
        std::array<char, kInterfaceAnswerSize> given{};
        int result = 0;
        if (auto handleText = SiblingFunctionAs<HVXInterfaceHandleEventTextFn>(
                module, kHandleEventTextFunction)) {
            result =
                handleText(owner_, className_.c_str(), event.c_str(), eventText.c_str(),
                           given.data(), kInterfaceAnswerSize, error.data(), kInterfaceErrorSize);
        } else if (auto handle =
                       SiblingFunctionAs<HVXInterfaceHandleEventFn>(module, kHandleEventFunction)) {
            result = handle(owner_, className_.c_str(), event.c_str(), error.data(),
                            kInterfaceErrorSize);
        } else {
            ShowMessage(
                _HVXsprintf("The %s module does not support this interface object.", receiver));
            continue;
        }
        if (result != 0) {
            errorText.assign(error.data(), strnlen(error.data(), error.size()));
            return false;
        }
        // A receiver that fills the whole buffer without an end is cut at its last byte.
        const std::string_view part(given.data(), strnlen(given.data(), given.size() - 1));
        if (part.empty()) continue;
        if (!answer.empty()) answer += '\t';
        answer += part;
    }
    return true;
}

}  // namespace hvx
