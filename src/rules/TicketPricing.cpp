#include "rules/TicketPricing.h"

#include <string>

#include "platform/HVXConnection.h"
#include "platform/Rounding.h"
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

// The current row of one of the HVXGR03A statements above.
TicketLine ReadLine(HVXConnection& connection, const char* sql) {
    return {TextNumber(connection.ColumnVar(sql, 1)), TextNumber(connection.ColumnVar(sql, 2)),
            connection.ColumnVar(sql, 3), connection.ColumnVar(sql, 4)};
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
    connection.BindParam(kTestsSql, ticket);
    if (connection.ExecuteSQL(kTestsSql) < 0) return 0;
    double sum = 0;
    while (connection.FetchNext(kTestsSql)) {
        const std::string test = connection.ColumnVar(kTestsSql, 1);
        const double result = TextNumber(connection.ColumnVar(kTestsSql, 2));
        const double ticketAmount = TextNumber(connection.ColumnVar(kTestsSql, 3));
        if (hasContract) {
            connection.BindParam(kScheduleSql, std::string(contract));
            connection.BindParam(kScheduleSql, test);
            if (connection.ExecuteSQL(kScheduleSql) >= 0 && connection.FetchNext(kScheduleSql)) {
                DiscountSchedule schedule;
                schedule.Load(commodity, test, connection.ColumnVar(kScheduleSql, 1));
                sum += schedule.Evaluate(result, price);
                continue;
            }
        }
        sum += ticketAmount;
    }
    return sum;
}

double AssemblyPrice(std::string_view assemblyLink, std::string_view commodity) {
    HVXConnection connection(1);
    connection.BindParam(kLinesByAssemblySql, assemblyLink);
    if (connection.ExecuteSQL(kLinesByAssemblySql) < 0) return 0;
    std::vector<TicketLine> lines;
    while (connection.FetchNext(kLinesByAssemblySql))
        lines.push_back(ReadLine(connection, kLinesByAssemblySql));
    double amount = 0, units = 0;
    for (const TicketLine& line : lines) {
        amount += AdjustedPrice(line, commodity) * line.units;
        units += line.units;
    }
    return units == 0 ? 0 : HVXRound(amount / units, 4);
}

double ScaleTicketPrice(std::string_view ticketLine, std::string_view commodity) {
    HVXConnection connection(1);
    connection.BindParam(kLineByIdSql, ticketLine);
    if (connection.ExecuteSQL(kLineByIdSql) < 0 || !connection.FetchNext(kLineByIdSql)) return 0;
    return HVXRound(AdjustedPrice(ReadLine(connection, kLineByIdSql), commodity), 4);
}

}  // namespace hvx
