// Giving repayments back to their advances: a re-saved settlement starts from
// its advances' state before it, and deletion and reversal undo what the
// settlement repaid. The status follows what is still owed, so a paid advance
// reopens.
#include <cstdlib>

#include "platform/Fail.h"
#include "platform/Format.h"
#include "platform/HVXConnection.h"
#include "platform/HVXSConnection.h"
#include "platform/Rounding.h"
#include "platform/Statements.h"
#include "platform/Text.h"
#include "settlement/GrainAdvanceObject.h"

namespace hvx::settlement {
namespace {

// A record number read from a row is written back as its "%.0f" text: RECNO
// is an integer column, so that is the very text the row held.
const SqlPair kRepaymentsOf{"SELECT ADVLINK,AMOUNT,RECNO FROM HVXGR57A WHERE SOURCELINK='%s'",
                            "SELECT ADVLINK,AMOUNT,RECNO FROM HVXGR57A WHERE SOURCELINK = ?"};
const SqlPair kDeleteRepayment{"DELETE FROM HVXGR57A WHERE RECNO = %s",
                               "DELETE FROM HVXGR57A WHERE RECNO = ?"};
const SqlPair kAdvance{"SELECT AMOUNT,RAMOUNT,RECNO FROM HVXGR57 WHERE ADVLINK = '%s'",
                       "SELECT AMOUNT,RAMOUNT,RECNO FROM HVXGR57 WHERE ADVLINK = ?"};
const SqlPair kUpdateRepaid{"UPDATE HVXGR57 SET RAMOUNT='%.2f', OPENPAID='%s' WHERE RECNO=%s",
                            "UPDATE HVXGR57 SET RAMOUNT = ?, OPENPAID = ? WHERE RECNO = ?"};

// What a removal says when it fails, and the fewest rows a delete of one
// repayment must change. The save wants the database's own message for a
// failed read (no readFailed) and every repayment deleted; the deletion of a
// settlement names the records it could not change.
struct RepaymentRemoval {
    const char* readFailed;
    const char* giveBackFailed;
    const char* deleteFailed;
    long fewestDeleted;
};
const RepaymentRemoval kSaveRemoval{nullptr, "Unable to update HVXGR57.",
                                    "Error deleting HVXGR57A record.", 1};
const RepaymentRemoval kDeletionRemoval{"Unable to update advance payment (HVXGR57) information.",
                                        "Unable to update advance payment (HVXGR57) information.",
                                        "Unable to delete advance payment (HVXGR57A) information.",
                                        0};

bool GiveBackOn(Statements& sql, std::string_view advLink, double amount) {
    std::vector<SqlRow> rows;
    if (!sql.Query(kAdvance, {advLink}, 3, rows) || rows.empty()) return false;
    const SqlRow& advance = rows.front();
    const GiveBackResult back =
        GiveBackAmount(TextNumber(advance[0]), TextNumber(advance[1]), amount);
    return sql.Change(kUpdateRepaid,
                      {back.repaid, back.status, _Fmt("%.0f", TextNumber(advance[2]))}) >= 1;
}

bool RemoveRepaymentsOn(Statements& sql, std::string_view settlementLink,
                        const RepaymentRemoval& says, std::string& message) {
    std::vector<SqlRow> repayments;
    if (!sql.Query(kRepaymentsOf, {settlementLink}, 3, repayments))
        return Fail(message, says.readFailed ? says.readFailed : sql.LastError());
    for (const SqlRow& repayment : repayments) {
        if (!GiveBackOn(sql, repayment[0], TextNumber(repayment[1])))
            return Fail(message, says.giveBackFailed);
        if (sql.Change(kDeleteRepayment, {_Fmt("%.0f", TextNumber(repayment[2]))}) <
            says.fewestDeleted)
            return Fail(message, says.deleteFailed);
    }
    return true;
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
    PreparedStatements sql(connection);
    return RemoveRepaymentsOn(sql, settlementLink, kSaveRemoval, message);
}

bool GrainAdvanceObject::RemoveRepayments(HVXSConnection& connection,
                                          std::string_view settlementLink, std::string& message) {
    LiteralStatements sql(connection);
    return RemoveRepaymentsOn(sql, settlementLink, kDeletionRemoval, message);
}

}  // namespace hvx::settlement
