#include "shell/Configuration.h"

#include <vector>

#include "platform/HVXSConnection.h"
#include "platform/Statements.h"
#include "platform/Text.h"

namespace hvx {
namespace {

// The first row of a query on HVXGR40, one text per column; empty texts when
// the table has no row (or the statement fails).
std::vector<std::string> FirstRow(const char* sql, int columns) {
    HVXSConnection connection(1, nullptr, 0);
    std::vector<SqlRow> rows;
    if (!LiteralStatements(connection).Query({sql}, {}, columns, rows) || rows.empty())
        return std::vector<std::string>(static_cast<std::size_t>(columns));
    return std::move(rows.front());
}

std::string FirstValue(const char* sql) {
    return FirstRow(sql, 1).front();
}

const char* ChargeStatement(ChargeKind kind) {
    switch (kind) {
        case ChargeKind::Service: return "SELECT DSERVICE FROM HVXGR40";
        case ChargeKind::Storage: return "SELECT DSTORAGE FROM HVXGR40";
        case ChargeKind::Interest: return "SELECT DINTEREST FROM HVXGR40";
    }
    return "SELECT DSERVICE FROM HVXGR40";
}

constexpr std::size_t kDeductionCodeSize = 40;

}  // namespace

bool SettByTicket() {
    const std::string value = FirstValue("SELECT SETTBYTICK FROM HVXGR40");
    return !value.empty() && value.front() == 'T';
}

void ChargeDeductionCode(ChargeKind kind, char* buffer, std::size_t size) {
    CopyToBuffer(ChargeDeductionCode(kind), buffer, size);
}

std::string ChargeDeductionCode(ChargeKind kind) {
    char code[kDeductionCodeSize + 1];
    CopyToBuffer(FirstValue(ChargeStatement(kind)), code, sizeof code);
    return code;
}

std::string BackOfficeSetting() {
    return FirstValue("SELECT BCKOFFCE FROM HVXGR40");
}

ShipmentConfiguration ReadShipmentConfiguration() {
    std::vector<std::string> row = FirstRow("SELECT CONFIG9,CONFIG19,BCKOFFCE FROM HVXGR40", 3);
    return {std::move(row[0]), std::move(row[1]), std::move(row[2])};
}

}  // namespace hvx
