// The host's side of the module: siblings loaded by suite file name, the
// host port's messages and broadcasts, starting the module, the command line.
#include <gtest/gtest.h>

#include <QLabel>
#include <QMainWindow>
#include <cstdint>
#include <filesystem>

#include "DesktopSupport.h"
#include "host/app/HostOptions.h"
#include "abi/LockRequest.h"
#include "host/app/HostPortImpl.h"
#include "host/app/ModuleLoader.h"
#include "host/app/ScreenshotTour.h"
#include "host/app/SiblingLibraries.h"

namespace {

namespace fs = std::filesystem;
using hvx::host::SiblingLibraries;

TEST(SiblingNames, SuiteFileNamesMapToLibraries) {
    const struct {
        const char* suite;
        const char* file;
    } cases[] = {
        {"H32GRR.DLL", "H32GRR.so"}, {"H32GRR", "H32GRR.so"},    {"h32grr.dll", "h32grr.so"},
        {"H32GRR.Dll", "H32GRR.so"}, {"HVXCMP32.DLL", "HVXCMP32.so"},
        {"", ""},                    {".DLL", ""},               {"../H32GRR.DLL", ""},
        {"..", ""},                  {"sub/H32GRR", ""},         {"C:\\SUITE\\H32GRR.DLL", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.suite);
        EXPECT_EQ(hvx::host::SiblingFileName(c.suite), c.file);
    }
}

TEST(SiblingLibraries, LoadedByAnyFormOfTheName) {
    SiblingLibraries siblings(desktop::ModulesDir());
    void* module = siblings.Load("H32GRS.DLL");
    ASSERT_NE(module, nullptr) << siblings.LastError();
    EXPECT_EQ(siblings.Load("H32GRS"), module);
    EXPECT_EQ(siblings.Load("h32grs.dll"), module);  // the file is H32GRS.so
    EXPECT_TRUE(siblings.IsLoaded(module));
    EXPECT_NE(siblings.Function(module, "CreateCWRMENU"), nullptr);
    // The old form library's window procedures are not exported.
    EXPECT_EQ(siblings.Function(module, "StdPVDlgProc"), nullptr);

    EXPECT_EQ(siblings.Load("H32NOTHERE.DLL"), nullptr);
    EXPECT_NE(siblings.LastError().find("H32NOTHERE.DLL"), std::string::npos);
    int local = 0;
    EXPECT_FALSE(siblings.IsLoaded(&local));
    EXPECT_EQ(siblings.Function(&local, "Setup"), nullptr);  // never dlsym on a stranger
}

// A document window that listens to the host, as a position window will.
class NoticeReceiver : public QLabel {
    Q_OBJECT
public:
    QList<QVariantList> notices;
public slots:
    void hostNotice(uint message, qlonglong wparam, QString text) {
        notices << QVariantList{message, wparam, text};
    }
};

class HostPort : public ::testing::Test, private desktop::WithApp {
protected:
    QMainWindow frame_;
    SiblingLibraries siblings_{desktop::ModulesDir()};
    hvx::host::HostPortImpl port_{&frame_, nullptr, siblings_, nullptr};
};

TEST_F(HostPort, LoadMessageAnswersAHandleOrZero) {
    EXPECT_EQ(port_.MainWindow(), &frame_);
    char name[] = "H32GRS.DLL";
    const long handle = port_.SendHostMessage(&frame_, hvx::kMsgLoadModule, 0, name);
    ASSERT_NE(handle, 0);
    void* module = reinterpret_cast<void*>(static_cast<std::intptr_t>(handle));
    EXPECT_TRUE(port_.IsModuleLoaded(module));
    EXPECT_NE(port_.FindSiblingFunction(module, "HVXWhatCanIDo"), nullptr);
    EXPECT_EQ(port_.FindSiblingFunction(module, "NoSuchFunction"), nullptr);

    char missing[] = "H32BKOF.DLL";
    EXPECT_EQ(port_.SendHostMessage(&frame_, hvx::kMsgLoadModule, 0, missing), 0);
    EXPECT_EQ(port_.SendHostMessage(&frame_, hvx::kMsgLoadModule, 0, nullptr), 0);
    // Without a lock service every lock request is refused; unknown messages
    // get 0.
    hvx::LockRequest request{};
    EXPECT_EQ(port_.SendHostMessage(&frame_, hvx::kMsgLock, hvx::kLockTable, &request), 0);
    EXPECT_EQ(port_.SendHostMessage(&frame_, 7001, 0, nullptr), 0);
}

TEST(HostBroadcast, RelaysPositionAndShipmentNoticesToListeningDocuments) {
    desktop::App();
    QMainWindow frame;
    auto* area = new QMdiArea;
    frame.setCentralWidget(area);
    SiblingLibraries siblings(desktop::ModulesDir());
    hvx::host::HostPortImpl port(&frame, area, siblings, nullptr);
    auto* first = new NoticeReceiver;
    auto* second = new NoticeReceiver;
    area->addSubWindow(first);
    area->addSubWindow(new QLabel("deaf"));
    area->addSubWindow(second);

    char key[] = "CORN|MAIN|Priced";
    port.BroadcastToDocuments(hvx::kMsgPositionChanged, 8210, key);
    EXPECT_EQ(port.LastBroadcastReach(), 2);
    port.BroadcastToDocuments(hvx::kMsgDocumentNotice, 0, key);  // 8205 carries no text
    port.BroadcastToDocuments(7000, 0, key);                      // not a notice
    EXPECT_EQ(port.LastBroadcastReach(), 0);
    for (NoticeReceiver* receiver : {first, second}) {
        ASSERT_EQ(receiver->notices.size(), 2);
        EXPECT_EQ(receiver->notices[0], (QVariantList{14001u, 8210LL, QString("CORN|MAIN|Priced")}));
        EXPECT_EQ(receiver->notices[1], (QVariantList{8205u, 0LL, QString()}));
    }
}

TEST(ModuleLoader, StartsTheModuleWithTheHostPort) {
    desktop::App();
    QMainWindow frame;
    SiblingLibraries siblings(desktop::ModulesDir());
    hvx::host::HostPortImpl port(&frame, nullptr, siblings, nullptr);
    hvx::host::ModuleLoader loader(siblings);
    std::string error;
    ASSERT_TRUE(loader.Load(error)) << error;
    ASSERT_TRUE(loader.Start(port, error)) << error;
    EXPECT_TRUE(loader.IsStarted());
    EXPECT_EQ(hvx::CurrentHostPort(), &port);
    EXPECT_STREQ(loader.Entry().HVXWhatCanIDo("REQUIREDDLLS"), "H32016.DLL");
    hvx::SetHostPort(nullptr);
}

TEST(ModuleLoader, MissingModuleOrEntryPointsAreReported) {
    desktop::PrivateFolders folders;
    const fs::path empty = fs::path(folders.Path()) / "empty";
    fs::create_directories(empty);
    SiblingLibraries none(empty.string());
    hvx::host::ModuleLoader loader(none);
    std::string error;
    EXPECT_FALSE(loader.Load(error));
    EXPECT_EQ(error.rfind("The grain settlement module cannot be loaded: No module H32GRS.DLL in ", 0), 0u)
        << error;

    // Another library in the module's place: every entry point is named.
    const fs::path impostor = fs::path(folders.Path()) / "impostor";
    fs::create_directories(impostor);
    fs::copy_file(fs::path(desktop::ModulesDir()) / "HVXCMP32.so", impostor / "H32GRS.so");
    SiblingLibraries wrong(impostor.string());
    hvx::host::ModuleLoader wrongLoader(wrong);
    EXPECT_FALSE(wrongLoader.Load(error));
    EXPECT_EQ(error,
              "The grain settlement module H32GRS lacks the entry points HVXWhatCanIDo, Setup, "
              "Initialize, Terminate, NewSettlement, CreateSourceSettlementMENU, "
              "CreateSourceSettlement, CreateDestSettlementMENU, CreateDestSettlement, "
              "CreateDirShipMENU, CreateCWRMENU, CreateSettlementSearch.");
    EXPECT_FALSE(wrongLoader.IsStarted());
}

TEST(HostOptions, CommandLine) {
    const struct {
        std::vector<std::string> args;
        bool ok;
        const char* database;
        bool demo;
        const char* screenshots;
        const char* error;
    } cases[] = {
        {{}, true, "", false, "", ""},
        {{"--demo", "--screenshot", "/tmp/s"}, true, "", true, "/tmp/s", ""},
        {{"--database", "postgresql://u@h/db"}, true, "postgresql://u@h/db", false, "", ""},
        {{"-platform", "offscreen", "--demo"}, true, "", true, "", ""},  // Qt's own options
        {{"--database"}, false, "", false, "", "harvexa: --database needs a value"},
        {{"--screenshot", ""}, false, "", false, "", "harvexa: --screenshot needs a value"},
        {{"--dmeo"}, false, "", false, "", "harvexa: unknown argument --dmeo (see --help)"},
        {{"grain.db"}, false, "", false, "", "harvexa: unknown argument grain.db (see --help)"},
    };
    for (const auto& c : cases) {
        hvx::host::HostOptions options;
        std::string error;
        EXPECT_EQ(hvx::host::ParseHostOptions(c.args, options, error), c.ok);
        EXPECT_EQ(error, c.error);
        if (!c.ok) continue;
        EXPECT_EQ(options.database, c.database);
        EXPECT_EQ(options.demo, c.demo);
        EXPECT_EQ(options.screenshotDir, c.screenshots);
    }
}

TEST(HostOptions, PathsResolvedBeforeTheWorkingFolderChanges) {
    const std::string here = fs::current_path().string();
    const struct {
        const char* database;
        const char* screenshots;
        std::string wantDatabase, wantScreenshots;
    } cases[] = {
        {"grain.db", "shots", here + "/grain.db", here + "/shots"},
        {"sqlite:data/../grain.db", "", "sqlite:" + here + "/grain.db", ""},
        {"/srv/grain.db", "/tmp/s", "/srv/grain.db", "/tmp/s"},
        {"postgresql://u@h/db", "", "postgresql://u@h/db", ""},
        {"host=/run/postgresql dbname=grain", "", "host=/run/postgresql dbname=grain", ""},
        {":memory:", "", ":memory:", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.database);
        hvx::host::HostOptions options;
        options.database = c.database;
        options.screenshotDir = c.screenshots;
        hvx::host::ResolvePaths(options);
        EXPECT_EQ(options.database, c.wantDatabase);
        EXPECT_EQ(options.screenshotDir, c.wantScreenshots);
    }
}

TEST(ScreenshotTour, FileNamesFromCaptions) {
    EXPECT_EQ(hvx::host::ScreenshotFileName("Enter By Settlement Source"), "Enter By Settlement Source.png");
    EXPECT_EQ(hvx::host::ScreenshotFileName("A/B: C\\D"), "A_B_ C_D.png");
    EXPECT_EQ(hvx::host::ScreenshotFileName("  "), "window.png");
    EXPECT_EQ(hvx::host::ScreenshotFileName("../x"), "window.._x.png");
}

}  // namespace

#include "HostPiecesTest.moc"
