// The host as a user starts it: the database it picks, the screenshots of
// every Grain window, and the refusals without a display or with a bad
// command line.
#include <filesystem>

#include "DesktopSupport.h"
#include "host/app/DatabaseChoice.h"
#include "platform/ProfileFile.h"
#include "platform/Session.h"

namespace {

namespace fs = std::filesystem;
using hvx::host::HostOptions;
using ::testing::AllOf;
using ::testing::HasSubstr;
using ::testing::StartsWith;

TEST(DatabaseChoice, CommandLineDemoOrRemembered) {
    desktop::PrivateFolders folders;
    const std::string missing = folders.Path() + "/missing.db",
                      other = folders.Path() + "/other.db",
                      demo = folders.Path() + "/data/harvexa/demo.db";
    const auto remembered = [] {
        return GetPrivateProfileString("Host", "Database", "", hvx::LocalProfilePath());
    };
    // The connection opened, or the reason why none was.
    const auto open = [](const std::string& database, bool demo) {
        HostOptions options{.database = database, .demo = demo};
        std::string connection, error;
        const bool opened = hvx::host::OpenChosenDatabase(options, connection, error);
        EXPECT_EQ(hvx::Session::IsOpen(), opened);
        hvx::Session::Close();
        return opened ? "opened " + connection : error;
    };
    EXPECT_EQ(open("", false),
              "No database chosen: start harvexa with --database CONNECTION, or with --demo for "
              "the demo database.");
    // A mistyped file is refused and not created.
    EXPECT_EQ(open(missing, false), "Cannot open the database " + missing + ": The database file " +
                                        missing + " does not exist.");
    EXPECT_FALSE(fs::exists(missing));
    EXPECT_EQ(remembered(), "");
    // The demo database is made on first use and remembered; next time it opens by itself.
    EXPECT_EQ(open("", true), "opened " + demo);
    EXPECT_EQ(remembered(), demo);
    EXPECT_EQ(open("", false), "opened " + demo);
    // A file that is not a Harvexa database is refused with the reason.
    std::string error;
    ASSERT_TRUE(hvx::Session::Open(other, error)) << error;
    hvx::Session::Close();
    EXPECT_EQ(open(other, false).rfind("Cannot open the database " + other + ": ", 0), 0u);
    EXPECT_EQ(remembered(), demo);
}

// The exit code and what the program wrote to standard error: "2: harvexa: ...".
std::string Harvexa(const QStringList& args, const std::string& folder, bool display = true) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(name);
    if (display) env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_DATA_HOME", QString::fromStdString(folder + "/data"));
    env.insert("XDG_CONFIG_HOME", QString::fromStdString(folder + "/config"));
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(HARVEXA_EXECUTABLE, args);
    if (!process.waitForFinished(120000)) process.kill();
    const int code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return std::to_string(code) + ": " + process.readAllStandardError().toStdString();
}

TEST(HostRun, ScreenshotOfEveryGrainWindow) {
    desktop::PrivateFolders folders;
    const QString shots = QString::fromStdString(folders.Path() + "/shots");
    ASSERT_THAT(Harvexa({"--demo", "--screenshot", shots}, folders.Path()), StartsWith("0: "));
    const QStringList files = QDir(shots).entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(files.join("|").toStdString(),
              "Collateral Warehouse Receipts.png|Create New Settlement.png|Direct Shipment.png|"
              "Enter By Settlement Destination.png|Enter By Settlement Source.png|"
              "Search For Settlements.png|Settlement Search Results.png");
    for (const QString& file : files)
        EXPECT_FALSE(QImage(shots + "/" + file).isNull()) << file.toStdString();
    // No profile value yet: the results window has its default size.
    EXPECT_EQ(QImage(shots + "/Settlement Search Results.png").size(), QSize(590, 376));
    // The installation file is found in the program's folder.
    EXPECT_TRUE(fs::exists(fs::path(HARVEXA_EXECUTABLE).parent_path() / "HVX32.INI"));
}

TEST(HostRun, RefusesClearlyWithoutADisplayOrWithABadCommandLine) {
    desktop::PrivateFolders folders;
    EXPECT_THAT(Harvexa({"--demo"}, folders.Path(), false), StartsWith("2: harvexa: no display:"));
    EXPECT_EQ(Harvexa({"--dmeo"}, folders.Path()),
              "2: harvexa: unknown argument --dmeo (see --help)\n");
    // A database that is not there: a message, exit 1, and no window tour.
    EXPECT_THAT(Harvexa({"--database", "nowhere.db", "--screenshot", "shots"}, folders.Path()),
                AllOf(StartsWith("1: harvexa: "), HasSubstr("nowhere.db does not exist.\n")));
}

}  // namespace
