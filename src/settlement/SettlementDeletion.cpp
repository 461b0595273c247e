#include "settlement/SettlementDeletion.h"
#include "platform/Text.h"

#include <cstdlib>

#include "platform/EngineReason.h"
#include "platform/Fail.h"
#include "platform/Format.h"
#include "platform/HVXConnection.h"
#include "platform/HVXSConnection.h"
#include "platform/Rounding.h"
#include "platform/Statements.h"
#include "platform/Transaction.h"
#include "platform/UiPort.h"
#include "rules/Categories.h"
#include "rules/SettlementTypes.h"
#include "rules/SourceKinds.h"
#include "settlement/AssemblySettle.h"
#include "settlement/GrainAdvanceObject.h"
#include "settlement/OpenContractAdjust.h"
#include "settlement/ScaleTicketSettle.h"
#include "settlement/SettlementLocks.h"
#include "settlement/SettlementRecordSet.h"
#include "settlement/SettlementSaveWindow.h"
#include "shell/ProcessLocks.h"

namespace hvx::settlement {
namespace {

// Every connection object is a statement scope over the one session, so the
// transaction begun here covers the statements of the simple connection.
const char* const kCarrier = "SELECT RECNO FROM HVXGR04";

const char* const kSettledUnits = "SELECT OUNITS,UNITSSET FROM HVXGR04F WHERE SETLINK = ?";
const char* const kSingleSourceLines =
    "SELECT SOURCE,SOURCELINK,UNITSSET,DLLINK,TOTPRICE FROM HVXGR04D WHERE SETTLEMENT='%s'";
const char* const kMultipleSourceLines =
    "SELECT SOURCE,SOURCELINK,UNITSSET,TOTPRICE FROM HVXGR04D WHERE SETTLEMENT='%s'";
const char* const kDeleteHeader = "DELETE FROM HVXGR04 WHERE RECNO = %.0f";
const char* const kPostedFlag = "SELECT POSTED FROM HVXGR04 WHERE RECNO=%.0f";

const char* const kPosted = "Cannot delete posted settlement.";
const char* const kProcessLockRefused = "Unable to get required lock to delete settlement.";
const char* const kSettledOnward =
    "Settlement has settled units. Please delete all settlements with units from this "
    "settlement and try again.";
const char* const kBeginFailed = "Unable to begin connection transaction.";
const char* const kUnitsNotUndone = "Unable undo assembly settled units.";
const char* const kAdvanceFailed = "Unable to update advance payment (HVXGR57) information.";
const char* const kHeaderNotDeleted = "Unable to delete HVXGR04 header information.";
const char* const kCommitFailed = "Error committing connection transaction.";

// The settlement's rows after its header, in the order they are deleted.
struct RowDelete {
    const char* sql;
    const char* failure;
};
const RowDelete kRowDeletes[] = {
    {"DELETE FROM HVXGR04A WHERE SETTLEMENT='%s'", "Error deleting detail from HVXGR04A."},
    {"DELETE FROM HVXGR04B WHERE SETTLEMENT='%s'", "Error deleting detail from HVXGR04B."},
    {"DELETE FROM HVXGR04C WHERE SETTLEMENT='%s'", "Error deleting detail from HVXGR04C."},
    {"DELETE FROM HVXGR04D WHERE SETTLEMENT='%s'", "Error deleting detail from HVXGR04D."},
    {"DELETE FROM HVXGR04E WHERE SETTLEMENT='%s'", "Error deleting detail from HVXGR04E."},
    {"DELETE FROM HVXGR04F WHERE SETTLEMENT='%s'", "Unable to delete HVXGR04F header information."},
    {"DELETE FROM HVXGR57 WHERE SETTLEMENT='%s'", "Error deleting detail from HVXGR57."},
};

// The stored settlement is not posted. Read under the locks: the window may
// have loaded it before it was posted. False with the message when it is
// posted or cannot be read, so a settlement is never deleted on a guess.
bool StillUnposted(double recno, std::string& message) {
    HVXSConnection connection(1, nullptr, 0);
    std::vector<SqlRow> rows;
    if (!LiteralStatements(connection).Query({kPostedFlag}, {recno}, 1, rows))
        return Fail(message, kHeaderNotDeleted);
    return rows.empty() || rows[0][0] != "T" || Fail(message, kPosted);
}

// No advance this settlement paid out has been repaid: deleting the
// settlement deletes its advances, and a repayment made by another
// settlement would be left repaying nothing.
bool PaidOutAdvancesUnrepaid(const std::string& setLink, std::string& message) {
    HVXSConnection connection(1, nullptr, 0);
    bool repaid = false;
    if (!PaidOutAdvanceRepaid(connection, setLink, repaid)) return Fail(message, kAdvanceFailed);
    return !repaid || Fail(message, kAdvanceHasPayments);
}

// A destination whose open units differ from its units has been drawn on by
// a later settlement. An unreadable destination counts as drawn on.
bool SettledOnward(const std::string& setLink) {
    HVXConnection connection(1);
    std::vector<SqlRow> rows;
    if (!PreparedStatements(connection).Query({{}, kSettledUnits}, {setLink}, 2, rows)) return true;
    for (const SqlRow& row : rows)
        if (HVXRound(std::atof(row[0].c_str()), 4) != HVXRound(std::atof(row[1].c_str()), 4))
            return true;
    return false;
}

// Gives units back to one source. Kinds without a source record have none.
bool GiveBack(HVXSConnection& connection, const std::string& kind, const std::string& link,
              double units, double dollars, std::string& message) {
    if (kind == kAssembly)
        return SettleAssemblySplit(connection, link, -units) || Fail(message, kUnitsNotUndone);
    if (kind == kScaleTicket)
        return SettleScaleTicket(connection, link, -units) || Fail(message, kUnitsNotUndone);
    if (IsOpenContractCategory(kind))
        return AdjustOpenContract(connection, TextNumber(link), -units, -dollars, message);
    return true;
}

// A single-source settlement draws all its units from one source, which
// gets them back summed; a multiple-source settlement gives back line by line.
bool GiveBackUnits(HVXSConnection& connection, const SettlementHeader& header,
                   std::string& message) {
    const bool single = header.type == SettlementType::SingleSource;
    std::vector<SqlRow> rows;
    if (!LiteralStatements(connection)
             .Query({single ? kSingleSourceLines : kMultipleSourceLines}, {header.settlement},
                    single ? 5 : 4, rows))
        return Fail(message, kUnitsNotUndone);
    if (!single) {
        for (const SqlRow& r : rows)
            if (!GiveBack(connection, r[0], r[1], TextNumber(r[2]), TextNumber(r[3]), message))
                return false;
        return true;
    }
    if (rows.empty()) return true;
    double units = 0, dollars = 0;
    for (const SqlRow& r : rows) {
        units += TextNumber(r[2]);
        dollars += TextNumber(r[4]);
    }
    return GiveBack(connection, rows.front()[0], rows.front()[1], units, dollars, message);
}

bool DeleteRows(HVXSConnection& connection, const SettlementHeader& header, std::string& message) {
    LiteralStatements sql(connection);
    if (sql.Change({kDeleteHeader}, {header.recno}) < 0) return Fail(message, kHeaderNotDeleted);
    for (const RowDelete& d : kRowDeletes)
        if (sql.Change({d.sql}, {header.settlement}) < 0) return Fail(message, d.failure);
    return true;
}

// Steps inside the locks; false with the message to show.
bool DeleteUnderLocks(SettlementSaveWindow& window) {
    const SettlementHeader& header = window.set.header;
    if (!StillUnposted(header.recno, window.message)) return false;
    if (SettledOnward(header.setLink)) return Fail(window.message, kSettledOnward);
    if (!PaidOutAdvancesUnrepaid(header.setLink, window.message)) return false;
    HVXConnection carrier(1);
    Transaction transaction(carrier, kCarrier);
    if (!transaction.Begun()) return Fail(window.message, kBeginFailed);
    HVXSConnection connection(1, nullptr, 0);
    if (!GiveBackUnits(connection, header, window.message) ||
        !GrainAdvanceObject::RemoveRepayments(connection, header.setLink, window.message) ||
        !DeleteRows(connection, header, window.message))
        return false;
    return transaction.Commit() || Fail(window.message, kCommitFailed);
}

}  // namespace

bool DeleteSettlement(SettlementSaveWindow& window) {
    window.message.clear();
    // Its messages are shown here, and carry the engine's reason from there.
    EngineFailureWatch watch;
    const auto show = [&window](std::string_view text) {
        ShowMessage(window.ui, text);
        return false;
    };
    if (window.set.header.posted) return show(kPosted);
    // A settlement never saved has nothing stored to delete: its statements
    // would match every row whose settlement number is empty (advances not
    // paid out by a settlement among them), so only the window is cleared.
    const bool stored = window.set.header.recno != 0 && !window.set.header.settlement.empty();
    if (stored) {
        if (!TryProcessLock(kGrainProcessLock)) return show(kProcessLockRefused);
        const bool locked = LockForUpdate(window, LockPurpose::Delete);
        const bool deleted = locked && DeleteUnderLocks(window);
        ReleaseProcessLock(kGrainProcessLock);
        ReleaseAfterUpdate(window, true);
        if (!deleted) return show(window.message);
    }

    window.set.ClearLists();
    window.set.header = SettlementHeader{};
    window.set.defaults.Clear();
    window.set.terms = DestinationTerms{};
    window.set.loadedTotals = LineTotals{};
    return true;
}

}  // namespace hvx::settlement
