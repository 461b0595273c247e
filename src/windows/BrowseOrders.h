#pragma once
// What "&Find", "Ne&xt" and "&Previous" browse in each window with a record
// browse: settlements of the window's type in settlement-number order, and
// warehouse receipts in reference order.
#include "platform/OrderedFetch.h"
#include "rules/SettlementTypes.h"

namespace hvx {

// The columns of a settlement row in its browse.
enum SettlementBrowseColumn { kBrowseSettlement, kBrowseRecno, kBrowseNumChange, kBrowseSetLink };

// The settlements of one type; the window loads the one it moves to by its
// link (SETLINK).
OrderedFetchSource SettlementBrowse(SettlementType type);

// The warehouse receipts (HVXGR08): CWRREF, RECNO, NUMCHANGE.
OrderedFetchSource ReceiptBrowse();

}  // namespace hvx
