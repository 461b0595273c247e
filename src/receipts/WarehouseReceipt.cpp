#include "receipts/WarehouseReceipt.h"

#include <vector>

#include "platform/HVXSConnection.h"
#include "platform/Statements.h"
#include "platform/Text.h"

namespace hvx::receipts {
namespace {

const char* const kReadReceipt =
    "SELECT CWRREF,ISSUDATE,VENREF,COMMODITY,LOCATION,UNITS,SETTDATE,OPENCLOSE,CWRLINK,"
    "NUMCHANGE,STR(RECNO),LMODDATE,LMODTIME,LMODUSER FROM HVXGR08 WHERE RECNO = %.0f";
constexpr int kReadColumns = 14;

std::string Trim(std::string text) {
    TRIM(text);
    return text;
}

}  // namespace

std::string WarehouseReceipt::StatusOfForm() const {
    return std::string(Trim(settleDate).empty() ? kOpen : kClosed);
}

ReceiptKey KeyOf(const WarehouseReceipt& receipt) {
    return {receipt.cwrRef, receipt.commodity, receipt.location, receipt.units, receipt.openClose};
}

bool ReadReceipt(double recno, WarehouseReceipt& receipt, std::string& message) {
    HVXSConnection connection(1, nullptr, 0);
    std::vector<SqlRow> rows;
    if (!LiteralStatements(connection).Query({kReadReceipt}, {recno}, kReadColumns, rows) ||
        rows.empty()) {
        message = "Unable to read the warehouse receipt.";
        return false;
    }
    SqlRow& r = rows.front();
    receipt = {
        r[0],  r[1],  r[2], r[3], r[4], r[5], r[6], Trim(r[7]), r[8], r[9], TextNumber(r[10]),
        r[11], r[12], r[13]};
    return true;
}

double OtherReceiptWithReference(std::string_view cwrRef, double recno) {
    HVXSConnection connection(1, nullptr, 0);
    std::string other;
    LiteralStatements(connection)
        .Value({"SELECT STR(RECNO) FROM HVXGR08 WHERE CWRREF = '%s' AND RECNO <> %.0f"},
               {cwrRef, recno}, other);
    return TextNumber(other);
}

}  // namespace hvx::receipts
