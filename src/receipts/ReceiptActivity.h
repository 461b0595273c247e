#pragma once
// The position moves of a receipt. Issuing moves its units from "Company
// Owned" to "Collateral WHR" ("CWR Issued"), settling moves them back ("CWR
// Settled"); an issue is taken back by issuing the negated units. Each move
// is one activity row carrying the receipt's commodity, location and
// reference.
#include <string>
#include <string_view>
#include <vector>

#include "receipts/WarehouseReceipt.h"

class HVXSConnection;

namespace hvx::receipts {

inline constexpr std::string_view kProgramIssued = "CWR Issued";
inline constexpr std::string_view kProgramSettled = "CWR Settled";

struct ReceiptMove {
    std::string_view program;
    ReceiptKey receipt;  // whose commodity, location and reference it carries
    double units = 0;
    bool operator==(const ReceiptMove&) const = default;
};

// A new receipt is issued, even one created already settled.
std::vector<ReceiptMove> MovesOfNewReceipt(const ReceiptKey& now);

// A stored receipt saved again: an open receipt whose reference, commodity,
// location or units (to 4 decimals) changed has its issue taken back; a key
// or status change then issues or settles the receipt as it now stands.
// Nothing changed, nothing moves.
std::vector<ReceiptMove> MovesOfChange(const ReceiptKey& loaded, const ReceiptKey& now);

// A deleted receipt that is still open takes its issue back, so no units stay
// pledged under a receipt that no longer exists.
std::vector<ReceiptMove> MovesOfDelete(const ReceiptKey& stored);

// The activity rows, on the caller's connection and transaction; false at
// the first that is not written.
bool RecordMoves(HVXSConnection& connection, const std::vector<ReceiptMove>& moves);

}  // namespace hvx::receipts
