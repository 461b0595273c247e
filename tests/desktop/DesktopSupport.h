#pragma once
// Shared by the desktop tests: the one application of the test program, the
// module as the host loads it, and private configuration and data folders.
#include <dlfcn.h>
#include <gmock/gmock.h>

#include <QtTest>
#include <QtWidgets>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace desktop {

inline QApplication* gApp = nullptr;

// The application ends after the last test, before the module is detached,
// so the window system shuts down in order.
struct EndApplication : ::testing::Environment {
    void TearDown() override { delete std::exchange(gApp, nullptr); }
};
inline const auto* const kEndApplication = ::testing::AddGlobalTestEnvironment(new EndApplication);

// The application, made on first use. On the offscreen platform it has three
// screens, named after their use by the small-screen rules.
inline QApplication& App() {
    static int argc = 1;
    static char name[] = "hvx_desktop_tests", *argv[] = {name, nullptr};
    static QTemporaryFile screens;
    if (!gApp && qgetenv("QT_QPA_PLATFORM") == "offscreen" && screens.open()) {
        screens.write(R"({"screens": [
            {"name": "small", "x": 0, "y": 0, "width": 800, "height": 600},
            {"name": "large", "x": 800, "y": 0, "width": 1024, "height": 768},
            {"name": "vga", "x": 1824, "y": 0, "width": 640, "height": 480}]})");
        screens.flush();
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screens.fileName().toLocal8Bit());
    }
    if (!gApp) gApp = new QApplication(argc, argv);
    return *gApp;
}

inline QScreen* Screen(const char* name) {
    for (QScreen* screen : App().screens())
        if (screen->name() == name) return screen;
    return nullptr;
}

// A base for fixtures that hold widgets: the application comes before them.
struct WithApp {
    WithApp() { App(); }
};

inline std::string ModulesDir() {
    return qEnvironmentVariable("HARVEXA_MODULES_DIR").toStdString();
}

// An exported function of the module, loaded with dlopen as the host does
// (once per program); null when missing.
inline void* ModuleSymbol(const char* name) {
    static void* module = dlopen((ModulesDir() + "/H32GRS.so").c_str(), RTLD_NOW | RTLD_LOCAL);
    return module ? dlsym(module, name) : nullptr;
}
template <class Fn>
Fn Entry(const char* name) {
    return reinterpret_cast<Fn>(ModuleSymbol(name));
}

// A temporary folder as XDG_CONFIG_HOME and XDG_DATA_HOME while the object lives.
class PrivateFolders {
public:
    PrivateFolders() {
        for (const auto& [name, sub] :
             {std::pair{"XDG_CONFIG_HOME", "/config"}, {"XDG_DATA_HOME", "/data"}}) {
            saved_.emplace_back(name, qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name))
                                                                      : std::nullopt);
            qputenv(name, (dir_.path() + sub).toLocal8Bit());
        }
    }
    ~PrivateFolders() {
        for (const auto& [name, old] : saved_) old ? qputenv(name, *old) : qunsetenv(name);
    }
    std::string Path() const { return dir_.path().toStdString(); }

private:
    QTemporaryDir dir_;
    std::vector<std::pair<const char*, std::optional<QByteArray>>> saved_;
};

}  // namespace desktop
