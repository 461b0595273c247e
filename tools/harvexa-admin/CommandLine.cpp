#include "harvexa-admin/CommandLine.h"

#include <algorithm>
#include <cstdlib>

#include "data/exchange/ExchangeKind.h"
#include "harvexa-admin/ActivityCommands.h"
#include "harvexa-admin/AdminCommands.h"
#include "platform/ConnectionPassword.h"

namespace hvx::admin {

const char* UsageText() {
    return "Usage: harvexa-admin <command> [arguments]\n"
           "\n"
           "Commands:\n"
           "  init <database> [--force]  Create the Harvexa tables in an empty database;\n"
           "                             --force drops existing Harvexa tables first.\n"
           "  upgrade <database>         Bring the schema up to this program's version.\n"
           "  seed-demo <database>       Fill an initialised, empty database with the\n"
           "                             demo cooperative.\n"
           "  summary <database>         Check the database quickly, then show the row\n"
           "                             counts and an outline of the data.\n"
           "  check <database>           Run the engine's integrity check; exit code 1\n"
           "                             and its findings when the database is damaged.\n"
           "  demo [<database>]          Create the demo database unless it exists, then\n"
           "                             show its summary. Default database:\n"
           "                             $XDG_DATA_HOME/harvexa/demo.db, or\n"
           "                             ~/.local/share/harvexa/demo.db.\n"
           "  generate <database> [--lines N] [--settlements M] [--seed S] [--force]\n"
           "                             Fill an initialised database with M generated\n"
           "                             settlements of N lines in all (defaults 1000000\n"
           "                             and 50000) for a few thousand customers, the\n"
           "                             same for the same seed (default 1). A database\n"
           "                             holding settlement lines is refused unless\n"
           "                             --force, which adds after them.\n"
           "  import <kind> <file.csv> <database>\n"
           "                             Check a CSV file of an office's data and, when\n"
           "                             it has no fault, bring it in as one\n"
           "                             transaction; rows already there are matched\n"
           "                             by their reference and updated. Kinds:\n"
           "                             locations, customers, vendors, grade-factors,\n"
           "                             commodities, commodity-factors,\n"
           "                             discount-schedules, deductions, liens,\n"
           "                             purchase-contracts, contract-schedules,\n"
           "                             sales-contracts, assembly-splits,\n"
           "                             scale-tickets, ticket-tests, advances.\n"
           "                             Layouts: docs/import.md.\n"
           "  export <kind> <database> [--from DATE] [--to DATE]\n"
           "                             Write the rows of a kind as CSV to standard\n"
           "                             output: the kinds above in the layout import\n"
           "                             takes, and what settlements produce: settlements\n"
           "                             (one row per line), position-journal,\n"
           "                             receivables, advance-activity, check-register.\n"
           "                             For these five, --from and --to (either may\n"
           "                             be left out) keep the rows dated within those\n"
           "                             days, both included.\n"
           "                             Layouts: docs/export.md.\n"
           "  positive-pay <database> --from DATE --to DATE\n"
           "                             Write the checks issued or voided between the\n"
           "                             two days as the CSV file a bank's positive pay\n"
           "                             takes; a check number given to two settlements\n"
           "                             is a warning on standard error.\n"
           "  help, --help               Show this text.\n"
           "\n"
           "A database is a SQLite file path, \"sqlite:PATH\", a PostgreSQL URL\n"
           "(\"postgresql://user@host/dbname\") or a libpq conninfo\n"
           "(\"host=/run/postgresql dbname=harvexa\"); any other name, \"=\" or not,\n"
           "is a file. summary, check, export and positive-pay only read: they work on\n"
           "read-only media. A DATE is MM/DD/YYYY or YYYY-MM-DD.\n";
}

int UsageError(std::ostream& err, const std::string& message) {
    err << "harvexa-admin: " << message << " See \"harvexa-admin --help\".\n";
    return kExitUsage;
}

// The printable form of an argument for a message: control characters
// cannot garble the terminal, and a stray piece of a connection text shows no
// password.
std::string Shown(const std::string& arg) {
    std::string out;
    for (unsigned char c : MaskPasswords(arg))
        out += c < 0x20 || c == 0x7f ? '?' : static_cast<char>(c);
    return "\"" + out + "\"";
}

namespace {

bool IsHelp(const std::string& arg) { return arg == "help" || arg == "--help" || arg == "-h"; }

struct Parsed {
    std::string database;
    bool force = false;
};

// Reads "<database>" plus the options a command allows; false after a usage
// error has been reported.
bool Parse(const std::string& command, const std::vector<std::string>& rest, bool databaseOptional,
           bool allowForce, Parsed& out, std::ostream& err, int& code) {
    for (const std::string& arg : rest) {
        if (arg.empty()) continue;
        if (allowForce && arg == "--force") {
            out.force = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            code = UsageError(err, command + ": unknown option " + Shown(arg) + ".");
            return false;
        } else if (out.database.empty()) {
            out.database = arg;
        } else {
            code = UsageError(err, command + ": unexpected argument " + Shown(arg) + ".");
            return false;
        }
    }
    if (out.database.empty() && !databaseOptional) {
        code = UsageError(err, command + ": a database is required.");
        return false;
    }
    return true;
}

// A whole number of an option, from 1 (0 for the seed) to its maximum.
bool OptionNumber(const std::string& option, const std::string* value, long long low,
                  long long high, long long& out, std::ostream& err, int& code) {
    char* end = nullptr;
    const long long number = value ? std::strtoll(value->c_str(), &end, 10) : 0;
    if (value && !value->empty() && *end == '\0' && number >= low && number <= high) {
        out = number;
        return true;
    }
    code = UsageError(err, "generate: " + option + " takes a whole number from " +
                               std::to_string(low) + " to " + std::to_string(high) +
                               (value ? ", not " + Shown(*value) + "." : "."));
    return false;
}

bool ParseGenerate(const std::vector<std::string>& rest, std::string& database,
                   GenerateOptions& options, std::ostream& err, int& code) {
    constexpr long long kMaxLines = 100000000;
    std::vector<std::string> plain;
    for (std::size_t i = 0; i < rest.size(); ++i) {
        const std::string& arg = rest[i];
        const std::string* value = i + 1 < rest.size() ? &rest[i + 1] : nullptr;
        long long number = 0;
        if (arg == "--lines" || arg == "--settlements" || arg == "--seed") {
            const bool seed = arg == "--seed";
            if (!OptionNumber(arg, value, seed ? 0 : 1, seed ? 4294967295LL : kMaxLines, number,
                              err, code))
                return false;
            ++i;
            if (arg == "--lines") options.lines = static_cast<long>(number);
            if (arg == "--settlements") options.settlements = static_cast<long>(number);
            if (seed) options.seed = static_cast<std::uint32_t>(number);
        } else {
            plain.push_back(arg);
        }
    }
    Parsed p;
    if (!Parse("generate", plain, false, true, p, err, code)) return false;
    if (options.settlements > options.lines) {
        code = UsageError(err, "generate: every settlement has a line: --settlements " +
                                   std::to_string(options.settlements) + " is more than --lines " +
                                   std::to_string(options.lines) + ".");
        return false;
    }
    database = p.database;
    options.force = p.force;
    return true;
}

// "<kind> [<file>] <database>": the kind must be one import and export know.
bool ParseExchange(const std::string& command, const std::vector<std::string>& rest,
                   std::size_t count, std::vector<std::string>& out, std::ostream& err, int& code) {
    for (const std::string& arg : rest) {
        if (arg.size() > 1 && arg[0] == '-') {
            code = UsageError(err, command + ": unknown option " + Shown(arg) + ".");
            return false;
        }
        if (!arg.empty()) out.push_back(arg);
    }
    const char* wanted = count == 3 ? "a kind, a file and a database are required."
                                    : "a kind and a database are required.";
    if (out.size() < count) {
        code = UsageError(err, command + ": " + wanted);
        return false;
    }
    if (out.size() > count) {
        code = UsageError(err, command + ": unexpected argument " + Shown(out[count]) + ".");
        return false;
    }
    // Export also knows the activity kinds, which are never imported.
    const bool exported = count == 2 && exchange::FindActivityKind(out.front());
    if (!exchange::FindExchangeKind(out.front()) && !exported) {
        code = UsageError(err, command + ": unknown kind " + Shown(out.front()) +
                                   "; the kinds are " + exchange::ExchangeKindNames() +
                                   (count == 2 ? ", " + exchange::ActivityKindNames() : "") + ".");
        return false;
    }
    return true;
}

}  // namespace

int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) return UsageError(err, "no command given.");
    if (std::any_of(args.begin(), args.end(), IsHelp)) {
        out << UsageText();
        return kExitOk;
    }
    const std::string& command = args.front();
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    Parsed p;
    int code = kExitUsage;
    if (command == "init") {
        if (!Parse(command, rest, false, true, p, err, code)) return code;
        return InitCommand(p.database, p.force, out, err);
    }
    if (command == "upgrade" || command == "seed-demo" || command == "summary" ||
        command == "check") {
        if (!Parse(command, rest, false, false, p, err, code)) return code;
        if (command == "upgrade") return UpgradeCommand(p.database, out, err);
        if (command == "seed-demo") return SeedDemoCommand(p.database, out, err);
        if (command == "check") return CheckCommand(p.database, out, err);
        return SummaryCommand(p.database, out, err);
    }
    if (command == "generate") {
        GenerateOptions options;
        if (!ParseGenerate(rest, p.database, options, err, code)) return code;
        return GenerateCommand(p.database, options, out, err);
    }
    if (command == "import" || command == "export") {
        std::vector<std::string> a, plain;
        const bool import = command == "import";
        exchange::DateRange range;
        if (!import && !ReadDateOptions(command, rest, plain, range, err, code)) return code;
        if (!ParseExchange(command, import ? rest : plain, import ? 3 : 2, a, err, code))
            return code;
        const exchange::ActivityKind* activity = exchange::FindActivityKind(a[0]);
        if (!import && activity) return ActivityExportCommand(*activity, range, a[1], out, err);
        // Reference data goes out whole, as import takes it back.
        if (range.Limited())
            return UsageError(err, "export: --from and --to are for the dated kinds (" +
                                       exchange::ActivityKindNames() + "), not " + a[0] + ".");
        const exchange::ExchangeKind& kind = *exchange::FindExchangeKind(a[0]);
        return import ? ImportCommand(kind, a[1], a[2], out, err)
                      : ExportCommand(kind, a[1], out, err);
    }
    if (command == "positive-pay") {
        exchange::DateRange range;
        std::vector<std::string> plain;
        if (!ReadDateOptions(command, rest, plain, range, err, code) ||
            !Parse(command, plain, false, false, p, err, code))
            return code;
        if (!range.from || !range.to)
            return UsageError(err, "positive-pay: --from and --to are required.");
        return PositivePayCommand(range, p.database, out, err);
    }
    if (command == "demo") {
        if (!Parse(command, rest, true, false, p, err, code)) return code;
        return DemoCommand(p.database, out, err);
    }
    return UsageError(err, "unknown command " + Shown(command) + ".");
}

}  // namespace hvx::admin
