#pragma once
// The command line of harvexa-admin: picks the command and its arguments and
// runs it. Usage errors give one line on `err` and exit code 2.
#include <ostream>
#include <string>
#include <vector>

namespace hvx::admin {

// The arguments after the program name. Returns the exit code.
int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Reports a usage error as one line on `err` that points at --help; returns
// the exit code of usage errors.
int UsageError(std::ostream& err, const std::string& message);
// An argument in quotes, printable and without a password, for a message.
std::string Shown(const std::string& arg);

// The text of --help.
const char* UsageText();

}  // namespace hvx::admin
