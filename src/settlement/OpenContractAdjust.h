#pragma once
// The open units of an open contract (HVXGR04F, found by DLLINK), in the
// literal form, the prepared form and the Statements form both run.
#include <string>
#include <string_view>

class HVXConnection;
class HVXSConnection;

namespace hvx {
class Statements;
}

namespace hvx::settlement {

inline constexpr std::string_view kMsgContractUnitsNotRead =
    "Error retrieving remaining units value from HVXGR04F.";
inline constexpr std::string_view kMsgContractUnitsNotWritten =
    "Error updating the remaining units field in HVXGR04F.";

// Takes units (negative: gives them back) from the contract's open units:
// closed ("C") at 0 open units, open ("O") otherwise. An installment sale
// also counts the dollars as used. False, with the reason in message, when
// the contract cannot be read or its row is not updated.
bool AdjustOpenContract(Statements& sql, double dlLink, double units, double dollars,
                        std::string& message);
bool AdjustOpenContract(HVXSConnection& connection, double dlLink, double units, double dollars,
                        std::string& message);
bool AdjustOpenContract(HVXConnection& connection, double dlLink, double units, double dollars,
                        std::string& message);

}  // namespace hvx::settlement
