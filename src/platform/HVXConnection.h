#pragma once
// The framework's prepared-statement connection.
//
// Each statement is identified by the text of its SQL, with "?" placeholders.
// Values are bound in placeholder order; binding starts again at the first
// placeholder after each ExecuteSQL, and values not bound again are reused.
// Mode 0 copies the value; mode 2 binds the current column of another
// statement (a ColumnVar result) and reads it afresh at each ExecuteSQL, so a
// copy loop can fetch a row and execute its insert without binding again.
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Engine.h"

class HVXConnection {
public:
    explicit HVXConnection(int kind = 1);
    ~HVXConnection();
    HVXConnection(const HVXConnection&) = delete;
    HVXConnection& operator=(const HVXConnection&) = delete;

    // 0 on success, -1 when the SQL is refused (LastError says why).
    int PrepareSQL(std::string_view sql, int flags = 0);
    int BindParam(std::string_view sql, std::string_view value, int mode = 0);
    int BindParam(std::string_view sql, const char* value, int mode = 0);
    int BindDoubleParam(std::string_view sql, double value);
    // INSERT, UPDATE, DELETE: rows changed; a query: 1; a failure: -1.
    int ExecuteSQL(std::string_view sql);
    bool FetchNext(std::string_view sql);
    // Column n (from 1) of the current row; "" when there is none. The text
    // stays valid until the statement fetches again.
    const char* ColumnVar(std::string_view sql, int n);

    // The session's transaction; 0 on success, non-zero on failure. The text
    // names the statement that carries the transaction.
    int BeginTran(std::string_view sql);
    int CommitTran(std::string_view sql);
    int CancelTran(std::string_view sql);

    const std::string& LastError() const { return error_; }

private:
    struct Bound {
        hvx::Param value;
        const std::string* column = nullptr;  // mode 2: another statement's column
    };
    struct Prepared {
        std::unique_ptr<hvx::Statement> statement;
        // The values bound, in the statement's own form so that it runs on
        // them without a copy, and for mode-2 binds the column they follow.
        std::vector<hvx::Param> values;
        std::vector<const std::string*> columns;
        size_t nextBind = 0;
        std::vector<std::string> row;
        bool onRow = false;
    };
    Prepared* Find(std::string_view sql);
    Prepared* Ensure(std::string_view sql);
    const std::string* FindColumnText(const char* value) const;
    int Bind(std::string_view sql, Bound bound);

    std::map<std::string, Prepared, std::less<>> statements_;
    // The statement found last (statements are never removed).
    std::map<std::string, Prepared, std::less<>>::iterator last_ = statements_.end();
    std::string error_;
};
