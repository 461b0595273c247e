// harvexa-admin: arguments, exit codes, messages, commands, all-or-nothing seed.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "data/Schema.h"
#include "harvexa-admin/AdminCommands.h"
#include "harvexa-admin/CommandLine.h"
#include "data/demo/DemoSeed.h"
#include "platform/Engine.h"
#include "platform/Session.h"
#include "support/TestDatabase.h"
#include "tools/AdminRun.h"

namespace {

namespace fs = std::filesystem;
using hvxtest::Column;
using hvxtest::Rows;

using hvxtest::Admin;
using Result = hvxtest::AdminResult;

TEST(AdminCommandLine, UsageErrorsAreOneLineWithExitCodeTwoAndHelpGoesToStandardOutput) {
    // clang-format off
    const struct { std::vector<std::string> args; std::string err; } cases[] = {
        {{}, "harvexa-admin: no command given."},
        {{"bad\x1b[2Jname", "x.db"}, "harvexa-admin: unknown command \"bad?[2Jname\"."},
        {{"init", ""}, "harvexa-admin: init: a database is required."},
        {{"init", "a.db", "b.db"}, "harvexa-admin: init: unexpected argument \"b.db\"."},
        {{"seed-demo", "a.db", "--force"}, "harvexa-admin: seed-demo: unknown option \"--force\"."},
        {{"demo", "a.db", "b.db"}, "harvexa-admin: demo: unexpected argument \"b.db\"."}};
    // clang-format on
    for (const auto& c : cases) {
        const Result r = Admin(c.args);
        EXPECT_EQ(r.code, hvx::admin::kExitUsage) << c.err;
        EXPECT_EQ(r.err, c.err + " See \"harvexa-admin --help\".\n");
        EXPECT_EQ(r.out, "");
    }
    EXPECT_FALSE(hvx::Session::IsOpen());
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--help"}, {"help"}, {"init", "x.db", "-h"}}) {
        const Result r = Admin(args);
        EXPECT_EQ(r.code, 0);
        EXPECT_EQ(r.out, hvx::admin::UsageText());
        EXPECT_EQ(r.err, "");
    }
    // The built program answers with the same exit codes.
    const fs::path program = fs::read_symlink("/proc/self/exe").parent_path() / "harvexa-admin";
    if (!fs::exists(program)) GTEST_SKIP() << program << " is not built";
    const int help = std::system((program.string() + " --help >/dev/null").c_str());
    EXPECT_TRUE(WIFEXITED(help) && WEXITSTATUS(help) == 0);
    const int unknown = std::system((program.string() + " frobnicate 2>/dev/null").c_str());
    EXPECT_TRUE(WIFEXITED(unknown) && WEXITSTATUS(unknown) == 2);
}

