#include "receipts/ReceiptStore.h"

#include "platform/Dates.h"
#include "platform/EngineReason.h"
#include "platform/Format.h"
#include "platform/HVXConnection.h"
#include "platform/HVXSConnection.h"
#include "platform/NextNumbers.h"
#include "platform/Statements.h"
#include "platform/Text.h"
#include "platform/Transaction.h"
#include "receipts/ReceiptActivity.h"

namespace hvx::receipts {
namespace {

const char* const kInsert =
    "INSERT INTO HVXGR08 (CWRREF,ISSUDATE,VENREF,COMMODITY,LOCATION,UNITS,SETTDATE,OPENCLOSE,"
    "CWRLINK,NUMCHANGE,LMODDATE,LMODTIME,LMODUSER,RECNO) VALUES ('%s',{%s},'%s','%s','%s','%s',"
    "{%s},'%s','%s','%s',{%s},'%s','%s',%.0f)";
// Guarded by the change counter read with the receipt: a receipt another
// user saved in between changes no row, and the save fails.
const char* const kUpdate =
    "UPDATE HVXGR08 SET CWRREF = '%s',ISSUDATE = {%s},VENREF = '%s',COMMODITY = '%s',"
    "LOCATION = '%s',UNITS = '%s',SETTDATE = {%s},OPENCLOSE = '%s',CWRLINK = '%s',"
    "NUMCHANGE = '%s',LMODDATE = {%s},LMODTIME = '%s',LMODUSER = '%s' WHERE RECNO = %.0f "
    "AND NUMCHANGE = '%s'";
const char* const kDelete = "DELETE FROM %s WHERE RECNO = %.0f";
const char* const kCarrier = "SELECT RECNO FROM HVXGR08";

std::string SqlDate(std::string date) {
    SQLFmtDate(date);
    return date;
}

std::string NextChange(const std::string& numChange) {
    return _HVXsprintf("%.0f", TextNumber(numChange) + 1);
}

bool WriteRow(HVXSConnection& connection, const WarehouseReceipt& r, bool stored,
              const std::string& oldChange) {
    LiteralStatements sql(connection);
    const std::string issued = SqlDate(r.issueDate), settled = SqlDate(r.settleDate),
                      modified = SqlDate(r.lmodDate);
    if (!stored)
        return sql.Change({kInsert}, {r.cwrRef, issued, r.vendor, r.commodity, r.location, r.units,
                                      settled, r.openClose, r.cwrLink, r.numChange, modified,
                                      r.lmodTime, r.lmodUser, r.recno}) == 1;
    return sql.Change({kUpdate}, {r.cwrRef, issued, r.vendor, r.commodity, r.location, r.units,
                                  settled, r.openClose, r.cwrLink, r.numChange, modified,
                                  r.lmodTime, r.lmodUser, r.recno, oldChange}) == 1;
}

bool Store(WarehouseReceipt& receipt, const ReceiptKey& loaded, const ReceiptStamp& stamp) {
    const bool stored = receipt.Stored();
    const std::string oldChange = receipt.numChange;
    HVXConnection carrier(1);
    Transaction tran(carrier, kCarrier);
    if (!tran.Begun()) return false;
    WarehouseReceipt r = receipt;
    if (stored) {
        r.numChange = NextChange(oldChange);
    } else {
        r.recno = NextRecordNumber(kReceiptTable);
        if (r.recno == 0) return false;
        r.cwrLink = _HVXsprintf("%.0f", r.recno);
        r.numChange = "0";
    }
    r.openClose = r.StatusOfForm();
    r.lmodDate = CurrentDate();
    r.lmodTime = TwelveHourTime(stamp.clock());
    r.lmodUser = stamp.user;
    HVXSConnection connection(1, nullptr, 0);
    const ReceiptKey now = KeyOf(r);
    if (!WriteRow(connection, r, stored, oldChange) ||
        !RecordMoves(connection, stored ? MovesOfChange(loaded, now) : MovesOfNewReceipt(now)) ||
        !tran.Commit())
        return false;
    receipt = std::move(r);
    return true;
}

bool Delete(double recno) {
    HVXConnection carrier(1);
    Transaction tran(carrier, kCarrier);
    WarehouseReceipt stored;
    std::string ignored;
    if (!tran.Begun() || !ReadReceipt(recno, stored, ignored)) return false;
    HVXSConnection connection(1, nullptr, 0);
    return LiteralStatements(connection).Change({kDelete}, {kReceiptTable, recno}) == 1 &&
           RecordMoves(connection, MovesOfDelete(KeyOf(stored))) && tran.Commit();
}

}  // namespace

bool SaveReceipt(WarehouseReceipt& receipt, const ReceiptKey& loaded, const ReceiptStamp& stamp,
                 std::string& message) {
    message = receipt.Stored() ? kMsgSaveFailed : kMsgInsertFailed;
    if (!RunExplained(message, [&] { return Store(receipt, loaded, stamp); })) return false;
    message.clear();
    return true;
}

bool DeleteReceipt(double recno, std::string& message) {
    message = kMsgDeleteFailed;
    if (!RunExplained(message, [&] { return Delete(recno); })) return false;
    message.clear();
    return true;
}

}  // namespace hvx::receipts
