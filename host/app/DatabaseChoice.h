#pragma once
// Which database the host opens: the one named on the command line, the demo
// database (created and seeded on first use), or the one used last time, as
// remembered in the user's "hvxlocal.ini" (section "Host", key "Database",
// without a password).
#include <string>

#include "host/app/HostOptions.h"

namespace hvx::host {

inline constexpr const char* kProfileSection = "Host";
inline constexpr const char* kProfileDatabaseKey = "Database";

// Opens the session on the chosen database and remembers it for next time.
// On success `connection` is what was opened; otherwise false with a message
// for the user. The session is left closed on failure.
bool OpenChosenDatabase(const HostOptions& options, std::string& connection, std::string& error);

}  // namespace hvx::host
