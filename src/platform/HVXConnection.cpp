#include "platform/HVXConnection.h"

#include <algorithm>

#include "platform/Session.h"

using hvx::Param;
using hvx::Session;

HVXConnection::HVXConnection(int) {}
HVXConnection::~HVXConnection() = default;

// The module binds a statement's values one call at a time, each naming the
// statement by its text: the statement named last is checked first.
HVXConnection::Prepared* HVXConnection::Find(std::string_view sql) {
    if (last_ != statements_.end() && last_->first == sql) return &last_->second;
    auto it = statements_.find(sql);
    if (it == statements_.end()) return nullptr;
    last_ = it;
    return &it->second;
}

// A statement used before PrepareSQL is prepared on first use.
HVXConnection::Prepared* HVXConnection::Ensure(std::string_view sql) {
    if (Prepared* p = Find(sql)) return p;
    return PrepareSQL(sql) == 0 ? Find(sql) : nullptr;
}

int HVXConnection::PrepareSQL(std::string_view sql, int) {
    auto statement = Session::Prepare(sql, true, error_);
    if (!statement) return -1;
    // Preparing again starts the binding afresh; the row buffer stays where
    // it is because other statements may be bound to its columns.
    Prepared& p = statements_[std::string(sql)];
    p.values.assign(static_cast<size_t>(statement->ParamCount()), Param{});
    p.columns.assign(p.values.size(), nullptr);
    p.nextBind = 0;
    p.onRow = false;
    p.statement = std::move(statement);
    return 0;
}

int HVXConnection::Bind(std::string_view sql, Bound bound) {
    Prepared* p = Ensure(sql);
    if (!p) return -1;
    if (p->nextBind >= p->values.size()) {
        error_ = "More values bound than the statement has placeholders: " + std::string(sql);
        return -1;
    }
    p->columns[p->nextBind] = bound.column;
    p->values[p->nextBind++] = std::move(bound.value);
    return 0;
}

const std::string* HVXConnection::FindColumnText(const char* value) const {
    for (const auto& [text, p] : statements_)
        for (const std::string& column : p.row)
            if (column.c_str() == value) return &column;
    return nullptr;
}

int HVXConnection::BindParam(std::string_view sql, std::string_view value, int mode) {
    (void)mode;  // a string_view is always copied
    return Bind(sql, Bound{Param::Text(std::string(value)), nullptr});
}

int HVXConnection::BindParam(std::string_view sql, const char* value, int mode) {
    const std::string* column = mode == 2 && value ? FindColumnText(value) : nullptr;
    return Bind(sql, Bound{Param::Text(value ? value : ""), column});
}

int HVXConnection::BindDoubleParam(std::string_view sql, double value) {
    return Bind(sql, Bound{Param::Number(value), nullptr});
}

int HVXConnection::ExecuteSQL(std::string_view sql) {
    Prepared* p = Ensure(sql);
    if (!p) return -1;
    p->nextBind = 0;
    p->onRow = false;
    bool ran = false;
    if (std::ranges::none_of(p->columns, [](const std::string* c) { return c != nullptr; })) {
        ran = Session::Run(*p->statement, p->values, error_);
    } else {
        // Mode-2 values are read from the other statement's row now.
        std::vector<Param> values = p->values;
        for (size_t i = 0; i < values.size(); ++i)
            if (p->columns[i]) values[i] = Param::Text(*p->columns[i]);
        ran = Session::Run(*p->statement, values, error_);
    }
    if (!ran) return -1;
    if (p->statement->ColumnCount() > 0) {
        // The row buffer keeps its strings in place, so mode-2 binds of other
        // statements that point at them stay valid.
        p->row.resize(static_cast<size_t>(p->statement->ColumnCount()));
        return 1;
    }
    return static_cast<int>(p->statement->Changes());
}

bool HVXConnection::FetchNext(std::string_view sql) {
    Prepared* p = Find(sql);
    if (!p || !p->statement) return false;
    p->onRow = p->statement->Next();
    for (size_t i = 0; i < p->row.size(); ++i) {
        if (!p->onRow || !p->statement->Column(static_cast<int>(i), p->row[i])) p->row[i].clear();
    }
    return p->onRow;
}

const char* HVXConnection::ColumnVar(std::string_view sql, int n) {
    Prepared* p = Find(sql);
    if (!p || !p->onRow || n < 1 || static_cast<size_t>(n) > p->row.size()) return "";
    return p->row[static_cast<size_t>(n) - 1].c_str();
}

int HVXConnection::BeginTran(std::string_view) { return Session::Begin(error_) ? 0 : 1; }
int HVXConnection::CommitTran(std::string_view) { return Session::Commit(error_) ? 0 : 1; }
int HVXConnection::CancelTran(std::string_view) { return Session::Rollback(error_) ? 0 : 1; }
