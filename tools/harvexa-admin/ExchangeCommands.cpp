// import and export: an office's reference data in and out as CSV files.
#include <fstream>
#include <sstream>

#include "data/DatabaseFacts.h"
#include "data/Schema.h"
#include "data/exchange/ExportRows.h"
#include "data/exchange/ImportCheck.h"
#include "data/exchange/ImportWriter.h"
#include "harvexa-admin/AdminCommands.h"
#include "platform/ConnectionPassword.h"
#include "platform/Session.h"

namespace hvx::admin {
namespace {

// Below this many rows an import is quick enough to need no progress line.
constexpr std::size_t kProgressFrom = 1000;

class CommandSession {
public:
    ~CommandSession() { Session::Close(); }
};

int Failed(std::ostream& err, const char* command, const std::string& message) {
    err << "harvexa-admin " << command << ": " << MaskPasswords(OneLine(message)) << "\n";
    return kExitFailed;
}

bool ReadFile(const std::string& path, std::string& text, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    if (in) content << in.rdbuf();
    if (!in || in.bad()) {
        error = "Cannot read the file " + path + ".";
        return false;
    }
    text = content.str();
    return true;
}

bool OpenChecked(const std::string& database, OpenMode mode, std::string& error) {
    return Session::Open(database, error, mode) && data::CheckSchemaVersion(error);
}

}  // namespace

int ImportCommand(const exchange::ExchangeKind& kind, const std::string& file,
                  const std::string& database, std::ostream& out, std::ostream& err) {
    std::string text, error;
    if (!ReadFile(file, text, error)) return Failed(err, "import", error);
    CommandSession session;
    if (!OpenChecked(database, OpenMode::Existing, error)) return Failed(err, "import", error);
    const exchange::ImportCheck check = exchange::CheckImport(kind, text);
    if (!check.errors.empty()) {
        err << "harvexa-admin import: " << file << " has " << check.errors.size()
            << (check.errors.size() == 1 ? " error" : " errors") << "; nothing was imported:\n";
        for (const std::string& line : check.errors) err << "  " << line << "\n";
        return kExitFailed;
    }
    const std::size_t total = check.rows.size();
    exchange::ImportProgress progress;
    if (total >= kProgressFrom)
        progress = [&](std::size_t done) {
            err << "\rimport: " << done << " of " << total << " rows" << (done == total ? "\n" : "")
                << std::flush;
        };
    exchange::ImportCounts counts;
    if (!exchange::WriteImport(kind, check.rows, progress, counts, error))
        return Failed(err, "import", "Nothing was imported: " + error);
    out << "Imported " << kind.name << " from " << file << ": " << counts.added << " added, "
        << counts.changed << " changed, " << counts.unchanged << " unchanged.\n";
    return kExitOk;
}

int ExportCommand(const exchange::ExchangeKind& kind, const std::string& database,
                  std::ostream& out, std::ostream& err) {
    CommandSession session;
    std::string error;
    if (!OpenChecked(database, OpenMode::ReadOnly, error) ||
        !exchange::ExportRows(kind, out, error))
        return Failed(err, "export", error);
    return kExitOk;
}

}  // namespace hvx::admin
