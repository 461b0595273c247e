#pragma once
// Storing and deleting warehouse receipts. Each runs in one transaction with
// the receipt's activity rows: a failure anywhere leaves every table as it
// was, and the message (with the engine's reason) in the caller's buffer.
#include <string>

#include "receipts/ReceiptStamp.h"
#include "receipts/WarehouseReceipt.h"

namespace hvx::receipts {

inline constexpr std::string_view kMsgInsertFailed = "Error inserting record.";
inline constexpr std::string_view kMsgSaveFailed = "Error saving record.";
inline constexpr std::string_view kMsgDeleteFailed = "Error deleting record.";

// A new receipt (RECNO 0) takes its record number, link and change counter
// and is issued; a stored one is compared with what was loaded. Both get
// their status from the settled date and the stamp of this save. The
// receipt is changed only when the save is committed.
bool SaveReceipt(WarehouseReceipt& receipt, const ReceiptKey& loaded, const ReceiptStamp& stamp,
                 std::string& message);

// Deletes the stored receipt of that number, taking back its issue while it
// is open. Its comments stay.
bool DeleteReceipt(double recno, std::string& message);

}  // namespace hvx::receipts
