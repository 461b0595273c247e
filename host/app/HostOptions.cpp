#include "host/app/HostOptions.h"

#include <cstdlib>
#include <filesystem>
#include <set>

#include "platform/DatabaseName.h"

namespace hvx::host {
namespace {

namespace fs = std::filesystem;

bool Set(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && value[0] != '\0';
}

// QApplication's options that take a value; the next argument belongs to them.
const std::set<std::string>& QtOptionsWithValue() {
    static const std::set<std::string> names = {"-platform", "-style", "-stylesheet",
                                                "-platformpluginpath", "-platformtheme",
                                                "-qwindowgeometry", "-qwindowtitle",
                                                "-qwindowicon", "-display", "-geometry"};
    return names;
}

std::string Absolute(const std::string& path) {
    std::error_code ec;
    const fs::path absolute = fs::absolute(path, ec);
    return ec ? path : absolute.lexically_normal().string();
}

}  // namespace

const char* HostUsage() {
    return "Usage: harvexa [--database CONNECTION | --demo] [--screenshot DIR]\n"
           "  --database CONNECTION  open this database: a SQLite file (or sqlite:FILE),\n"
           "                         or a PostgreSQL URL or conninfo\n"
           "  --demo                 open the demo database, created on first use\n"
           "                         ($XDG_DATA_HOME/harvexa/demo.db)\n"
           "  --screenshot DIR       open each window of the Grain menu, save a PNG of\n"
           "                         each into DIR and exit\n"
           "Without --database or --demo the database used last time is opened.\n";
}

bool ParseHostOptions(const std::vector<std::string>& args, HostOptions& options,
                      std::string& error) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= args.size() || args[i + 1].empty()) {
                error = "harvexa: " + arg + " needs a value";
                return false;
            }
            into = args[++i];
            return true;
        };
        if (arg == "--database") {
            if (!value(options.database)) return false;
        } else if (arg == "--screenshot") {
            if (!value(options.screenshotDir)) return false;
        } else if (arg == "--demo") {
            options.demo = true;
        } else if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (QtOptionsWithValue().count(arg)) {
            ++i;
        } else if (arg.rfind("-", 0) == 0 && arg.rfind("--", 0) != 0) {
            // a Qt option without value (-reverse, -nograb …)
        } else {
            error = "harvexa: unknown argument " + arg + " (see --help)";
            return false;
        }
    }
    return true;
}

bool HasDisplay() {
    return Set("DISPLAY") || Set("WAYLAND_DISPLAY") || Set("QT_QPA_PLATFORM");
}

void ResolvePaths(HostOptions& options) {
    if (!options.screenshotDir.empty()) options.screenshotDir = Absolute(options.screenshotDir);
    const DatabaseName name = ParseDatabaseName(options.database);
    const std::string& file = name.target;
    if (name.kind != EngineKind::SQLite || file.empty() || file == ":memory:" ||
        fs::path(file).is_absolute())
        return;  // a server, or ":memory:"
    options.database = (name.sqlitePrefix ? "sqlite:" : "") + Absolute(file);
}

std::string ExecutableFolder() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : exe.parent_path().string();
}

}  // namespace hvx::host
