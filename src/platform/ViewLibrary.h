#pragma once
// The view library's statement handles, as the selection lists use them.
// A handle is a simple connection of its own; the three HVXvw operations are
// those of HVXSConnection.
#include <cstddef>
#include <string_view>

#include "platform/HVXSConnection.h"

using HVWSTMT = HVXSConnection*;

HVWSTMT vwConnect();                 // never null
void vwDisconnect(HVWSTMT handle);   // frees the handle; null is ignored
void vwFreeStatement(HVWSTMT handle);
bool vwGetColumnChar(HVWSTMT handle, int n, char* buffer, std::size_t max);

bool HVXvwExecSQL(HVWSTMT handle, std::string_view sql);
long HVXvwExecSQLChange(HVWSTMT handle, std::string_view sql);
bool HVXvwFetchNext(HVWSTMT handle);
