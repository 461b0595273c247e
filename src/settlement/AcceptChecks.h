#pragma once
// The checks a settlement window runs when the user accepts a settlement, in
// their fixed order: the first that fails shows its message, moves the focus
// where the user has to act and blocks the accept.
#include <string>
#include <string_view>

#include "platform/HostPort.h"

namespace hvx {
class UiPort;
}

namespace hvx::settlement {

struct AcceptCheckInput {
    HostWindow window = nullptr;  // parent of the back office's verification
    bool posted = false;
    std::string custRef;
    std::string custField;  // the window's name of the customer field
    std::string settDate;
    std::string dateField;  // the window's name of the settlement date field
    bool hasLines = false;
    std::string customerSystem;  // the suite's back-office setting (BCKOFFCE)
};

// True when the customer is known: to the back office when that system keeps
// the customers (customerSystem "TORVALE"), to HVXAR50 otherwise.
bool CustomerKnown(HostWindow window, std::string_view custRef, std::string_view customerSystem);

// True when the accept is blocked; the reason has been shown on the port.
bool AcceptBlocked(const AcceptCheckInput& input, UiPort& ui);

}  // namespace hvx::settlement
