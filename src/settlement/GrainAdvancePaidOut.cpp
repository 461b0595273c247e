// The advances a settlement pays out (its advance additions): one HVXGR57
// record per line that pays one, found again at each save by the line's link
// (by the settlement's link in a multiple-source settlement, whose items have
// no line link).
#include <cstdlib>

#include "platform/Format.h"
#include "platform/HVXConnection.h"
#include "platform/HVXSConnection.h"
#include "platform/NextNumbers.h"
#include "platform/Rounding.h"
#include "platform/Statements.h"
#include "settlement/GrainAdvanceObject.h"
#include "settlement/GrainAdvanceTrackingObject.h"

namespace hvx::settlement {
namespace {

const char* const kPaidOutBySettlement =
    "SELECT SETITEM,RAMOUNT,RECNO FROM HVXGR57 WHERE SETTLELINK = ?";
const char* const kBySettlement = "SELECT RAMOUNT,RECNO FROM HVXGR57 WHERE SETTLELINK = ?";
const char* const kByLine = "SELECT RAMOUNT,RECNO FROM HVXGR57 WHERE SETITEM = ?";
const char* const kUpdate =
    "UPDATE HVXGR57 SET CUSTREF=?, CUSTNAME=?, ADVDATE=?, SOURCE=?, SOURCEREF=?,AMOUNT=?, "
    "CHECKNUM=?, OPENPAID=? WHERE RECNO=?";
const char* const kInsert =
    "INSERT INTO HVXGR57 (CUSTREF,CUSTNAME,ADVDATE,SOURCE,SOURCEREF,SETTLEMENT,AMOUNT,RAMOUNT,"
    "CHECKNUM,OPENPAID,SETTLELINK,SETITEM,ADVLINK,NUMCHANGE,RECNO) VALUES "
    "(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)";
const char* const kDelete = "DELETE FROM HVXGR57 WHERE RECNO = ?";
const char* const kRepaidLiteral = "SELECT RAMOUNT FROM HVXGR57 WHERE SETTLELINK='%s'";

const char* const kDeleteFailed = "Error deleting from HVXGR57.";
const char* const kBelowPaid = "Update terminated:  Advance amount is less than Paid amount.";
const char* const kUpdateFailed = "Unable to update HVXGR57.";
const char* const kInsertFailed = "HVXGR57 Insert Failed.";

double Cents(const std::string& text) {
    return HVXRound(std::atof(text.c_str()), 2);
}
std::string Money(double value) {
    return _HVXsprintf("%.2f", value);
}

bool QueryFailed(HVXConnection& connection, std::string& message) {
    message = connection.LastError();
    return false;
}

// Advances this settlement paid out on lines that no longer pay one go away,
// unless something has been repaid on them already.
bool DropRemovedAdvances(const GrainAdvanceTrackingObject& tracking, HVXConnection& connection,
                         const std::string& settlementLink, std::string& message) {
    std::vector<SqlRow> rows;
    if (!PreparedStatements(connection)
             .Query({{}, kPaidOutBySettlement}, {settlementLink}, 3, rows))
        return QueryFailed(connection, message);
    for (const SqlRow& row : rows) {
        if (tracking.FindPaidOutItem(row[0])) continue;
        if (Cents(row[1]) != 0) {
            message = kAdvanceHasPayments;
            return false;
        }
        if (!GrainAdvanceObject::DeleteAdvance(connection, std::atof(row[2].c_str()), message))
            return false;
    }
    return true;
}

bool UpdateAdvance(HVXConnection& connection, const AdvanceSettlement& settlement,
                   const GrainAdvanceItem& item, const SqlRow& found, std::string& message) {
    const double amount = HVXRound(item.amount, 2);
    const double repaid = Cents(found[0]);
    if (amount < repaid) {
        message = kBelowPaid;
        return false;
    }
    const int changed =
        PreparedStatements(connection)
            .Change({{}, kUpdate},
                    {settlement.custRef, settlement.custName, settlement.date, item.source,
                     item.sourceRef, Money(amount), item.checkNumber, amount == repaid ? "P" : "O",
                     _Fmt("%.0f", std::atof(found[1].c_str()))});
    if (changed < 1) {
        message = kUpdateFailed;
        return false;
    }
    return true;
}

bool InsertAdvance(HVXConnection& connection, const AdvanceSettlement& settlement,
                   const GrainAdvanceItem& item, std::string& message) {
    const double recno = NextRecordNumber("HVXGR57");
    const std::string link = _Fmt("%.0f", recno);
    const int changed =
        recno == 0
            ? -1
            : PreparedStatements(connection)
                  .Change({{}, kInsert}, {settlement.custRef, settlement.custName, settlement.date,
                                          item.source, item.sourceRef, settlement.number,
                                          Money(HVXRound(item.amount, 2)), "0.00", item.checkNumber,
                                          "O", settlement.link, item.lineLink, link, "0", link});
    if (changed < 1) {
        message = kInsertFailed;
        return false;
    }
    return true;
}

}  // namespace

bool GrainAdvanceObject::UpdatePaidOutAdvances(const GrainAdvanceTrackingObject& tracking,
                                               HVXConnection& connection,
                                               const AdvanceSettlement& settlement,
                                               std::string& message) {
    if (!DropRemovedAdvances(tracking, connection, settlement.link, message)) return false;
    for (const GrainAdvanceItem& item : tracking.Items()) {
        if (item.amount <= 0) continue;
        const bool byLine = !item.lineLink.empty();
        std::vector<SqlRow> found;
        if (!PreparedStatements(connection)
                 .Query({{}, byLine ? kByLine : kBySettlement},
                        {byLine ? item.lineLink : settlement.link}, 2, found))
            return QueryFailed(connection, message);
        const bool ok = found.empty()
                            ? InsertAdvance(connection, settlement, item, message)
                            : UpdateAdvance(connection, settlement, item, found.front(), message);
        if (!ok) return false;
    }
    return true;
}

bool GrainAdvanceObject::DeleteAdvance(HVXConnection& connection, double recno,
                                       std::string& message) {
    if (PreparedStatements(connection).Change({{}, kDelete}, {_Fmt("%.0f", recno)}) < 0) {
        message = kDeleteFailed;
        return false;
    }
    return true;
}

bool PaidOutAdvanceRepaid(HVXSConnection& connection, std::string_view settlementLink,
                          bool& repaid) {
    repaid = false;
    std::vector<SqlRow> rows;
    if (!LiteralStatements(connection).Query({kRepaidLiteral}, {settlementLink}, 1, rows))
        return false;
    for (const SqlRow& row : rows)
        if (HVXRound(std::atof(row[0].c_str()), 4) != 0) repaid = true;
    return true;
}

}  // namespace hvx::settlement
