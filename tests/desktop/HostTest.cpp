// The host: siblings by suite file name, the port's messages and broadcasts, the
// Grain menu, and the program run as a user starts it, with the database it picks.
#include <cstdint>
#include <filesystem>
#include <fstream>

#include "DesktopSupport.h"
#include "host/app/HostPortImpl.h"
#include "host/app/HostWindow.h"
#include "host/app/ModuleLoader.h"
#include "host/app/SiblingLibraries.h"
#include "platform/ProfileFile.h"
#include "platform/Session.h"
#include "support/TestDatabase.h"
#include "abi/LockRequest.h"

namespace {

namespace fs = std::filesystem;
using hvx::host::SiblingLibraries;

TEST(SiblingNames, NamesThatLeaveTheModulesFolderMapToNoLibrary) {
    for (const char* name : {"", ".DLL", "..", "../H32GRR.DLL", "C:\\SUITE\\H32GRR.DLL"})
        EXPECT_EQ(hvx::host::SiblingFileName(name), "") << name;
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

class HostFrame : public ::testing::Test, private desktop::WithApp {
protected:
    void TearDown() override { hvx::SetHostPort(nullptr); }

    hvx::host::HostWindow frame_;
    QMdiArea* area_ = frame_.Area();
    SiblingLibraries siblings_{desktop::ModulesDir()};
    hvx::host::HostPortImpl port_{&frame_, area_, siblings_, nullptr};
    hvx::host::ModuleLoader loader_{siblings_};
};

TEST_F(HostFrame, LoadMessageLoadsSiblingsByAnyFormOfTheName) {
    const auto load = [&](std::string name) {
        const long handle = port_.SendHostMessage(&frame_, hvx::kMsgLoadModule, 0, name.data());
        return reinterpret_cast<void*>(static_cast<std::intptr_t>(handle));
    };
    void* module = load("H32GRS.DLL");
    ASSERT_NE(module, nullptr) << siblings_.LastError();
    EXPECT_EQ(load("H32GRS"), module);
    EXPECT_EQ(load("h32grs.Dll"), module);  // the file is H32GRS.so
    EXPECT_NE(port_.FindSiblingFunction(module, "CreateCWRMENU"), nullptr);
    // The receipts window asks for the reports sibling without ".DLL", the
    // settlement windows with it: one library answers both.
    void* reports = load("H32GRR");
    ASSERT_NE(reports, nullptr) << siblings_.LastError();
    EXPECT_EQ(load("H32GRR.DLL"), reports);
    for (const char* report : {"DoCWRReport", "DoPrintSettlementContractEx",
                               "DoPrintInstallmentSaleContract", "DoOneAssemblySheetEx"})
        EXPECT_NE(port_.FindSiblingFunction(reports, report), nullptr) << report;
    EXPECT_EQ(load("H32NOTHERE.DLL"), nullptr);
    EXPECT_NE(siblings_.LastError().find("H32NOTHERE.DLL"), std::string::npos);
    int stranger = 0;  // never dlsym on a handle it did not load
    EXPECT_TRUE(port_.IsModuleLoaded(module) && !port_.IsModuleLoaded(&stranger));
    EXPECT_EQ(port_.FindSiblingFunction(&stranger, "Setup"), nullptr);
    // No name, no library; without a lock service every lock request is
    // refused; unknown messages get 0.
    hvx::LockRequest request{};
    EXPECT_EQ(port_.SendHostMessage(&frame_, hvx::kMsgLoadModule, 0, nullptr), 0);
    EXPECT_EQ(port_.SendHostMessage(&frame_, hvx::kMsgLock, hvx::kLockTable, &request), 0);
    EXPECT_EQ(port_.SendHostMessage(&frame_, 7001, 0, nullptr), 0);
}

TEST_F(HostFrame, RelaysPositionAndShipmentNoticesToListeningDocuments) {
    auto* listening = new NoticeReceiver;
    area_->addSubWindow(new QLabel("deaf"));
    area_->addSubWindow(listening);
    char key[] = "CORN|MAIN|Priced";
    port_.BroadcastToDocuments(hvx::kMsgPositionChanged, 8210, key);
    EXPECT_EQ(port_.LastBroadcastReach(), 1);
    port_.BroadcastToDocuments(hvx::kMsgDocumentNotice, 0, key);  // 8205 carries no text
    port_.BroadcastToDocuments(7000, 0, key);                     // not a notice
    EXPECT_EQ(port_.LastBroadcastReach(), 0);
    EXPECT_EQ(listening->notices,
              (QList<QVariantList>{{14001u, 8210LL, "CORN|MAIN|Priced"}, {8205u, 0LL, QString()}}));
}

QStringList Texts(QMenu* menu) {
    QStringList texts;
    for (QAction* action : menu->actions())
        texts << (action->isSeparator() ? "-" : action->text() + (action->isChecked() ? " *" : ""));
    return texts;
}

TEST_F(HostFrame, GrainMenuWaitsForTheModuleAndWindowMenuListsWhatItOpened) {
    std::string error;
    ASSERT_TRUE(loader_.Load(error)) << error;
    ASSERT_TRUE(loader_.Start(port_, error)) << error;
    EXPECT_TRUE(loader_.IsStarted());
    EXPECT_EQ(hvx::CurrentHostPort(), &port_) << "the module is started with the host port";
    frame_.show();
    QMap<QString, QMenu*> menus;
    for (QMenu* menu : frame_.menuBar()->findChildren<QMenu*>()) menus[menu->title()] = menu;
    QMenu *grain = menus.value("&Grain"), *windows = menus.value("&Window");
    ASSERT_TRUE(grain && windows);
    EXPECT_EQ(Texts(grain),
              (QStringList{"Enter By Settlement &Source", "Enter By Settlement &Destination",
                           "&New Settlement...", "Settlement S&earch...", "Direct S&hipment",
                           "&Collateral Warehouse Receipts"}));
    for (QAction* action : grain->actions()) EXPECT_FALSE(action->isEnabled());

    frame_.SetModule(&loader_.Entry());
    for (QAction* action : grain->actions()) EXPECT_TRUE(action->isEnabled());
    grain->actions().at(0)->trigger();
    grain->actions().at(5)->trigger();
    // The Window menu lists them, the active one checked; choosing one brings it to the front.
    emit windows->aboutToShow();
    windows->actions().at(6)->trigger();
    emit windows->aboutToShow();
    EXPECT_EQ(Texts(windows),
              (QStringList{"&Cascade", "&Tile", "-", "Cl&ose", "Close &All", "-",
                           "&1 Enter By Settlement Source *", "&2 Collateral Warehouse Receipts"}));
}

using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

// The exit code and what the program wrote to standard error and output: "2: harvexa: ...".
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
    const QByteArray said = process.readAllStandardError() + process.readAllStandardOutput();
    return std::to_string(code) + ": " + said.toStdString();
}

TEST(HostRun, ScreenshotOfEveryGrainWindowInTheDemoDatabaseRememberedForNextTime) {
    desktop::PrivateFolders folders;
    const QString shots = QString::fromStdString(folders.Path() + "/shots");
    ASSERT_THAT(Harvexa({"--demo", "--screenshot", shots}, folders.Path()), StartsWith("0: "));
    const QStringList files = QDir(shots).entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(files.join("|").toStdString(),
              "Change Check Number.png|Change Interest Terms.png|"
              "Change Service Charge Terms.png|Change Storage Terms.png|"
              "Collateral Warehouse Receipts - Filled.png|"
              "Collateral Warehouse Receipts.png|Create New Settlement 2.png|"
              "Create New Settlement 3.png|Create New Settlement.png|"
              "Direct Shipment - Two Loads.png|Direct Shipment.png|"
              "Enter By Settlement Destination - Settlement 11.png|"
              "Enter By Settlement Destination - Sources.png|"
              "Enter By Settlement Destination.png|Enter By Settlement Source - Print.png|"
              "Enter By Settlement Source - Settlement 9.png|Enter By Settlement Source.png|"
              "Price Page.png|Search For Settlements - Filled.png|Search For Settlements.png|"
              "Select Scale Ticket(s) to Settle.png|"
              "Settlement Search Results.png|Storage Terms.png");
    for (const QString& file : files)
        EXPECT_FALSE(QImage(shots + "/" + file).isNull()) << file.toStdString();
    // No profile value yet: the results window has its default size.
    EXPECT_EQ(QImage(shots + "/Settlement Search Results.png").size(), QSize(590, 376));
    // The installation file is found in the program's folder.
    EXPECT_TRUE(fs::exists(fs::path(HARVEXA_EXECUTABLE).parent_path() / "HVX32.INI"));
    // The demo database, made on first use, is remembered and opens by itself next time.
    EXPECT_EQ(GetPrivateProfileString("Host", "Database", "", hvx::LocalProfilePath()),
              folders.Path() + "/data/harvexa/demo.db");
    EXPECT_THAT(Harvexa({"--screenshot", shots + "/again"}, folders.Path()), StartsWith("0: "));
}

// Each refusal comes before any window: --screenshot keeps message boxes away.
TEST(HostRun, RefusesClearlyWithoutADisplayADatabaseOrAGoodCommandLine) {
    desktop::PrivateFolders folders;
    const std::string missing = folders.Path() + "/missing.db",
                      other = folders.Path() + "/other.db";
    std::string error;
    ASSERT_TRUE(hvx::Session::Open(other, error, hvx::OpenMode::Create)) << error;  // not Harvexa's
    hvx::Session::Close();
    const auto run = [&](QStringList args, bool display = true) {
        return Harvexa(args << "--screenshot"
                            << "shots",
                       folders.Path(), display);
    };
    EXPECT_THAT(run({"--demo"}, false), StartsWith("2: harvexa: no display:"));
    EXPECT_EQ(run({"--dmeo"}), "2: harvexa: unknown argument --dmeo (see --help)\n");
    EXPECT_EQ(run({}),
              "1: harvexa: No database chosen: start harvexa with --database "
              "CONNECTION, or with --demo for the demo database.\n");
    // A mistyped file is refused and not made; a relative path means the folder started in.
    EXPECT_EQ(run({"--database", QString::fromStdString(missing)}),
              "1: harvexa: Cannot open the database " + missing + ": The database file " + missing +
                  " does not exist.\n");
    EXPECT_FALSE(fs::exists(missing));
    // A name starting with ":" is a file all the same; only ":memory:" is not.
    const std::string colon = fs::current_path().string() + "/:oops.db";
    EXPECT_EQ(run({"--database", ":oops.db"}), "1: harvexa: Cannot open the database " + colon +
                                                   ": The database file " + colon +
                                                   " does not exist.\n");
    EXPECT_FALSE(fs::exists(fs::path(HARVEXA_EXECUTABLE).parent_path() / ":oops.db"));
    EXPECT_THAT(run({"--database", "sqlite:data/../missing.db"}),
                HasSubstr("sqlite:" + fs::current_path().string() + "/missing.db: "));
    EXPECT_THAT(run({"--database", QString::fromStdString(other)}),
                StartsWith("1: harvexa: Cannot open the database " + other + ": "));
    // A modules folder without the module.
    const QByteArray modules = qgetenv("HARVEXA_MODULES_DIR");
    qputenv("HARVEXA_MODULES_DIR", QByteArray::fromStdString(folders.Path()));
    EXPECT_EQ(run({"--demo"}),
              "1: harvexa: The grain settlement module cannot be loaded: No module "
              "H32GRS.DLL in " +
                  folders.Path() + "\n");
    qputenv("HARVEXA_MODULES_DIR", modules);
}

// A PostgreSQL password shows nowhere: not in a failure, not on standard
// output, not in any file under the configuration folder; the remembered
// connection opens without it.
TEST(HostRun, NeverShowsNorStoresAPostgresPassword) {
    desktop::PrivateFolders folders;
    const QString secret = "Hvx5ecret", nowhere = "host=/nonexistent-harvexa-socket";
    const QString shots = QString::fromStdString(folders.Path() + "/shots");
    std::string shown;
    const auto run = [&](QStringList args) {
        const std::string said = Harvexa(args << "--screenshot" << shots, folders.Path());
        shown += said;
        return said.substr(0, 3);
    };
    for (const QString& database : QStringList{nowhere + " password='a b\\'" + secret + "'",
                                               "postgresql://ann:" + secret + "%zz@/x?" + nowhere})
        EXPECT_EQ(run({"--database", database}), "1: ");
    EXPECT_EQ(run({"--database", nowhere, "password=" + secret}), "2: ");
    if (hvxtest::Backends().size() > 1) {
        const auto pg = hvxtest::FreshDatabase(hvxtest::Backend::PostgreSQL) + " password=";
        EXPECT_EQ(run({"--demo", "--database", QString::fromStdString(pg) + secret}), "0: ");
        EXPECT_EQ(run({}), "0: ") << "the remembered database";
    }
    // Without a server nothing was opened, so nothing may have been written.
    std::error_code none;
    for (const auto& entry : fs::recursive_directory_iterator(folders.Path() + "/config", none)) {
        std::ifstream in(entry.path());
        if (entry.is_regular_file()) shown.append(std::istreambuf_iterator<char>(in), {});
    }
    EXPECT_THAT(shown, Not(HasSubstr(secret.toStdString())));
    EXPECT_THAT(shown, HasSubstr("1: harvexa: Cannot open the database " + nowhere.toStdString() +
                                 " password=****: "));
}

}  // namespace

#include "HostTest.moc"
