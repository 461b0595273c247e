#pragma once
// Why a save, deletion or reversal takes its record locks: a refusal message
// ends with what could not be done.
#include <string_view>

namespace hvx::settlement {

enum class LockPurpose { Save = 0, Delete = 1, Reverse = 2 };

// " Unable to save settlement." and its kin, for the purpose.
inline std::string_view LockPurposeText(LockPurpose purpose) {
    switch (purpose) {
    case LockPurpose::Delete: return " Unable to delete settlement.";
    case LockPurpose::Reverse: return " Unable to reverse settlement.";
    case LockPurpose::Save: break;
    }
    return " Unable to save settlement.";
}

}  // namespace hvx::settlement
