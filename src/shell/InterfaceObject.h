#pragma once
// The interface object through which a settlement window's save support tells
// other modules of the suite about its settlements. The consolidation module
// H32CNSD.DLL, when installed, receives the object's events through its
// exported HVXInterface_HandleEvent, or HVXInterface_HandleEventText when it
// takes an event's text and answers it.
//
// Creating the object names its owner and class and collects the receivers;
// Initialize announces it ("HVXInitializeEvent"); destroying it says goodbye
// ("HVXDestroyEvent").
#include <string>
#include <string_view>
#include <vector>

#include "platform/HostPort.h"

namespace hvx {

inline constexpr const char* kSettlementInterfaceClass = "Grain Settlements";
inline constexpr const char* kConsolidationModule = "H32CNSD.DLL";
inline constexpr const char* kInitializeEvent = "HVXInitializeEvent";
inline constexpr const char* kDestroyEvent = "HVXDestroyEvent";
// Asks for the secured parties of the customer whose tax number is the text.
inline constexpr const char* kSecuredPartiesEvent = "GetSecuredParties";

class InterfaceObject {
public:
    // The settlement save's object: class "Grain Settlements", with H32CNSD.DLL
    // as receiver when the installation file lists it.
    explicit InterfaceObject(HostWindow owner);
    InterfaceObject(HostWindow owner, std::string className, std::vector<std::string> receivers);
    ~InterfaceObject();
    InterfaceObject(const InterfaceObject&) = delete;
    InterfaceObject& operator=(const InterfaceObject&) = delete;

    // Fires "HVXInitializeEvent". When a receiver reports an error, its text is
    // shown (caption "Harvexa") and the result is false.
    bool Initialize();

    // Hands the event to every receiver in turn. A receiver that lacks both
    // HVXInterface_HandleEventText and HVXInterface_HandleEvent is skipped
    // after "The %s module does not support this interface object."; one the
    // host cannot load (it is installed but not at hand) is skipped silently.
    // The first receiver that reports an error stops the firing: false, with
    // its text in errorText.
    bool FireEvent(std::string_view eventName, std::string& errorText);
    // The same with the event's text. The answers of the receivers that give
    // one are joined, in receiver order, by tabs into answer.
    bool FireEvent(std::string_view eventName, std::string_view text, std::string& answer,
                   std::string& errorText);

    HostWindow Owner() const { return owner_; }
    const std::string& ClassName() const { return className_; }
    const std::vector<std::string>& Receivers() const { return receivers_; }

private:
    HostWindow owner_;
    std::string className_;
    std::vector<std::string> receivers_;
};

}  // namespace hvx
