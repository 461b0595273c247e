// Compiled into every test program: the time zone, locale and display
// platform are pinned before any test runs, so dates, number texts and
// windows never depend on the machine or shell that runs the tests.
#include <sys/stat.h>
#include <unistd.h>

#include <clocale>
#include <cstdlib>
#include <ctime>
#include <string>

namespace {

struct PinnedEnvironment {
    PinnedEnvironment() {
        setenv("TZ", "America/Chicago", 1);
        tzset();
        setenv("LC_ALL", "C.UTF-8", 1);
        setenv("LANG", "C.UTF-8", 1);
        std::setlocale(LC_ALL, "C.UTF-8");
        // Windows are drawn off screen unless a test run asks for a display.
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        std::string runtime = "/tmp/harvexa-test-runtime-" + std::to_string(getuid());
        mkdir(runtime.c_str(), 0700);
        setenv("XDG_RUNTIME_DIR", runtime.c_str(), 0);
#ifdef HARVEXA_MODULES_DIR
        setenv("HARVEXA_MODULES_DIR", HARVEXA_MODULES_DIR, 0);
#endif
    }
};

const PinnedEnvironment pinned;

}  // namespace
