#pragma once
// Set-up helpers shared by the charge and pricing tests.
#include <gtest/gtest.h>

#include <string>

#include "platform/Format.h"
#include "platform/HVXSConnection.h"

namespace hvxtest {

// Runs one INSERT in the framework dialect, so dates can be written as
// {YYYY-MM-DD} on every engine.
inline void Insert(const std::string& sql) {
    HVXSConnection connection;
    ASSERT_EQ(connection.ExecSQLChange(sql), 1) << sql << ": " << connection.LastError();
}

}  // namespace hvxtest
