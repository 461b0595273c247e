#pragma once
// Runs harvexa-admin's command line in process and keeps what it printed.
#include <sstream>
#include <string>
#include <vector>

#include "harvexa-admin/CommandLine.h"

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

}  // namespace hvxtest
