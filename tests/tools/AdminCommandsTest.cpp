// harvexa-admin: argument handling, exit codes, messages, and what each
// command does to a database.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "data/Schema.h"
#include "harvexa-admin/AdminCommands.h"
#include "harvexa-admin/CommandLine.h"
#include "harvexa-admin/DemoSeed.h"
#include "platform/Session.h"
#include "support/TestDatabase.h"

namespace {

namespace fs = std::filesystem;
using hvxtest::Column;

struct Result {
    int code;
    std::string out, err;
};

Result Admin(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int code = hvx::admin::RunCommandLine(args, out, err);
    return {code, out.str(), err.str()};
}

// A folder of its own for each test that writes files.
fs::path TempFolder(const std::string& name) {
    const fs::path folder =
        fs::temp_directory_path() / ("harvexa-admin-" + std::to_string(::getpid()) + "-" + name);
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

TEST(AdminCommandLine, UsageErrorsAreOneLineWithExitCodeTwoAndHelpGoesToStandardOutput) {
    // clang-format off
    const struct { std::vector<std::string> args; std::string err; } cases[] = {
        {{}, "harvexa-admin: no command given."},
        {{"bad\x1b[2Jname", "x.db"}, "harvexa-admin: unknown command \"bad?[2Jname\"."},
        {{"init", ""}, "harvexa-admin: init: a database is required."},
        {{"init", "a.db", "b.db"}, "harvexa-admin: init: unexpected argument \"b.db\"."},
        {{"seed-demo", "a.db", "--force"}, "harvexa-admin: seed-demo: unknown option \"--force\"."},
        {{"upgrade"}, "harvexa-admin: upgrade: a database is required."},
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
    const fs::path folder = TempFolder("unreachable");
    const std::string missing = (folder / "missing.db").string();
    // clang-format off
    const struct { std::vector<std::string> args; std::string errStart; } cases[] = {
        {{"summary", "host=/nonexistent-harvexa-socket user=x dbname=x connect_timeout=2"},
         "harvexa-admin summary: Cannot connect to the PostgreSQL server: "},
        {{"seed-demo", "sqlite:" + missing},
         "harvexa-admin seed-demo: The database file " + missing + " does not exist."},
        {{"demo", "/proc/harvexa-demo/demo.db"},
         "harvexa-admin demo: Cannot create the folder /proc/harvexa-demo: "}};
    // clang-format on
    for (const auto& c : cases) {
        const Result r = Admin(c.args);
        EXPECT_EQ(r.code, hvx::admin::kExitFailed) << c.errStart;
        EXPECT_EQ(r.err.rfind(c.errStart, 0), 0u) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
    EXPECT_FALSE(fs::exists(missing)) << "a mistyped path must not leave a file behind";
    fs::remove_all(folder);
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
        ASSERT_TRUE(hvx::Session::Open(connection_, error)) << error;
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
                               "version 2",
                               0),
              0u)
        << forced.out;
    Reopen();
    EXPECT_EQ(Column("SELECT COUNT(*) FROM HVXAR50"), std::vector<std::string>{"0"});
    EXPECT_EQ(hvx::data::StoredSchemaVersion(), 2);
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
    EXPECT_EQ(r.out, "Schema upgraded from version 1 to 2.\n");
    r = Command({"upgrade"});
    EXPECT_EQ(r.out, "Schema is already at version 2.\n");

    Reopen();
    hvxtest::Exec("UPDATE HVXSCHEMA SET VERSION = 99");
    hvx::Session::Close();
    r = Command({"upgrade"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err,
              "harvexa-admin upgrade: This database has schema version 99, newer than this "
              "program understands (version 2). Use a newer Harvexa program.\n");
}

TEST_P(AdminCommands, SeedDemoThenSummary) {
    Result r = Command({"seed-demo"});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "Seeded the demo cooperative: 9 customers, 9 assemblies, 10 settlements.\n");
    r = Command({"seed-demo"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err.rfind("harvexa-admin seed-demo: The database already holds data", 0), 0u)
        << r.err;

    r = Command({"summary"});
    EXPECT_EQ(r.code, 0) << r.err;
    for (const char* line : {
             "\n  SOYBEANS  Yellow Soybeans No. 1 (BU, 60 lb)\n",
             "\nCustomers: 9, 7 with grain delivered\n",
             "\n  Installment Sale     1 contract        3,000.0000 units\n",
             "\nOpen advances: 3, $5,200.00 outstanding\n",
             "\nSettlements: 10, next number 11; next check number 10248\n",
         })
        EXPECT_NE(r.out.find(line), std::string::npos) << line << "\nin:\n" << r.out;
    EXPECT_EQ(r.out.find("HVXGR07 "), std::string::npos) << "empty tables are not listed";
}

}  // namespace
