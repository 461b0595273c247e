#pragma once
// Shared by the desktop tests: the one application of the test program, the
// module as the host loads it, and private configuration and data folders.
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <optional>
#include <string>

namespace desktop {

// The application, made on first use. It lives until the program ends and
// goes before the module is detached (the module frees its pictures then).
// On the offscreen platform it has three screens, named after their use:
// "small" 800 x 600, "large" 1024 x 768 and "vga" 640 x 480.
QApplication& App();
// One of those screens; null on another platform.
QScreen* Screen(const char* name);

// A base for fixtures that hold widgets: bases are built before members, so
// the application exists before the fixture's first widget.
struct WithApp {
    WithApp() { App(); }
};

// $HARVEXA_MODULES_DIR, where the build puts H32GRS.so.
std::string ModulesDir();

// The module, loaded with dlopen as the host does (once per program).
void* Module();

// An exported function of the module, as the host finds it; null when missing.
void* ModuleSymbol(const char* name);
template <class Fn>
Fn Entry(const char* name) {
    return reinterpret_cast<Fn>(ModuleSymbol(name));
}

// A temporary folder set as XDG_CONFIG_HOME and XDG_DATA_HOME for the life
// of the object; both are restored (and the folder removed) afterwards.
class PrivateFolders {
public:
    PrivateFolders();
    ~PrivateFolders();
    const std::string& Path() const { return path_; }

private:
    std::string path_;
    std::optional<std::string> oldConfig_, oldData_;
};

// The frames of an area that were not in `before`.
QList<QMdiSubWindow*> NewFrames(QMdiArea& area, const QList<QMdiSubWindow*>& before);

}  // namespace desktop
