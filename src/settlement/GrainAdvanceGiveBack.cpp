// Giving repayments back to their advances: a re-saved settlement starts from
// its advances' state before it, and deletion and reversal undo what the
// settlement repaid. The status follows what is still owed, so a paid advance
// reopens.
#include <cstdlib>

#include "platform/Format.h"
#include "platform/Text.h"
#include "platform/HVXConnection.h"
#include "platform/HVXSConnection.h"
#include "platform/Rounding.h"
#include "platform/Statements.h"
#include "settlement/GrainAdvanceObject.h"

namespace hvx::settlement {
namespace {

const char* const kRepaymentsOf = "SELECT ADVLINK,AMOUNT,RECNO FROM HVXGR57A WHERE SOURCELINK = ?";
const char* const kDeleteRepayment = "DELETE FROM HVXGR57A WHERE RECNO = ?";
const char* const kAdvance = "SELECT AMOUNT,RAMOUNT,RECNO FROM HVXGR57 WHERE ADVLINK = ?";
const char* const kUpdateRepaid = "UPDATE HVXGR57 SET RAMOUNT = ?, OPENPAID = ? WHERE RECNO = ?";
const char* const kAdvanceLiteral = "SELECT AMOUNT,RAMOUNT,RECNO FROM HVXGR57 WHERE ADVLINK = '%s'";
const char* const kUpdateRepaidLiteral =
    "UPDATE HVXGR57 SET RAMOUNT='%.2f', OPENPAID='%s' WHERE RECNO=%s";

const char* const kDeleteFailed = "Error deleting HVXGR57A record.";
const char* const kGiveBackFailed = "Unable to update HVXGR57.";

}  // namespace

GiveBackResult GiveBackAmount(double advanceAmount, double repaid, double amount) {
    GiveBackResult result;
    result.repaid = HVXRound(repaid - HVXRound(amount, 2), 2);
    result.status = result.repaid < HVXRound(advanceAmount, 2) ? "O" : "P";
    return result;
}

bool GrainAdvanceObject::GiveBack(HVXConnection& connection, std::string_view advLink,
                                  double amount) {
    std::vector<SqlRow> rows;
    if (!PreparedStatements(connection).Query({{}, kAdvance}, {std::string(advLink)}, 3, rows) ||
        rows.empty())
        return false;
    const SqlRow& advance = rows.front();
    const GiveBackResult back = GiveBackAmount(TextNumber(advance[0]), TextNumber(advance[1]), amount);
    return PreparedStatements(connection)
               .Change({{}, kUpdateRepaid}, {_HVXsprintf("%.2f", back.repaid), back.status,
                                             _Fmt("%.0f", TextNumber(advance[2]))}) >= 1;
}

bool GrainAdvanceObject::GiveBack(HVXSConnection& connection, std::string_view advLink,
                                  double amount) {
    if (!connection.ExecSQL(_HVXsprintf(kAdvanceLiteral, advLink)) || !connection.FetchNext())
        return false;
    const std::string advanceAmount = connection.Column(1);
    const std::string repaid = connection.Column(2);
    const std::string recno = connection.Column(3);
    connection.FreeStatement();
    const GiveBackResult back = GiveBackAmount(TextNumber(advanceAmount), TextNumber(repaid), amount);
    return connection.ExecSQLChange(
               _HVXsprintf(kUpdateRepaidLiteral, back.repaid, back.status, recno)) >= 1;
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
