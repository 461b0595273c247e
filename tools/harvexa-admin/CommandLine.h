#pragma once
// The command line of harvexa-admin: picks the command and its arguments and
// runs it. Usage errors give one line on `err` and exit code 2.
#include <ostream>
#include <string>
#include <vector>

namespace hvx::admin {

// The arguments after the program name. Returns the exit code.
int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The text of --help.
const char* UsageText();

}  // namespace hvx::admin
