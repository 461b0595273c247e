#pragma once
// The framework's simple connection: literal SQL, one open statement at a time.
//
// A connection lives for the scope of one operation. Its statement is replaced
// by the next ExecSQL; FreeStatement releases it early, as a loop does before
// running its next query on the same connection.
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "platform/Engine.h"

class HVXSConnection {
public:
    // (1, the instance handle the host gave Initialize, 0); both are kept for
    // the callers' sake only, since the process has one session.
    explicit HVXSConnection(int kind = 1, const void* instance = nullptr, int flags = 0);
    ~HVXSConnection();
    HVXSConnection(const HVXSConnection&) = delete;
    HVXSConnection& operator=(const HVXSConnection&) = delete;

    // Runs a statement that returns rows. False when the SQL is refused.
    bool ExecSQL(std::string_view sql);
    // The same for a query over very many rows that the caller steps through
    // while it runs other statements (a search over every settlement line).
    bool ExecLongRead(std::string_view sql);
    // True while a row is current.
    bool FetchNext();
    // Column n (from 1) of the current row, as text into a buffer of max bytes.
    // False, with an empty buffer, when no value comes back.
    bool GetColumnChar(int n, char* buffer, std::size_t max) const;
    bool GetColumnChar(int n, std::string& out) const;
    std::string Column(int n) const;  // empty when no value
    // Column n as a view into the current row: valid until the next fetch.
    bool ColumnView(int n, std::string_view& out) const;
    // Runs an INSERT, UPDATE or DELETE: the rows changed, or -1 on failure.
    long ExecSQLChange(std::string_view sql);
    void FreeStatement();

    const std::string& LastError() const { return error_; }

private:
    bool Start(std::unique_ptr<hvx::Statement> statement);
    std::unique_ptr<hvx::Statement> statement_;
    std::string error_;
};
