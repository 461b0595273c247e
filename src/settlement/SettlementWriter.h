#pragma once
// Writing a whole settlement inside the save's transaction, in its fixed
// order: the header, the lines with their destination records and assembly
// links, the child lists, the advances, then the units moved on the sources.
//
// Nothing here begins, commits or cancels: the save owns the transaction, so
// the first failure here leaves the database to its cancel.
class HVXConnection;

namespace hvx::settlement {

struct SettlementSaveWindow;

// A new settlement (RECNO 0) receives its record number, link and settlement
// number in its header. False with the reason in the window's message buffer.
bool WriteSettlement(SettlementSaveWindow& window, HVXConnection& connection);

}  // namespace hvx::settlement
