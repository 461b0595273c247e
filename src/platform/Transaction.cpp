#include "platform/Transaction.h"

#include "platform/Session.h"

namespace hvx {

Transaction::Transaction(HVXConnection& connection, std::string_view carrier)
    : connection_(connection), carrier_(carrier) {
    begun_ = open_ = connection_.BeginTran(carrier_) == 0;
}

Transaction::~Transaction() { Cancel(); }

bool Transaction::Commit() {
    if (!open_) return false;
    if (connection_.CommitTran(carrier_) == 0) {
        open_ = false;
        return true;
    }
    Cancel();
    return false;
}

void Transaction::Cancel() {
    if (!open_) return;
    open_ = false;
    connection_.CancelTran(carrier_);
}

TransactionPart::TransactionPart() {
    std::string ignored;
    open_ = Session::InTransaction() && Session::BeginPart(ignored);
}

TransactionPart::~TransactionPart() {
    if (!open_) return;
    std::string ignored;
    Session::EndPart(true, ignored);
}

void TransactionPart::Undo() {
    if (!open_) return;
    open_ = false;
    std::string ignored;
    Session::EndPart(false, ignored);
}

}  // namespace hvx