TEST(AdminCommandLine, UnreachableDatabasesFailWithOneLine) {
    const std::string missing = (fs::temp_directory_path() /
                                 ("harvexa-admin-missing-" + std::to_string(::getpid()) + ".db"))
                                    .string();
    // clang-format off
    const struct { std::vector<std::string> args; std::string errStart; } cases[] = {
        {{"summary", "host=/nonexistent-harvexa-socket user=x dbname=x connect_timeout=2"},
         "harvexa-admin summary: Cannot connect to the PostgreSQL server: "},
        {{"init", "/nonexistent-harvexa/x.db"},
         "harvexa-admin init: Cannot open database /nonexistent-harvexa/x.db"},
        {{"seed-demo", "sqlite:" + missing},
         "harvexa-admin seed-demo: The database file " + missing + " does not exist."}};
    // clang-format on
    for (const auto& c : cases) {
        const Result r = Admin(c.args);
        EXPECT_EQ(r.code, hvx::admin::kExitFailed) << c.errStart;
        EXPECT_EQ(r.err.rfind(c.errStart, 0), 0u) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
    EXPECT_FALSE(fs::exists(missing)) << "a mistyped path must not leave a file behind";
}

// A folder of its own, and the bytes of a file in it.
struct Scratch {
    const fs::path folder = fs::temp_directory_path() / ("harvexa-files-" + std::to_string(getpid()));
    Scratch() { fs::create_directories(folder); }
    ~Scratch() { fs::remove_all(folder); }
    std::string operator/(const char* name) const { return (folder / name).string(); }
    std::string Bytes(const char* name) const {
        std::ifstream in(folder / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
};

TEST(AdminFiles, FilesThatAreNoHarvexaDatabaseStayAsTheyAreAndOnlyACreatedOneGetsWal) {
    Scratch s;
    std::ofstream(s / "empty.db").flush();
    std::string error;  // a SQLite database in the old journal mode, but not Harvexa's
    auto foreign = hvx::OpenEngine(s / "foreign.db", error, hvx::OpenMode::Create);
    ASSERT_TRUE(foreign->ExecScript("PRAGMA journal_mode=DELETE; CREATE TABLE T (A)", error));
    foreign.reset();
    const std::string before = s.Bytes("empty.db") + "|" + s.Bytes("foreign.db");
    for (const char* command : {"summary", "seed-demo", "upgrade", "check"})
        for (const char* file : {"empty.db", "foreign.db"}) Admin({command, s / file});
    EXPECT_TRUE(s.Bytes("empty.db") + "|" + s.Bytes("foreign.db") == before) << "changed";
    // A name with "=" that is no conninfo is a file; init creates it in WAL mode.
    EXPECT_EQ(Admin({"init", s / "a=b.db"}).code, 0);
    EXPECT_EQ(s.Bytes("a=b.db").find("\2\2", 18), 18u) << "the file format of WAL";
    EXPECT_EQ(std::distance(fs::directory_iterator(s.folder), {}), 3) << "no -wal or -shm beside";
}

TEST(AdminFiles, ReadOnlyFoldersAreSummarisedAndDamagedPagesFailCheckAndSummary) {
    Scratch s;
    const std::string db = s / "demo.db", folder = s.folder.string();
    ASSERT_EQ(Admin({"init", db}).code + Admin({"seed-demo", db}).code, 0);
    // Root writes anywhere; only an immutable folder refuses it new files.
    ASSERT_EQ(std::system(("chattr +i " + folder).c_str()), 0);
    const Result summary = Admin({"summary", db}), check = Admin({"check", db});
    std::system(("chattr -i " + folder).c_str());
    EXPECT_EQ(summary.code + check.code, 0) << summary.err << check.err;
    std::fstream(db, std::ios::in | std::ios::out | std::ios::binary).seekp(90 * 4096)
        << std::string(16 * 4096, '\xa5');
    for (const std::string command : {"check", "summary"}) {
        const Result r = Admin({command, db});
        EXPECT_EQ(r.code, 1) << command;
        EXPECT_EQ(r.err.find("harvexa-admin " + command + ": The "), 0u) << r.err;
        EXPECT_NE(r.err.find(" found faults in SQLite database " + db + ":\n  "), std::string::npos);
    }
}

class AdminCommands : public hvxtest::DatabaseTest {
protected:
    Result Command(const std::vector<std::string>& args) {
        std::vector<std::string> full{args.front(), connection_};
        full.insert(full.end(), args.begin() + 1, args.end());
        const Result r = Admin(full);
        EXPECT_FALSE(hvx::Session::IsOpen()) << "every command closes its session";
        return r;
    }
    void Reopen() {
        std::string error;
        ASSERT_TRUE(hvx::Session::Open(connection_, error, hvx::OpenMode::Create)) << error;
    }
    // Starts from a database without any table.
    void Empty() {
        hvx::Session::Close();
        connection_ = hvxtest::FreshDatabase(GetParam());
        Reopen();  // creates the empty SQLite file
    }
};
HVX_DATABASE_TEST_SUITE(AdminCommands);

TEST_P(AdminCommands, InitRefusesAPopulatedDatabaseUnlessForced) {
    ASSERT_EQ(Command({"seed-demo"}).code, 0);
    const Result refused = Command({"init"});
    EXPECT_EQ(refused.code, 1);
    EXPECT_EQ(refused.err,
              "harvexa-admin init: The database already holds Harvexa tables (HVXGR04 found); use "
              "--force to drop and recreate them.\n");
    Reopen();
    EXPECT_EQ(Column("SELECT COUNT(*) FROM HVXAR50"), std::vector<std::string>{"9"});

    const Result forced = Command({"init", "--force"});
    EXPECT_EQ(forced.code, 0) << forced.err;
    EXPECT_EQ(forced.out.rfind("Dropped the existing Harvexa tables.\nCreated the Harvexa schema, "
                               "version 3",
                               0),
              0u)
        << forced.out;
    Reopen();
    EXPECT_EQ(Column("SELECT COUNT(*) FROM HVXAR50"), std::vector<std::string>{"0"});
    EXPECT_EQ(hvx::data::StoredSchemaVersion(), 3);
}

TEST_P(AdminCommands, UpgradeSaysWhatItDidAndEveryCommandRefusesAMissingOrNewerSchema) {
    Empty();
    hvx::Session::Close();
    for (const char* command : {"seed-demo", "summary", "upgrade"}) {
        const Result r = Command({command});
        EXPECT_EQ(r.code, 1);
        EXPECT_EQ(r.err, std::string("harvexa-admin ") + command +
                             ": This database holds no Harvexa tables. Create them with: "
                             "harvexa-admin init <database>\n");
    }
    Reopen();
    std::string error;
    ASSERT_TRUE(hvx::data::CreateSchemaUpTo(1, error)) << error;
    hvx::Session::Close();
    Result r = Command({"upgrade"});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "Schema upgraded from version 1 to 3.\n");
    r = Command({"upgrade"});
    EXPECT_EQ(r.out, "Schema is already at version 3.\n");

    Reopen();
    hvxtest::Exec("UPDATE HVXSCHEMA SET VERSION = 99");
    hvx::Session::Close();
    r = Command({"upgrade"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err,
              "harvexa-admin upgrade: This database has schema version 99, newer than this "
              "program understands (version 3). Use a newer Harvexa program.\n");
}

TEST_P(AdminCommands, SeedDemoThenSummary) {
    Result r = Command({"seed-demo"});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "Seeded the demo cooperative: 9 customers, 10 assemblies, 11 settlements.\n");
    r = Command({"seed-demo"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err,
              "harvexa-admin seed-demo: The database already holds data (11 rows in HVXGR04); "
              "demo data is only seeded into an empty database.\n");

    r = Command({"summary"});
    EXPECT_EQ(r.code, 0) << r.err;
    for (const char* line : {
             "\nCustomers: 9, 7 with grain delivered\n",
             "\n  Installment Sale     1 contract        3,000.0000 units\n",
             "\nOpen advances: 3, $5,200.00 outstanding\n",
             "\nSettlements: 11, next number 12; next check number 10249\n",
         })
        EXPECT_NE(r.out.find(line), std::string::npos) << line << "\nin:\n" << r.out;
    EXPECT_EQ(r.out.find("HVXGR07 "), std::string::npos) << "empty tables are not listed";
    r = Command({"check"});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out.rfind("ok: ", 0), 0u) << r.out;
}

// A password in the connection text shows in no output: not when libpq's
// message quotes it, not in a stray argument, not after success.
TEST_P(AdminCommands, NoOutputShowsThePassword) {
    const std::string secret = "Hvx5ecret", nowhere = "host=/nonexistent-harvexa-socket";
    std::vector<std::vector<std::string>> runs{{"summary", "host=/x", "password=" + secret}};
    for (const char* command : {"init", "upgrade", "seed-demo", "summary", "demo"}) {
        runs.push_back({command, nowhere + " password='a b\\'" + secret + "'"});
        runs.push_back({command, "postgresql://ann:" + secret + "%zz@/x"});
        if (GetParam() == hvxtest::Backend::PostgreSQL)
            runs.push_back({command, connection_ + " password=" + secret});
    }
    std::string shown;
    for (const auto& args : runs) {
        const Result r = Admin(args);
        shown += r.out + r.err;
    }
    EXPECT_EQ(shown.find(secret), std::string::npos) << shown;
    EXPECT_NE(shown.find("unexpected argument \"password=****\"."), std::string::npos) << shown;
}

// Every row of every table, in a fixed order.
std::map<std::string, std::vector<std::string>> Snapshot() {
    std::map<std::string, std::vector<std::string>> all;
    for (const hvx::data::TableDesc& table : hvx::data::AllTables()) {
        std::string order;
        for (size_t i = 1; i <= table.columns.size(); ++i)
            order += (i > 1 ? "," : "") + std::to_string(i);
        all[table.name] = Rows(std::string("SELECT * FROM ") + table.name + " ORDER BY " + order);
    }
    return all;
}

// A failing statement fails the seed and leaves every table as it was, or (in
// the next-number service, which retries) is recovered from and the seed is
// complete. Never half of it. A second seed is refused and changes nothing.
TEST_P(AdminCommands, DemoSeedFailingAnywhereLeavesNothingHalfSeeded) {
    const long start = hvx::Session::StatementsRun();
    std::string error;
    ASSERT_TRUE(hvx::demo::SeedDemoData(error)) << error;
    const long total = hvx::Session::StatementsRun() - start;
    const auto full = Snapshot();
    EXPECT_FALSE(hvx::demo::SeedDemoData(error));
    EXPECT_EQ(Snapshot(), full);
    const auto counts = [] {
        std::map<std::string, size_t> rows;
        for (const auto& [table, all] : Snapshot()) rows[table] = all.size();
        return rows;
    };
    const auto seeded = counts();
    auto reset = [&] {
        ASSERT_TRUE(hvx::data::DropSchema(error) && hvx::data::CreateSchema(error)) << error;
    };
    reset();
    const auto pristine = Snapshot();
    std::vector<long> points;
    for (long n = 1; n < total - 1; n += std::max(1L, total / 16)) points.push_back(n);
    points.push_back(total - 1);  // the last insert
    points.push_back(total);      // the commit
    for (long n : points) {
        hvx::Session::FailStatementForTesting(n);
        error.clear();
        const bool ok = hvx::demo::SeedDemoData(error);
        hvx::Session::FailStatementForTesting(0);
        EXPECT_FALSE(hvx::Session::InTransaction()) << n;
        if (n >= total - 1) {
            EXPECT_FALSE(ok) << "failing statement " << n;
        }
        if (ok) {
            EXPECT_EQ(counts(), seeded) << "failing statement " << n;
            reset();
        } else {
            EXPECT_FALSE(error.empty()) << n;
            EXPECT_EQ(Snapshot(), pristine) << "failing statement " << n << ": " << error;
        }
    }
}

// The engine refuses one table's rows (PostgreSQL then aborts the transaction).
TEST_P(AdminCommands, DemoSeedRefusedByAnyTableRollsEverythingBack) {
    const bool pg = GetParam() == hvxtest::Backend::PostgreSQL;
    if (pg)
        hvxtest::Exec(
            "CREATE OR REPLACE FUNCTION HVXREFUSE() RETURNS trigger AS $$ BEGIN "
            "RAISE EXCEPTION 'insert refused'; END $$ LANGUAGE plpgsql");
    const auto pristine = Snapshot();
    for (const std::string table : {"HVXGR40", "HVXAR50", "HVXGR04D", "HVXGR04F", "HVXGR57A"}) {
        hvxtest::Exec(pg ? "CREATE TRIGGER HVXREFUSE BEFORE INSERT ON " + table +
                               " FOR EACH ROW EXECUTE FUNCTION HVXREFUSE()"
                         : "CREATE TRIGGER HVXREFUSE BEFORE INSERT ON " + table +
                               " BEGIN SELECT RAISE(ABORT, 'insert refused'); END");
        std::string error;
        EXPECT_FALSE(hvx::demo::SeedDemoData(error)) << table;
        EXPECT_EQ(error.rfind("Demo data not seeded, nothing was written: Unable to insert into " +
                                  table + ": ",
                              0),
                  0u)
            << error;
        EXPECT_NE(error.find("insert refused"), std::string::npos) << error;
        hvxtest::Exec(pg ? "DROP TRIGGER HVXREFUSE ON " + table : "DROP TRIGGER HVXREFUSE");
        EXPECT_EQ(Snapshot(), pristine) << table;
    }
}

// The demo database is the program's own: one left by an earlier version is
// brought up to date when opened, its rows kept.
TEST(DemoDatabase, AnOlderDemoIsUpgradedOnOpen) {
    const std::string file = (fs::temp_directory_path() /
                              ("harvexa-old-demo-" + std::to_string(getpid()) + ".db")).string();
    std::string error;
    ASSERT_TRUE(hvx::Session::Open("sqlite:" + file, error, hvx::OpenMode::Create)) << error;
    // A demo seeded, then taken back to version 2 (without its open-advance index).
    ASSERT_TRUE(hvx::data::CreateSchema(error) && hvx::demo::SeedDemoData(error) &&
                hvx::Session::Get()->ExecScript(
                    "DROP INDEX IX_HVXGR57_OPENPAID; UPDATE HVXSCHEMA SET VERSION = 2", error))
        << error;
    const std::vector<std::string> customers = Column("SELECT REFERENCE FROM HVXAR50 ORDER BY 1");
    hvx::Session::Close();
    bool created = true;
    EXPECT_TRUE(hvx::demo::OpenDemoDatabase("sqlite:" + file, created, error)) << error;
    EXPECT_FALSE(created);
    EXPECT_EQ(hvx::data::StoredSchemaVersion(), hvx::data::ProgramSchemaVersion());
    EXPECT_EQ(Column("SELECT REFERENCE FROM HVXAR50 ORDER BY 1"), customers);
    hvx::Session::Close();
    fs::remove(file);
}

}  // namespace
