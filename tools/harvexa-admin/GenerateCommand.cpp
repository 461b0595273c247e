// harvexa-admin generate: a cooperative's years of settlements in one
// transaction, numbered after what the database already holds and with its
// counters moved past every number used, so the module's next settlement,
// record or link never collides with a generated one.
#include <algorithm>
#include <cstdlib>
#include <set>

#include "data/DatabaseFacts.h"
#include "data/Schema.h"
#include "harvexa-admin/AdminCommands.h"
#include "harvexa-admin/GeneratedFollowingRows.h"
#include "harvexa-admin/GeneratedRowWriter.h"
#include "platform/ConnectionPassword.h"
#include "platform/HVXConnection.h"
#include "platform/NextNumbers.h"
#include "platform/Session.h"
#include "platform/Statements.h"
#include "platform/Transaction.h"

namespace hvx::admin {
namespace {

// Progress goes out every this many lines.
constexpr long kProgressStep = 50000;

std::vector<SqlRow> Read(const std::string& sql, std::string& error) {
    std::vector<SqlRow> rows;
    if (!RunNative(nullptr, sql, {}, &rows, error)) rows.clear();
    return rows;
}

// The highest whole number among a column's texts; 0 when there is none.
long long HighestNumber(const std::string& table, const std::string& column, std::string& error) {
    long long highest = 0;
    for (const SqlRow& row : Read("SELECT " + column + " FROM " + table, error)) {
        char* end = nullptr;
        const long long value = std::strtoll(row[0].c_str(), &end, 10);
        if (!row[0].empty() && *end == '\0' && value > highest) highest = value;
    }
    return highest;
}

// Settlement and check numbers continue after the configured counters and
// after every number already on file.
bool StartNumbers(Numbering& start, std::string& error) {
    const std::vector<SqlRow> config = Read("SELECT CONFIG18 FROM HVXGR40", error);
    const std::vector<SqlRow> checks = Read("SELECT CHECKNUM FROM HVXREP4", error);
    const long long settlements = HighestNumber("HVXGR04", "SETTLEMENT", error);
    const long long checksUsed = HighestNumber("HVXGR04", "CHECKNUM", error);
    if (!error.empty()) return false;
    start.settlement = std::max<long long>(
        settlements + 1, config.empty() ? 1 : std::atoll(config.front()[0].c_str()));
    start.check = std::max<long long>({start.check, checksUsed + 1,
                                       checks.empty() ? 0 : std::atoll(checks.front()[0].c_str())});
    return FirstRecord("HVXGR04", start.link, error) &&
           FirstRecord("HVXGR04D", start.lineRecno, error);
}

// The customers HVXAR50 does not hold yet.
bool WriteCustomers(GeneratedRowWriter& writer, const std::vector<GeneratedCustomer>& customers,
                    std::string& error) {
    std::set<std::string> known;
    for (const SqlRow& row : Read("SELECT REFERENCE FROM HVXAR50", error)) known.insert(row[0]);
    long long recno = 0;
    for (const GeneratedCustomer& c : customers) {
        if (known.contains(c.ref)) continue;
        if (recno == 0 && !FirstRecord("HVXAR50", recno, error)) return false;
        if (!writer.WriteCustomer(c, recno++, error)) return false;
    }
    return error.empty() && (recno == 0 || SetRecordCounter("HVXAR50", recno, error));
}

}  // namespace

bool GenerateSettlements(const GenerateOptions& options, std::ostream& err, std::string& summary,
                         std::string& error) {
    const long customerCount =
        std::clamp(options.settlements / 12, std::min(options.settlements, 10L), 4000L);
    const std::vector<GeneratedCustomer> customers = GenerateCustomers(customerCount);
    Numbering start;
    GeneratedRowWriter writer;
    if (!StartNumbers(start, error) || !writer.Prepare(error) ||
        !WriteCustomers(writer, customers, error))
        return false;
    SettlementGenerator generator(options.lines, options.settlements, options.seed, customers,
                                  start);
    GeneratedSettlement settlement;
    long written = 0, reported = 0;
    while (generator.Next(settlement)) {
        if (!writer.WriteSettlement(settlement, error)) return false;
        written += static_cast<long>(settlement.lines.size());
        if (written - reported >= kProgressStep || written == options.lines) {
            reported = written;
            err << "\rgenerate: " << written << " of " << options.lines << " lines" << std::flush;
        }
    }
    err << "\n";
    const Numbering& next = generator.Numbers();
    const std::string settlementCounter = std::to_string(next.settlement);
    if (!WriteFollowingRows(start, next, error) || !SetRecordCounter("HVXGR04", next.link, error) ||
        !SetRecordCounter("HVXGR04D", next.lineRecno, error) ||
        !RunNative(nullptr, "UPDATE HVXGR40 SET CONFIG18 = ?", {Param::Text(settlementCounter)},
                   nullptr, error) ||
        !RunNative(nullptr, "UPDATE HVXREP4 SET CHECKNUM = ?",
                   {Param::Text(std::to_string(next.check))}, nullptr, error))
        return false;
    summary = "Generated " + std::to_string(options.settlements) + " settlements with " +
              std::to_string(options.lines) + " lines for " + std::to_string(customerCount) +
              " customers (settlements " + std::to_string(start.settlement) + " to " +
              std::to_string(next.settlement - 1) + ") in " + Session::Get()->Describe() + ".\n";
    return true;
}

int GenerateCommand(const std::string& database, const GenerateOptions& options, std::ostream& out,
                    std::ostream& err) {
    const auto failed = [&](const std::string& message) {
        err << "harvexa-admin generate: " << MaskPasswords(OneLine(message)) << "\n";
        Session::Close();
        return kExitFailed;
    };
    std::string error;
    if (!Session::Open(database, error, OpenMode::Existing) || !data::CheckSchemaVersion(error))
        return failed(error);
    const long held = CountRows("HVXGR04D");
    if (held != 0 && !options.force)
        return failed(held < 0 ? "Table HVXGR04D cannot be read."
                               : "The database already holds " + std::to_string(held) +
                                     " settlement lines; use --force to add the generated "
                                     "settlements after them.");
    bool done = false;
    std::string summary;
    {
        HVXConnection carrier;
        Transaction tran(carrier, "SELECT RECNO FROM HVXGR04");
        if (!tran.Begun()) error = "Unable to begin the transaction: " + carrier.LastError();
        done = tran.Begun() && GenerateSettlements(options, err, summary, error);
        if (done && !tran.Commit()) {
            error = carrier.LastError();
            done = false;
        }
    }
    if (!done) return failed("Nothing was generated: " + error);
    out << summary;
    Session::Close();
    return kExitOk;
}

}  // namespace hvx::admin
