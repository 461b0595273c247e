#pragma once
// The module object: what the module keeps while it is loaded. It is created
// when the library is attached and destroyed when it is detached, and holds
// the host's instance handle, the fonts and the pictures its windows share.
//
// Fonts and pictures need a QGuiApplication. The host may load the module
// before it has one (and a program that only asks the module what it needs
// never has one), so they are made at attach when an application exists, or
// else at the first call that wants them. They are freed at detach, or when
// the application goes away first: a pixmap must not outlive it.
#include <QFont>
#include <QIcon>
#include <QPixmap>
#include <QString>
#include <map>

namespace hvx::module {

// The two dialog fonts (labels and fields) and the fixed-pitch one.
enum class ModuleFont { Label, Field, Fixed };

class ModuleObject {
public:
    // The module object of this library; it exists from attach to detach.
    static ModuleObject& Get();

    ModuleObject();
    ~ModuleObject();
    ModuleObject(const ModuleObject&) = delete;
    ModuleObject& operator=(const ModuleObject&) = delete;

    void SetHostInstance(void* host) { hostInstance_ = host; }
    void* HostInstance() const { return hostInstance_; }

    // Makes the fonts and pictures now if they are missing and an
    // application exists. True when they are there.
    bool EnsureResources();
    bool HasResources() const { return !pictures_.empty(); }

    QFont Font(ModuleFont which);
    // A shared picture by name; a null pixmap when unknown or without an
    // application.
    QPixmap Picture(const QString& name);
    QIcon Icon(const QString& name) { return QIcon(Picture(name)); }

    void FreeResources();

private:
    void* hostInstance_ = nullptr;
    std::map<ModuleFont, QFont> fonts_;
    std::map<QString, QPixmap> pictures_;
};

}  // namespace hvx::module
