#pragma once
// A transaction that cancels itself on every way out unless it was committed.
//
//   hvx::Transaction tran(connection, sql);
//   if (!tran.Begun()) return fail(...);
//   ... statements ...
//   if (!tran.Commit()) return fail(...);   // a failed commit is cancelled too
#include <string>
#include <string_view>

#include "platform/HVXConnection.h"

namespace hvx {

class Transaction {
public:
    Transaction(HVXConnection& connection, std::string_view carrier);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    bool Begun() const { return begun_; }
    bool Commit();  // false when the commit failed; the transaction is then cancelled
    void Cancel();

private:
    HVXConnection& connection_;
    std::string carrier_;
    bool begun_ = false;
    bool open_ = false;
};

// A part of the open transaction whose failure the work can live with:
//
//   hvx::TransactionPart part;
//   if (!statements()) part.Undo();   // the rest of the transaction goes on
//
// Not undone, the part is kept when the object goes. Outside a transaction,
// or when the part cannot be opened, it does nothing, and a failure inside it
// fails the transaction as any other would.
class TransactionPart {
public:
    TransactionPart();
    ~TransactionPart();
    TransactionPart(const TransactionPart&) = delete;
    TransactionPart& operator=(const TransactionPart&) = delete;

    void Undo();

private:
    bool open_ = false;
};

}  // namespace hvx
