// The schema as numbered steps, with the version kept in HVXSCHEMA.
//
// A database is created with every step at once and upgraded one step at a
// time, each step and its version row in one transaction, so an interrupted
// upgrade leaves the database at the last version it completed. Steps are
// only ever appended: a released step never changes.
#include <algorithm>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>

#include "data/SchemaDdl.h"
#include "data/TableGroups.h"
#include "platform/Session.h"

namespace hvx::data {
namespace {

using ddl::DdlStatement;

struct Step {
    const char* what;
    std::vector<DdlStatement> (*statements)(EngineKind engine);
};

// Version 1: every table, with its unique record-number index.
std::vector<DdlStatement> TablesStep(EngineKind engine) {
    std::vector<DdlStatement> out;
    for (const TableDesc& table : AllTables()) {
        auto statements = ddl::CreateTable(table, engine);
        out.insert(out.end(), statements.begin(), statements.end());
    }
    return out;
}

// Indexes added after version 2, by name, with the version that adds each.
// Every index is in its table's description; the others came with version 2.
constexpr std::pair<std::string_view, int> kLaterIndexes[] = {
    {"IX_HVXGR57_OPENPAID", 3},
};

int IndexVersion(const TableDesc& table, const std::vector<const char*>& columns) {
    const std::string name = IndexName(table, columns);
    for (const auto& [later, version] : kLaterIndexes)
        if (later == name) return version;
    return 2;
}

std::vector<DdlStatement> IndexesOfVersion(int version) {
    std::vector<DdlStatement> out;
    for (const TableDesc& table : AllTables()) {
        TableDesc added = table;
        std::erase_if(added.indexes,
                      [&](const auto& columns) { return IndexVersion(table, columns) != version; });
        auto statements = ddl::CreateIndexes(added);
        out.insert(out.end(), statements.begin(), statements.end());
    }
    return out;
}

// Version 2: the indexes on the link and lookup columns the statements
// filter by.
std::vector<DdlStatement> IndexesStep(EngineKind) { return IndexesOfVersion(2); }

// Version 3: the indexes that keep the remaining everyday statements off a
// walk over a whole growing table.
std::vector<DdlStatement> EverydayIndexesStep(EngineKind) { return IndexesOfVersion(3); }

const std::vector<Step>& Steps() {
    static const std::vector<Step> steps{
        {"tables", TablesStep},
        {"link and lookup indexes", IndexesStep},
        {"indexes of the everyday statements", EverydayIndexesStep},
    };
    return steps;
}

const char* const kClosed = "The database is not open.";
const char* const kNoSchema =
    "This database holds no Harvexa tables. Create them with: harvexa-admin init <database>";

std::string OlderMessage(int stored) {
    return "This database has schema version " + std::to_string(stored) +
           ", older than this program needs (version " +
           std::to_string(ProgramSchemaVersion()) +
           "). Bring it up to date with: harvexa-admin upgrade <database>";
}

std::string NewerMessage(int stored) {
    return "This database has schema version " + std::to_string(stored) +
           ", newer than this program understands (version " +
           std::to_string(ProgramSchemaVersion()) + "). Use a newer Harvexa program.";
}

bool WriteVersion(int version, std::string& error) {
    const std::string table = tables::kSchemaTable;
    return ddl::Run({{"record the schema version", "DELETE FROM " + table},
                     {"record the schema version", "INSERT INTO " + table +
                                                       " (VERSION) VALUES (" +
                                                       std::to_string(version) + ")"}},
                    error);
}

// Applies steps from+1 .. to on the open transaction.
bool ApplySteps(int from, int to, std::string& error) {
    const EngineKind engine = Session::Kind();
    for (int version = from + 1; version <= to; ++version) {
        const Step& step = Steps()[static_cast<size_t>(version - 1)];
        if (!ddl::Run(step.statements(engine), error)) {
            error = "Schema version " + std::to_string(version) + " (" + step.what +
                    ") could not be made. " + error;
            return false;
        }
    }
    return true;
}

}  // namespace

int ProgramSchemaVersion() { return static_cast<int>(Steps().size()); }

int StoredSchemaVersion() {
    Engine* engine = Session::Get();
    if (!engine || !engine->TableExists(tables::kSchemaTable)) return 0;
    std::string error;
    auto statement =
        Session::Prepare(std::string("SELECT VERSION FROM ") + tables::kSchemaTable, false, error);
    if (!statement || !statement->Execute({}, error)) return 0;
    int version = 0;
    std::string text;
    while (statement->Next())
        if (statement->Column(0, text)) version = std::max(version, std::atoi(text.c_str()));
    return version;
}

bool CreateSchemaUpTo(int version, std::string& error) {
    if (version < 1 || version > ProgramSchemaVersion()) {
        error = "There is no schema version " + std::to_string(version) +
                "; this program knows versions 1 to " + std::to_string(ProgramSchemaVersion()) +
                ".";
        return false;
    }
    if (!Session::IsOpen()) {
        error = kClosed;
        return false;
    }
    if (const int stored = StoredSchemaVersion(); stored > 0) {
        error = "This database already holds Harvexa tables (schema version " +
                std::to_string(stored) + ").";
        return false;
    }
    return ddl::InTransaction(
        [version](std::string& e) { return ApplySteps(0, version, e) && WriteVersion(version, e); },
        error);
}

bool CreateSchema(std::string& error) { return CreateSchemaUpTo(ProgramSchemaVersion(), error); }

bool DropSchema(std::string& error) {
    std::vector<DdlStatement> drops;
    const auto& all = AllTables();
    for (auto it = all.rbegin(); it != all.rend(); ++it) drops.push_back(ddl::DropTable(*it));
    return ddl::InTransaction([&drops](std::string& e) { return ddl::Run(drops, e); }, error);
}

bool UpgradeSchema(std::string& error, int* from, int* to) {
    if (!Session::IsOpen()) {
        error = kClosed;
        return false;
    }
    const int stored = StoredSchemaVersion();
    if (from) *from = stored;
    if (to) *to = stored;
    if (stored == 0) {
        error = kNoSchema;
        return false;
    }
    if (stored > ProgramSchemaVersion()) {
        error = NewerMessage(stored);
        return false;
    }
    for (int version = stored + 1; version <= ProgramSchemaVersion(); ++version) {
        const bool done = ddl::InTransaction(
            [version](std::string& e) {
                // Another program may have taken this step while we waited
                // for the transaction.
                if (StoredSchemaVersion() >= version) return true;
                return ApplySteps(version - 1, version, e) && WriteVersion(version, e);
            },
            error);
        if (!done) return false;
        if (to) *to = version;
    }
    return true;
}

bool CheckSchemaVersion(std::string& error) {
    if (!Session::IsOpen()) {
        error = kClosed;
        return false;
    }
    const int stored = StoredSchemaVersion();
    if (stored == 0)
        error = kNoSchema;
    else if (stored < ProgramSchemaVersion())
        error = OlderMessage(stored);
    else if (stored > ProgramSchemaVersion())
        error = NewerMessage(stored);
    else
        return true;
    return false;
}

}  // namespace hvx::data
