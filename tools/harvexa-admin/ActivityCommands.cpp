#include "harvexa-admin/ActivityCommands.h"

#include "data/DatabaseFacts.h"
#include "data/Schema.h"
#include "harvexa-admin/AdminCommands.h"
#include "harvexa-admin/CommandLine.h"
#include "platform/ConnectionPassword.h"
#include "platform/Session.h"
#include "settlement/exchange/PositivePay.h"

namespace hvx::admin {
namespace {

constexpr const char* kDateForms = "MM/DD/YYYY or YYYY-MM-DD";

// The session of one command, closed on every way out. Both commands only
// read, so they work on read-only media too.
class ReadingSession {
public:
    ~ReadingSession() { Session::Close(); }
    bool Open(const std::string& database, std::string& error) {
        return Session::Open(database, error, OpenMode::ReadOnly) &&
               data::CheckSchemaVersion(error);
    }
};

int Failed(std::ostream& err, const char* command, const std::string& message) {
    err << "harvexa-admin " << command << ": " << MaskPasswords(OneLine(message)) << "\n";
    return kExitFailed;
}

}  // namespace

bool ReadDateOptions(const std::string& command, const std::vector<std::string>& args,
                     std::vector<std::string>& plain, exchange::DateRange& range, std::ostream& err,
                     int& code) {
    std::string typed[2];
    for (std::size_t i = 0; i < args.size(); ++i) {
        const int end = args[i] == "--from" ? 0 : args[i] == "--to" ? 1 : -1;
        if (end < 0) {
            plain.push_back(args[i]);
            continue;
        }
        std::optional<long>& day = end == 0 ? range.from : range.to;
        if (day) {
            code = UsageError(err, command + ": " + args[i] + " is given twice.");
            return false;
        }
        if (i + 1 < args.size()) day = exchange::RangeDay(args[i + 1]);
        if (!day) {
            code = UsageError(err, command + ": " + args[i] + " takes a date as " + kDateForms +
                                       (i + 1 < args.size() ? ", not " + Shown(args[i + 1]) : "") +
                                       ".");
            return false;
        }
        typed[end] = args[++i];
    }
    if (range.from && range.to && *range.from > *range.to) {
        code =
            UsageError(err, command + ": --from " + typed[0] + " is after --to " + typed[1] + ".");
        return false;
    }
    return true;
}

int ActivityExportCommand(const exchange::ActivityKind& kind, const exchange::DateRange& range,
                          const std::string& database, std::ostream& out, std::ostream& err) {
    ReadingSession session;
    std::string error;
    if (!session.Open(database, error) || !kind.write(range, out, error))
        return Failed(err, "export", error);
    return kExitOk;
}

int PositivePayCommand(const exchange::DateRange& range, const std::string& database,
                       std::ostream& out, std::ostream& err) {
    ReadingSession session;
    std::string error;
    std::vector<std::string> warnings;
    if (!session.Open(database, error) || !exchange::WritePositivePay(range, out, warnings, error))
        return Failed(err, "positive-pay", error);
    for (const std::string& warning : warnings)
        err << "harvexa-admin positive-pay: warning: " << warning << "\n";
    return kExitOk;
}

}  // namespace hvx::admin
