#pragma once
// The command line of harvexa and what must be settled before Qt starts:
// the options, whether there is a display at all, and the working folder.
#include <string>
#include <vector>

namespace hvx::host {

struct HostOptions {
    std::string database;       // --database CONN; "" when not given
    bool demo = false;          // --demo
    std::string screenshotDir;  // --screenshot DIR; "" when not given
    bool help = false;          // --help
};

enum HostExit : int { kHostOk = 0, kHostFailed = 1, kHostUsage = 2 };

// Parses the arguments after the program name. False with a one-line message
// for an unknown option or a missing value. Qt's own options (-platform,
// -style …) are left for QApplication and skipped here.
bool ParseHostOptions(const std::vector<std::string>& args, HostOptions& options,
                      std::string& error);

const char* HostUsage();

// True when a window system can be reached: DISPLAY or WAYLAND_DISPLAY is
// set, or QT_QPA_PLATFORM names a platform (offscreen, vnc …).
bool HasDisplay();

// Paths given on the command line are resolved against the folder the user
// started from, before the working folder changes: the screenshot folder,
// and a SQLite database file ("file.db" or "sqlite:file.db"). Server
// connections are left as they are.
void ResolvePaths(HostOptions& options);

// The folder of the running executable; "" when it cannot be found.
std::string ExecutableFolder();

}  // namespace hvx::host
