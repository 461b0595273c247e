#include "GrownDatabase.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "harvexa-admin/AdminCommands.h"

namespace hvxbench {
namespace {

long GrownLines() {
    const char* text = std::getenv("HARVEXA_BENCH_GROWN_LINES");
    return text && *text ? std::atol(text) : 0;
}

std::string GrownPath() {
    const char* path = std::getenv("HARVEXA_BENCH_GROWN");
    if (path && *path) return path;
    const long lines = GrownLines();
    return lines > 0 ? "/tmp/harvexa_bench_grown_" + std::to_string(lines) + ".db" : "";
}

// The demo cooperative, then the generated settlements after its own.
bool Make(const std::string& path, std::string& error) {
    std::ostringstream out, err;
    hvx::admin::GenerateOptions options;
    options.lines = GrownLines();
    options.settlements = std::max(1L, options.lines / 20);
    options.force = true;
    std::printf("Making the grown database %s of %ld lines...\n", path.c_str(), options.lines);
    std::fflush(stdout);
    if (hvx::admin::DemoCommand(path, out, err) == hvx::admin::kExitOk &&
        hvx::admin::GenerateCommand(path, options, out, err) == hvx::admin::kExitOk)
        return true;
    // Half a database would be taken for a whole one by the next run.
    std::filesystem::remove(path);
    error = err.str();
    return false;
}

}  // namespace

bool GrownWanted() { return !GrownPath().empty(); }

bool CopyGrown(const std::string& file, std::string& error) {
    static bool ready = false;
    const std::string path = GrownPath();
    if (!ready && !std::filesystem::exists(path)) {
        if (GrownLines() <= 0) {
            error = path + " does not exist, and HARVEXA_BENCH_GROWN_LINES asks for none.";
            return false;
        }
        if (!Make(path, error)) return false;
    }
    ready = true;
    std::error_code failed;
    std::filesystem::copy_file(path, file, std::filesystem::copy_options::overwrite_existing,
                               failed);
    if (failed) error = "Cannot copy " + path + ": " + failed.message();
    return !failed;
}

}  // namespace hvxbench
