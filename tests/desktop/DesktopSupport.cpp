#include "DesktopSupport.h"

#include <dlfcn.h>
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include <QTemporaryFile>
#include <gtest/gtest.h>

namespace desktop {
namespace {

std::optional<std::string> Get(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
}

void Restore(const char* name, const std::optional<std::string>& value) {
    if (value)
        setenv(name, value->c_str(), 1);
    else
        unsetenv(name);
}

// The offscreen platform's one screen is 800 x 800, which says nothing about
// the small-screen rules; it reads the screens to offer from a file.
void OffscreenScreens() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (!platform || std::string(platform) != "offscreen") return;
    static QTemporaryFile file;
    if (!file.open()) return;
    file.write(R"({"screens": [
        {"name": "small", "x": 0, "y": 0, "width": 800, "height": 600},
        {"name": "large", "x": 800, "y": 0, "width": 1024, "height": 768},
        {"name": "vga", "x": 1824, "y": 0, "width": 640, "height": 480}]})");
    file.flush();
    setenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + file.fileName().toStdString()).c_str(), 1);
}

QApplication* gApp = nullptr;

// The application ends after the last test, while the program (and Qt's own
// globals) are still there and before the loaded module is detached, so the
// window system, fonts included, shuts down in order.
class EndApplication : public ::testing::Environment {
public:
    void TearDown() override {
        delete gApp;
        gApp = nullptr;
    }
};
const auto* const kEndApplication = ::testing::AddGlobalTestEnvironment(new EndApplication);

}  // namespace

QApplication& App() {
    static int argc = 1;
    static char name[] = "hvx_desktop_tests";
    static char* argv[] = {name, nullptr};
    if (!gApp) {
        OffscreenScreens();
        gApp = new QApplication(argc, argv);
    }
    return *gApp;
}

QScreen* Screen(const char* name) {
    for (QScreen* screen : App().screens())
        if (screen->name() == name) return screen;
    return nullptr;
}

std::string ModulesDir() {
    const char* dir = std::getenv("HARVEXA_MODULES_DIR");
    return dir ? dir : "";
}

void* Module() {
    static void* handle = dlopen((ModulesDir() + "/H32GRS.so").c_str(), RTLD_NOW | RTLD_LOCAL);
    return handle;
}

void* ModuleSymbol(const char* name) { return Module() ? dlsym(Module(), name) : nullptr; }

PrivateFolders::PrivateFolders() : oldConfig_(Get("XDG_CONFIG_HOME")), oldData_(Get("XDG_DATA_HOME")) {
    std::string pattern = (std::filesystem::temp_directory_path() / "hvxdesktop-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
    setenv("XDG_CONFIG_HOME", (path_ + "/config").c_str(), 1);
    setenv("XDG_DATA_HOME", (path_ + "/data").c_str(), 1);
}

PrivateFolders::~PrivateFolders() {
    Restore("XDG_CONFIG_HOME", oldConfig_);
    Restore("XDG_DATA_HOME", oldData_);
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

QList<QMdiSubWindow*> NewFrames(QMdiArea& area, const QList<QMdiSubWindow*>& before) {
    QList<QMdiSubWindow*> added;
    for (QMdiSubWindow* frame : area.subWindowList())
        if (!before.contains(frame)) added << frame;
    return added;
}

}  // namespace desktop
