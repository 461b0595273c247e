#include "host/app/DatabaseChoice.h"

#include "data/Schema.h"
#include "data/DatabaseFacts.h"
#include "data/demo/DemoSeed.h"
#include "platform/ConnectionPassword.h"
#include "platform/ProfileFile.h"
#include "platform/Session.h"

namespace hvx::host {
namespace {

// An existing database (a mistyped SQLite path is refused, not created); one
// without the schema, or with one of another version, is refused with the
// reason.
bool OpenExisting(const std::string& connection, std::string& error) {
    if (!Session::Open(connection, error, OpenMode::Existing)) return false;
    if (data::CheckSchemaVersion(error)) return true;
    Session::Close();
    return false;
}

}  // namespace

bool OpenChosenDatabase(const HostOptions& options, std::string& connection, std::string& error) {
    bool opened = false;
    if (options.demo) {
        connection = options.database.empty() ? demo::DefaultDemoDatabase(error) : options.database;
        if (connection.empty()) return false;  // no data folder: the message says so
        bool created = false;
        opened = demo::OpenDemoDatabase(connection, created, error);
    } else {
        connection = options.database.empty()
                         ? GetPrivateProfileString(kProfileSection, kProfileDatabaseKey, "",
                                                   LocalProfilePath())
                         : options.database;
        if (connection.empty()) {
            error = "No database chosen: start harvexa with --database CONNECTION, or with "
                    "--demo for the demo database.";
            return false;
        }
        opened = OpenExisting(connection, error);
    }
    if (!opened) {
        error = MaskPasswords("Cannot open the database " + connection + ": " + OneLine(error),
                              connection);
        return false;
    }
    // Remembering is a convenience: a profile that cannot be written does not
    // stop the program. The password stays out of the file; libpq finds it in
    // ~/.pgpass or PGPASSWORD next time.
    WritePrivateProfileString(kProfileSection, kProfileDatabaseKey,
                              WithoutPassword(connection).c_str(), LocalProfilePath());
    return true;
}

}  // namespace hvx::host
