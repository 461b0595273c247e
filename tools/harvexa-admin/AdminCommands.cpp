#include "harvexa-admin/AdminCommands.h"

#include <sstream>

#include "data/Schema.h"
#include "data/DatabaseFacts.h"
#include "harvexa-admin/DatabaseCheck.h"
#include "harvexa-admin/DatabaseSummary.h"
#include "data/demo/DemoSeed.h"
#include "platform/ConnectionPassword.h"
#include "platform/Session.h"

namespace hvx::admin {
namespace {

// The session of one command: closed on every way out.
class CommandSession {
public:
    ~CommandSession() { Session::Close(); }
    // Only init may create a SQLite file: any other command given a
    // mistyped path would otherwise leave an empty database file behind.
    bool Open(const std::string& database, std::string& error, OpenMode mode) {
        return Session::Open(database, error, mode);
    }
};

int Failed(std::ostream& err, const char* command, const std::string& message) {
    err << "harvexa-admin " << command << ": " << MaskPasswords(OneLine(message)) << "\n";
    return kExitFailed;
}

// The findings of a check, one per line under the line that names the check.
int FailedCheck(std::ostream& err, const char* command, const CheckResult& result) {
    err << "harvexa-admin " << command << ": The " << result.checked << " found faults in "
        << Session::Get()->Describe() << ":\n";
    // A finding may span lines itself (SQLite gives one row of many pages).
    for (const std::string& finding : result.findings) {
        std::istringstream lines(finding);
        for (std::string line; std::getline(lines, line);)
            if (!line.empty()) err << "  " << line << "\n";
    }
    return kExitFailed;
}

}  // namespace

int InitCommand(const std::string& database, bool force, std::ostream& out, std::ostream& err) {
    CommandSession session;
    std::string error;
    if (!session.Open(database, error, OpenMode::Create)) return Failed(err, "init", error);
    const std::string found = FirstHarvexaTable();
    if (!found.empty()) {
        if (!force)
            return Failed(err, "init",
                          "The database already holds Harvexa tables (" + found +
                              " found); use --force to drop and recreate them.");
        if (!data::DropSchema(error)) return Failed(err, "init", error);
        out << "Dropped the existing Harvexa tables.\n";
    }
    if (!data::CreateSchema(error)) return Failed(err, "init", error);
    out << "Created the Harvexa schema, version " << data::ProgramSchemaVersion() << ", in "
        << Session::Get()->Describe() << ".\n";
    return kExitOk;
}

int UpgradeCommand(const std::string& database, std::ostream& out, std::ostream& err) {
    CommandSession session;
    std::string error;
    if (!session.Open(database, error, OpenMode::Existing)) return Failed(err, "upgrade", error);
    int from = 0, to = 0;
    if (!data::UpgradeSchema(error, &from, &to)) return Failed(err, "upgrade", error);
    if (from == to)
        out << "Schema is already at version " << to << ".\n";
    else
        out << "Schema upgraded from version " << from << " to " << to << ".\n";
    return kExitOk;
}

int SeedDemoCommand(const std::string& database, std::ostream& out, std::ostream& err) {
    CommandSession session;
    std::string error;
    if (!session.Open(database, error, OpenMode::Existing)) return Failed(err, "seed-demo", error);
    if (!demo::SeedDemoData(error)) return Failed(err, "seed-demo", error);
    out << "Seeded the demo cooperative: " << CountRows("HVXAR50") << " customers, "
        << CountRows("HVXGR02") << " assemblies, " << CountRows("HVXGR04") << " settlements.\n";
    return kExitOk;
}

int SummaryCommand(const std::string& database, std::ostream& out, std::ostream& err) {
    CommandSession session;
    std::string error;
    if (!session.Open(database, error, OpenMode::ReadOnly)) return Failed(err, "summary", error);
    // Counts read from a damaged file would look like a sound database.
    const CheckResult check = CheckDatabase(true);
    if (!check.findings.empty()) return FailedCheck(err, "summary", check);
    if (!PrintSummary(out, error)) return Failed(err, "summary", error);
    return kExitOk;
}

int CheckCommand(const std::string& database, std::ostream& out, std::ostream& err) {
    CommandSession session;
    std::string error;
    if (!session.Open(database, error, OpenMode::ReadOnly)) return Failed(err, "check", error);
    const CheckResult check = CheckDatabase(false);
    if (!check.findings.empty()) return FailedCheck(err, "check", check);
    out << "ok: " << Session::Get()->Describe() << " (" << check.checked << ").\n";
    return kExitOk;
}

int DemoCommand(const std::string& database, std::ostream& out, std::ostream& err) {
    std::string error;
    const std::string target = database.empty() ? demo::DefaultDemoDatabase(error) : database;
    if (target.empty()) return Failed(err, "demo", error);
    CommandSession session;
    bool created = false;
    if (!demo::OpenDemoDatabase(target, created, error)) return Failed(err, "demo", error);
    if (created) out << "Created the demo database " << Session::Get()->Describe() << ".\n\n";
    if (!PrintSummary(out, error)) return Failed(err, "demo", error);
    return kExitOk;
}

}  // namespace hvx::admin
