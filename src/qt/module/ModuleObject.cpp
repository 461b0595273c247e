#include "qt/module/ModuleObject.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include "qt/module/PictureBook.h"

namespace hvx::module {
namespace {

// A plain pointer, not an object with a destructor of its own: the library's
// static destructors and its detach function run in no fixed order, and the
// module object must be destroyed exactly once, by the detach function.
ModuleObject* gModule = nullptr;

// Runs while the application is being destroyed, before its window system
// goes away.
void FreeBeforeApplicationEnds() {
    if (gModule) gModule->FreeResources();
}

// Attach and detach of the library. The loader runs these when the library
// is mapped into the process and when it is unmapped (dlclose, or the end of
// the process).
__attribute__((constructor)) void AttachModule() {
    if (!gModule) gModule = new ModuleObject;
    gModule->EnsureResources();
}

__attribute__((destructor)) void DetachModule() {
    delete gModule;
    gModule = nullptr;
}

}  // namespace

ModuleObject& ModuleObject::Get() {
    // Only reached between attach and detach; made here as well in case a
    // call arrives from another library's constructor before ours ran.
    if (!gModule) gModule = new ModuleObject;
    return *gModule;
}

ModuleObject::ModuleObject() = default;

ModuleObject::~ModuleObject() { FreeResources(); }

bool ModuleObject::EnsureResources() {
    if (HasResources()) return true;
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return false;

    // The suite's dialog font and its fixed-pitch font. Neither family is
    // usually installed here; the style hint picks the closest one.
    QFont dialog("MS Sans Serif", 8);
    dialog.setStyleHint(QFont::SansSerif);
    QFont fixed("Courier", 10);
    fixed.setStyleHint(QFont::TypeWriter);
    fonts_ = {{ModuleFont::Label, dialog}, {ModuleFont::Field, dialog}, {ModuleFont::Fixed, fixed}};

    for (const QString& name : PictureNames()) pictures_[name] = DrawPicture(name);
    qAddPostRoutine(FreeBeforeApplicationEnds);
    return true;
}

QFont ModuleObject::Font(ModuleFont which) {
    EnsureResources();
    const auto it = fonts_.find(which);
    return it != fonts_.end() ? it->second : QFont();
}

QPixmap ModuleObject::Picture(const QString& name) {
    EnsureResources();
    const auto it = pictures_.find(name);
    return it != pictures_.end() ? it->second : QPixmap();
}

void ModuleObject::FreeResources() {
    if (!HasResources()) return;
    // The routine lives in this library: it must not be called once the
    // library is gone.
    qRemovePostRoutine(FreeBeforeApplicationEnds);
    pictures_.clear();
    fonts_.clear();
}

}  // namespace hvx::module
