#include "platform/HVXSConnection.h"

#include "platform/Session.h"
#include "platform/Text.h"

using hvx::Session;

HVXSConnection::HVXSConnection(int, const void*, int) {}
HVXSConnection::~HVXSConnection() = default;

bool HVXSConnection::ExecSQL(std::string_view sql) {
    return Start(Session::Prepare(sql, false, error_));
}

bool HVXSConnection::ExecLongRead(std::string_view sql) {
    return Start(Session::PrepareLongRead(sql, error_));
}

bool HVXSConnection::Start(std::unique_ptr<hvx::Statement> statement) {
    statement_ = std::move(statement);
    if (!statement_) return false;
    if (!Session::Run(*statement_, {}, error_)) {
        statement_.reset();
        return false;
    }
    return true;
}

bool HVXSConnection::FetchNext() { return statement_ && statement_->Next(); }

bool HVXSConnection::GetColumnChar(int n, std::string& out) const {
    out.clear();
    return statement_ && statement_->Column(n - 1, out);
}

bool HVXSConnection::GetColumnChar(int n, char* buffer, std::size_t max) const {
    std::string value;
    const bool found = GetColumnChar(n, value);
    CopyToBuffer(value, buffer, max);
    return found;
}

bool HVXSConnection::ColumnView(int n, std::string_view& out) const {
    out = {};
    return statement_ && statement_->ColumnView(n - 1, out);
}

std::string HVXSConnection::Column(int n) const {
    std::string value;
    GetColumnChar(n, value);
    return value;
}

long HVXSConnection::ExecSQLChange(std::string_view sql) {
    statement_ = Session::Prepare(sql, false, error_);
    if (!statement_) return -1;
    const bool ok = Session::Run(*statement_, {}, error_);
    const long changed = ok ? static_cast<long>(statement_->Changes()) : -1;
    statement_.reset();
    return changed;
}

void HVXSConnection::FreeStatement() { statement_.reset(); }
