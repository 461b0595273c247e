#pragma once
// Runs harvexa-admin's command line in process and keeps what it printed.
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "harvexa-admin/CommandLine.h"
#include "platform/Session.h"

namespace hvxtest {

struct AdminResult {
    int code;
    std::string out, err;
};

inline AdminResult Admin(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int code = hvx::admin::RunCommandLine(args, out, err);
    return {code, out.str(), err.str()};
}

// Runs a command on the test's own database, given last, as another program
// would: with the test's session closed, which is opened again afterwards.
inline AdminResult AdminOn(const std::string& connection, std::vector<std::string> args) {
    hvx::Session::Close();
    args.push_back(connection);
    const AdminResult r = Admin(args);
    std::string error;
    EXPECT_TRUE(hvx::Session::Open(connection, error, hvx::OpenMode::Existing)) << error;
    return r;
}

}  // namespace hvxtest
