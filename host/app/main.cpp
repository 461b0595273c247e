// harvexa: the desktop host of the grain settlement module.
#include <clocale>
#include <unistd.h>

#include <QApplication>
#include <QMessageBox>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "host/LockService.h"
#include "host/app/DatabaseChoice.h"
#include "host/app/HostOptions.h"
#include "host/app/HostPortImpl.h"
#include "host/app/HostWindow.h"
#include "host/app/ModuleLoader.h"
#include "host/app/ScreenshotTour.h"
#include "host/app/SiblingLibraries.h"
#include "platform/ConnectionPassword.h"
#include "platform/Session.h"
#include "qt/ui/QtUiPort.h"

namespace {

using namespace hvx::host;

// A failure the user must see: on standard error always, and in a message
// box when someone is looking at the screen. A password a message may still
// quote from a connection text is not shown.
int Fail(const std::string& message, bool interactive) {
    const std::string shown = hvx::MaskPasswords(message);
    std::fprintf(stderr, "harvexa: %s\n", shown.c_str());
    if (interactive) QMessageBox::critical(nullptr, "Harvexa", QString::fromStdString(shown));
    return kHostFailed;
}

std::string ModulesFolder(const std::string& exeFolder) {
    const char* fromEnv = std::getenv("HARVEXA_MODULES_DIR");
    if (fromEnv && fromEnv[0] == '/') return fromEnv;
    return exeFolder + "/modules";
}

// Everything that lives while the frame is open, in the order it is built
// and (reversed) torn down.
int RunHost(const HostOptions& options, const std::string& exeFolder) {
    const bool interactive = options.screenshotDir.empty();
    std::string connection, error;
    if (!OpenChosenDatabase(options, connection, error)) return Fail(error, interactive);

    hvx::LockService locks;
    if (!locks.Open(connection, error))
        return Fail("Cannot open the lock service: " + error, interactive);

    HostWindow window;
    window.SetDatabaseText(QString::fromStdString(hvx::Session::Get()->Describe()));
    hvx::QtUiPort ui(&window);
    hvx::SetUiPort(&ui);

    SiblingLibraries siblings(ModulesFolder(exeFolder));
    HostPortImpl port(&window, window.Area(), siblings, &locks);
    hvx::SetHostPort(&port);
    ModuleLoader module(siblings);
    if (module.Load(error) && module.Start(port, error)) {
        window.SetModule(&module.Entry());
    } else {
        Fail(error, false);
        if (!interactive) return kHostFailed;
        window.show();
        QMessageBox::warning(&window, "Harvexa", QString::fromStdString(error));
    }

    int code = kHostOk;
    if (!interactive) {
        QString tourError;
        const QStringList files =
            RunScreenshotTour(window, QString::fromStdString(options.screenshotDir), tourError);
        for (const QString& file : files) std::printf("%s\n", qPrintable(file));
        if (!tourError.isEmpty()) code = Fail(tourError.toStdString(), false);
    } else {
        window.show();
        code = QApplication::exec();
    }

    window.Area()->closeAllSubWindows();
    module.Stop();
    locks.ReleaseAll();
    hvx::SetHostPort(nullptr);
    hvx::SetUiPort(nullptr);
    hvx::Session::Close();
    return code;
}

}  // namespace

int main(int argc, char** argv) {
    HostOptions options;
    std::string error;
    if (!ParseHostOptions(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
        std::fprintf(stderr, "%s\n", hvx::MaskPasswords(error).c_str());
        return kHostUsage;
    }
    if (options.help) {
        std::fputs(HostUsage(), stdout);
        return kHostOk;
    }
    // Qt would abort on its own without a window system; say what to do.
    if (!HasDisplay()) {
        std::fputs("harvexa: no display: DISPLAY and WAYLAND_DISPLAY are not set. Run it in a "
                   "desktop session, or with QT_QPA_PLATFORM=offscreen for --screenshot.\n",
                   stderr);
        return kHostUsage;
    }
    // Paths from the command line mean the folder the user started in; then
    // the executable's folder becomes the working folder, where the suite's
    // ".\HVX32.INI" is read.
    ResolvePaths(options);
    const std::string exeFolder = ExecutableFolder();
    if (exeFolder.empty() || chdir(exeFolder.c_str()) != 0) {
        std::fprintf(stderr, "harvexa: cannot change to the program's folder %s\n", exeFolder.c_str());
        return kHostFailed;
    }

    QApplication app(argc, argv);
    // Qt takes the user's locale for everything; numbers written into SQL and
    // stored as text must keep a decimal point whatever the user's language.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName("Harvexa");
    QApplication::setApplicationVersion(HARVEXA_VERSION);
    return RunHost(options, exeFolder);
}
