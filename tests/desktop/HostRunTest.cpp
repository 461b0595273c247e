// The host as a user starts it: the database it picks, the screenshots of
// every Grain window, and the refusals without a display or with a bad
// command line.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QProcess>
#include <filesystem>

#include "DesktopSupport.h"
#include "host/app/DatabaseChoice.h"
#include "platform/ProfileFile.h"
#include "platform/Session.h"

namespace {

namespace fs = std::filesystem;
using hvx::host::HostOptions;

std::string Remembered() {
    return GetPrivateProfileString("Host", "Database", "", hvx::LocalProfilePath());
}

TEST(DatabaseChoice, CommandLineDemoOrRemembered) {
    desktop::PrivateFolders folders;
    std::string connection, error;

    // Nothing given, nothing remembered.
    EXPECT_FALSE(hvx::host::OpenChosenDatabase({}, connection, error));
    EXPECT_EQ(error, "No database chosen: start harvexa with --database CONNECTION, or with "
                     "--demo for the demo database.");

    // A mistyped file is refused and not created.
    const std::string missing = folders.Path() + "/missing.db";
    HostOptions named;
    named.database = missing;
    EXPECT_FALSE(hvx::host::OpenChosenDatabase(named, connection, error));
    EXPECT_EQ(error, "Cannot open the database " + missing + ": The database file " + missing +
                         " does not exist.");
    EXPECT_FALSE(fs::exists(missing));
    EXPECT_FALSE(hvx::Session::IsOpen());
    EXPECT_EQ(Remembered(), "");

    // The demo database is made on first use and remembered.
    HostOptions demo;
    demo.demo = true;
    ASSERT_TRUE(hvx::host::OpenChosenDatabase(demo, connection, error)) << error;
    EXPECT_EQ(connection, folders.Path() + "/data/harvexa/demo.db");
    EXPECT_TRUE(hvx::Session::IsOpen());
    EXPECT_EQ(Remembered(), connection);
    hvx::Session::Close();

    // Next time, without options, the remembered one opens.
    std::string again;
    ASSERT_TRUE(hvx::host::OpenChosenDatabase({}, again, error)) << error;
    EXPECT_EQ(again, connection);
    hvx::Session::Close();

    // A file that is not a Harvexa database is refused with the reason.
    const std::string other = folders.Path() + "/other.db";
    ASSERT_TRUE(hvx::Session::Open(other, error)) << error;
    hvx::Session::Close();
    named.database = other;
    EXPECT_FALSE(hvx::host::OpenChosenDatabase(named, connection, error));
    EXPECT_EQ(error.rfind("Cannot open the database " + other + ": ", 0), 0u) << error;
    EXPECT_FALSE(hvx::Session::IsOpen());
    EXPECT_EQ(Remembered(), folders.Path() + "/data/harvexa/demo.db");
}

struct HostResult {
    int exitCode = -1;
    QString err;
};

HostResult Harvexa(const QStringList& args, const QProcessEnvironment& env) {
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(HARVEXA_EXECUTABLE, args);
    if (!process.waitForFinished(120000)) process.kill();
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardError())};
}

QProcessEnvironment PrivateEnvironment(const std::string& folder) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_DATA_HOME", QString::fromStdString(folder + "/data"));
    env.insert("XDG_CONFIG_HOME", QString::fromStdString(folder + "/config"));
    return env;
}

TEST(HostRun, ScreenshotOfEveryGrainWindow) {
    desktop::PrivateFolders folders;
    const QString shots = QString::fromStdString(folders.Path() + "/shots");
    const HostResult run = Harvexa({"--demo", "--screenshot", shots}, PrivateEnvironment(folders.Path()));
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();

    const QStringList expected = {
        "Collateral Warehouse Receipts.png", "Create New Settlement.png",
        "Direct Shipment.png",               "Enter By Settlement Destination.png",
        "Enter By Settlement Source.png",    "Search For Settlements.png",
        "Settlement Search Results.png"};
    EXPECT_EQ(QDir(shots).entryList(QDir::Files, QDir::Name), expected);
    const QImage results(shots + "/Settlement Search Results.png");
    EXPECT_EQ(results.size(), QSize(590, 376));  // no profile value yet: the default
    for (const QString& file : expected) EXPECT_FALSE(QImage(shots + "/" + file).isNull()) << file.toStdString();
    // The installation file is found in the program's folder.
    EXPECT_TRUE(fs::exists(fs::path(HARVEXA_EXECUTABLE).parent_path() / "HVX32.INI"));
}

TEST(HostRun, RefusesClearlyWithoutADisplayOrWithABadCommandLine) {
    desktop::PrivateFolders folders;
    QProcessEnvironment headless = PrivateEnvironment(folders.Path());
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) headless.remove(name);
    HostResult run = Harvexa({"--demo"}, headless);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.startsWith("harvexa: no display:")) << run.err.toStdString();

    run = Harvexa({"--dmeo"}, PrivateEnvironment(folders.Path()));
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err, "harvexa: unknown argument --dmeo (see --help)\n");

    // A database that is not there: a message, exit 1, and no window tour.
    run = Harvexa({"--database", "nowhere.db", "--screenshot", "shots"}, PrivateEnvironment(folders.Path()));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("nowhere.db does not exist.")) << run.err.toStdString();
}

}  // namespace
