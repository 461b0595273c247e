#include "rules/TicketPricing.h"

#include <string>

#include "platform/HVXConnection.h"
#include "platform/Rounding.h"
#include "platform/Statements.h"
#include "platform/Text.h"
#include "rules/DiscountSchedule.h"
#include "rules/StoredText.h"

namespace hvx {
namespace {

constexpr const char* kTestsSql = "SELECT TEST,RESULT,PREMDISC FROM HVXGR03G WHERE TICKETNUM = ?";
constexpr const char* kScheduleSql =
    "SELECT SCHEDULE FROM HVXGR01G WHERE CONTRACT = ? AND GRADFACT = ?";
constexpr const char* kLinesByAssemblySql =
    "SELECT PRICE,UNITS,SCALETICK,CONTRACT FROM HVXGR03A WHERE ASSEMLINK = ?";
constexpr const char* kLineByIdSql =
    "SELECT PRICE,UNITS,SCALETICK,CONTRACT FROM HVXGR03A WHERE STDLINEID = ?";

struct TicketLine {
    double price = 0, units = 0;
    std::string ticket, contract;
};

// A row of one of the HVXGR03A statements above.
TicketLine ReadLine(const SqlRow& row) {
    return {TextNumber(row[0]), TextNumber(row[1]), row[2], row[3]};
}

double AdjustedPrice(const TicketLine& line, std::string_view commodity) {
    return line.price + TicketPremiumDiscount(line.ticket, line.contract, commodity, line.price);
}

}  // namespace

double TicketPremiumDiscount(std::string_view ticket, std::string_view contract,
                             std::string_view commodity, double price) {
    std::string trimmedContract(contract);
    TRIM(trimmedContract);
    const bool hasContract = !trimmedContract.empty();

    HVXConnection connection(1);
    PreparedStatements sql(connection);
    std::vector<SqlRow> tests;
    if (!sql.Query({{}, kTestsSql}, {ticket}, 3, tests)) return 0;
    double sum = 0;
    for (const SqlRow& row : tests) {
        const std::string& test = row[0];
        const double result = TextNumber(row[1]);
        const double ticketAmount = TextNumber(row[2]);
        std::string name;
        if (hasContract && sql.Value({{}, kScheduleSql}, {contract, test}, name)) {
            DiscountSchedule schedule;
            schedule.Load(commodity, test, name);
            sum += schedule.Evaluate(result, price);
            continue;
        }
        sum += ticketAmount;
    }
    return sum;
}

double AssemblyPrice(std::string_view assemblyLink, std::string_view commodity) {
    HVXConnection connection(1);
    std::vector<SqlRow> rows;
    if (!PreparedStatements(connection).Query({{}, kLinesByAssemblySql}, {assemblyLink}, 4, rows))
        return 0;
    double amount = 0, units = 0;
    for (const SqlRow& row : rows) {
        const TicketLine line = ReadLine(row);
        amount += AdjustedPrice(line, commodity) * line.units;
        units += line.units;
    }
    return units == 0 ? 0 : HVXRound(amount / units, 4);
}

double ScaleTicketPrice(std::string_view ticketLine, std::string_view commodity) {
    HVXConnection connection(1);
    std::vector<SqlRow> rows;
    if (!PreparedStatements(connection).Query({{}, kLineByIdSql}, {ticketLine}, 4, rows) ||
        rows.empty())
        return 0;
    return HVXRound(AdjustedPrice(ReadLine(rows.front()), commodity), 4);
}

}  // namespace hvx
