// Giving repayments back to their advances: a re-saved settlement starts from
// its advances' state before it, and deletion and reversal undo what the
// settlement repaid. The status follows what is still owed, so a paid advance
// reopens.
#include <cstdlib>

#include "platform/Format.h"
#include "platform/HVXConnection.h"
#include "platform/HVXSConnection.h"
#include "platform/Rounding.h"
#include "platform/Statements.h"
#include "platform/Text.h"
#include "settlement/GrainAdvanceObject.h"

namespace hvx::settlement {
namespace {

const char* const kRepaymentsOf = "SELECT ADVLINK,AMOUNT,RECNO FROM HVXGR57A WHERE SOURCELINK = ?";
const char* const kDeleteRepayment = "DELETE FROM HVXGR57A WHERE RECNO = ?";
const SqlPair kAdvance{"SELECT AMOUNT,RAMOUNT,RECNO FROM HVXGR57 WHERE ADVLINK = '%s'",
                       "SELECT AMOUNT,RAMOUNT,RECNO FROM HVXGR57 WHERE ADVLINK = ?"};
const SqlPair kUpdateRepaid{"UPDATE HVXGR57 SET RAMOUNT='%.2f', OPENPAID='%s' WHERE RECNO=%s",
                            "UPDATE HVXGR57 SET RAMOUNT = ?, OPENPAID = ? WHERE RECNO = ?"};

const char* const kDeleteFailed = "Error deleting HVXGR57A record.";
const char* const kGiveBackFailed = "Unable to update HVXGR57.";

bool GiveBackOn(Statements& sql, std::string_view advLink, double amount) {
    std::vector<SqlRow> rows;
    if (!sql.Query(kAdvance, {advLink}, 3, rows) || rows.empty()) return false;
    const SqlRow& advance = rows.front();
    const GiveBackResult back =
        GiveBackAmount(TextNumber(advance[0]), TextNumber(advance[1]), amount);
    // RECNO is an integer column, so its number is the text it was read as.
    return sql.Change(kUpdateRepaid,
                      {back.repaid, back.status, _Fmt("%.0f", TextNumber(advance[2]))}) >= 1;
}

}  // namespace

GiveBackResult GiveBackAmount(double advanceAmount, double repaid, double amount) {
    GiveBackResult result;
    result.repaid = HVXRound(repaid - HVXRound(amount, 2), 2);
    result.status = result.repaid < HVXRound(advanceAmount, 2) ? "O" : "P";
    return result;
}

bool GrainAdvanceObject::GiveBack(HVXConnection& connection, std::string_view advLink,
                                  double amount) {
    PreparedStatements sql(connection);
    return GiveBackOn(sql, advLink, amount);
}

bool GrainAdvanceObject::GiveBack(HVXSConnection& connection, std::string_view advLink,
                                  double amount) {
    LiteralStatements sql(connection);
    return GiveBackOn(sql, advLink, amount);
}

bool GrainAdvanceObject::RemoveRepayments(HVXConnection& connection,
                                          std::string_view settlementLink, std::string& message) {
    std::vector<SqlRow> repayments;
    if (!PreparedStatements(connection)
             .Query({{}, kRepaymentsOf}, {std::string(settlementLink)}, 3, repayments)) {
        message = connection.LastError();
        return false;
    }
    for (const SqlRow& repayment : repayments) {
        if (!GiveBack(connection, repayment[0], TextNumber(repayment[1]))) {
            message = kGiveBackFailed;
            return false;
        }
        if (PreparedStatements(connection)
                .Change({{}, kDeleteRepayment}, {_Fmt("%.0f", TextNumber(repayment[2]))}) < 1) {
            message = kDeleteFailed;
            return false;
        }
    }
    return true;
}

}  // namespace hvx::settlement
