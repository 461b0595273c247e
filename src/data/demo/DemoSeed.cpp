#include "data/demo/DemoSeed.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "data/Schema.h"
#include "data/DatabaseFacts.h"
#include "data/demo/DemoSeedWriters.h"
#include "platform/HVXConnection.h"
#include "platform/Session.h"
#include "platform/Transaction.h"

namespace hvx::demo {

bool CanSeedDemo(std::string& error) {
    if (!data::CheckSchemaVersion(error)) return false;
    long rows = 0;
    const std::string table = FirstTableWithData(rows);
    if (rows < 0) {
        error = "Table " + table + " cannot be read.";
        return false;
    }
    if (!table.empty()) {
        error = "The database already holds data (" + std::to_string(rows) + " rows in " + table +
                "); demo data is only seeded into an empty database.";
        return false;
    }
    return true;
}

bool SeedDemoData(std::string& error) {
    if (!CanSeedDemo(error)) return false;
    HVXConnection carrier;
    Transaction tran(carrier, "SELECT RECNO FROM HVXGR40");
    if (!tran.Begun()) {
        error = "Unable to begin the demo transaction: " + carrier.LastError();
        return false;
    }
    // Reference data first, then what refers to it: the deliveries, the
    // settlements drawing on them, and the advances those settlements repaid.
    SeedWriter w;
    demo::SeedLinks links;
    const bool written = demo::WriteConfiguration(w) && demo::WriteReferenceData(w) &&
                         demo::WriteCustomersAndContracts(w) && demo::WriteDeliveries(w, links) &&
                         demo::WritePositions(w) && demo::WriteSettlements(w, links) &&
                         demo::WriteAdvances(w, links);
    if (!written) {
        error = "Demo data not seeded, nothing was written: " + w.Error();
        return false;
    }
    if (!tran.Commit()) {
        error = "Demo data not seeded, nothing was written: " + carrier.LastError();
        return false;
    }
    return true;
}

std::string DefaultDemoDatabase(std::string& error) {
    namespace fs = std::filesystem;
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    // A relative XDG_DATA_HOME is invalid and ignored, as the XDG rules say.
    if (dataHome && *dataHome && fs::path(dataHome).is_absolute())
        return (fs::path(dataHome) / "harvexa" / "demo.db").string();
    const char* home = std::getenv("HOME");
    if (home && *home)
        return (fs::path(home) / ".local" / "share" / "harvexa" / "demo.db").string();
    error = "Cannot find a folder for the demo database: neither XDG_DATA_HOME nor HOME is set.";
    return "";
}

namespace {

bool FillDemoDatabase(bool& created, std::string& error) {
    if (FirstHarvexaTable().empty()) {
        if (!data::CreateSchema(error)) return false;
        created = true;
    } else if (!data::UpgradeSchema(error)) {
        // The demo database is the program's own: a demo left by an earlier
        // version is brought up to date rather than refused.
        return false;
    }
    long rows = 0;
    if (FirstTableWithData(rows).empty()) {
        if (!SeedDemoData(error)) return false;
        created = true;
    }
    return true;
}

void RemoveSqliteFile(const std::string& file) {
    std::error_code ignored;
    for (const char* suffix : {"", "-wal", "-shm", "-journal"})
        std::filesystem::remove(file + suffix, ignored);
}

}  // namespace

bool OpenDemoDatabase(const std::string& connection, bool& created, std::string& error) {
    created = false;
    const std::string file = SqliteFile(connection);
    bool newFile = false;
    if (!file.empty()) {
        std::error_code ec;
        newFile = !std::filesystem::exists(file, ec);
        const std::filesystem::path folder = std::filesystem::path(file).parent_path();
        if (newFile && !folder.empty() && !std::filesystem::create_directories(folder, ec) && ec) {
            error = "Cannot create the folder " + folder.string() + ": " + ec.message();
            return false;
        }
    }
    if (!Session::Open(connection, error, newFile ? OpenMode::Create : OpenMode::Existing)) {
        if (newFile) RemoveSqliteFile(file);
        return false;
    }
    if (FillDemoDatabase(created, error)) return true;
    Session::Close();
    if (newFile) RemoveSqliteFile(file);
    return false;
}

}  // namespace hvx::demo
