#pragma once
// What the "Create New Settlement" wizard hands its caller when it ends with
// Finish: the settlement windows and the direct shipment window start their
// new settlement from these.
#include <string>

namespace hvx {

struct NewSettlementAnswers {
    std::string custRef;
    std::string custName;
    std::string kind;       // the chosen source or destination type, at most 50 characters
    std::string commodity;  // empty unless the source type asked for it
    std::string location;
};

}  // namespace hvx
