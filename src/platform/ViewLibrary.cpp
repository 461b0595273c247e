#include "platform/ViewLibrary.h"

HVWSTMT vwConnect() { return new HVXSConnection(1, nullptr, 0); }

void vwDisconnect(HVWSTMT handle) { delete handle; }

void vwFreeStatement(HVWSTMT handle) {
    if (handle) handle->FreeStatement();
}

bool vwGetColumnChar(HVWSTMT handle, int n, char* buffer, std::size_t max) {
    if (!handle) return false;
    return handle->GetColumnChar(n, buffer, max);
}

bool HVXvwExecSQL(HVWSTMT handle, std::string_view sql) { return handle && handle->ExecSQL(sql); }

long HVXvwExecSQLChange(HVWSTMT handle, std::string_view sql) {
    return handle ? handle->ExecSQLChange(sql) : -1;
}

bool HVXvwFetchNext(HVWSTMT handle) { return handle && handle->FetchNext(); }
