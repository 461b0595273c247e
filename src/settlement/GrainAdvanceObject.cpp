// The advance step of the save, in its fixed order: enough open advances,
// earlier repayments given back, the question, the advances this settlement
// pays out, then the repayments.
#include "settlement/GrainAdvanceObject.h"

#include "platform/HVXConnection.h"
#include "platform/Rounding.h"
#include "platform/Statements.h"
#include "platform/Text.h"
#include "platform/UiPort.h"
#include "settlement/AdvanceSelectionPort.h"
#include "settlement/GrainAdvanceTrackingObject.h"

namespace hvx::settlement {
namespace {

const char* const kOpenAdvances = "SELECT AMOUNT,RAMOUNT FROM HVXGR57 WHERE OPENPAID='O'";

const char* const kNotEnough = "There are not enough advances available to pay this deduction.";
const char* const kQuestion =
    "There are advance payments on this settlement. Do you wish to have the payments "
    "automatically calculated?\n\nIf 'No' is selected, you can manually select which advances "
    "to pay.";
const char* const kCanceled = "Advance update canceled.\nSettlement save operation aborted.";

const char* const kOwnRepayments = "SELECT AMOUNT FROM HVXGR57A WHERE SOURCELINK = ?";

// What all customers still owe on open advances, and what this settlement
// repaid when it was saved before: the next step gives those repayments back,
// so an unchanged re-save may repay them again.
bool AvailableAdvances(HVXConnection& connection, std::string_view settlementLink, double& total,
                       std::string& message) {
    std::vector<SqlRow> open, own;
    if (!PreparedStatements(connection).Query({{}, kOpenAdvances}, {}, 2, open) ||
        !PreparedStatements(connection).Query({{}, kOwnRepayments}, {settlementLink}, 1, own)) {
        message = connection.LastError();
        return false;
    }
    total = 0;
    for (const SqlRow& row : open) total += TextNumber(row[0]) - TextNumber(row[1]);
    for (const SqlRow& row : own) total += TextNumber(row[0]);
    total = HVXRound(total, 2);
    return true;
}

}  // namespace

bool GrainAdvanceObject::ApplyAdvances(GrainAdvanceTrackingObject& tracking,
                                       HVXConnection& connection,
                                       const AdvanceSettlement& settlement, std::string& message) {
    const bool repays = tracking.HasRepayments();
    if (repays) {
        double open = 0;
        if (!AvailableAdvances(connection, settlement.link, open, message)) return false;
        if (open < tracking.RepaymentTotal()) {
            message = kNotEnough;
            return false;
        }
    }
    // A re-saved settlement starts from its advances' state before it.
    if (!RemoveRepayments(connection, settlement.link, message)) return false;
    if (repays && !AskHowToApply(tracking, settlement.custRef, message)) return false;
    if (!UpdatePaidOutAdvances(tracking, connection, settlement, message)) return false;

    for (const GrainAdvanceItem& item : tracking.Items()) {
        if (item.amount >= 0) continue;
        const AdvanceRepayer repayer{settlement.link, item.lineLink, item.checkNumber};
        const double amount = -item.amount;
        const bool applied =
            tracking.ChoseByHand()
                ? ApplyToChosen(connection, tracking.Chosen(), repayer, amount, message)
                : ApplyAutomatically(connection, settlement.custRef, item.source, item.sourceRef,
                                     repayer, amount, message);
        if (!applied) return false;
    }
    return true;
}

bool GrainAdvanceObject::AskHowToApply(GrainAdvanceTrackingObject& tracking,
                                       std::string_view custRef, std::string& message) {
    const MsgAnswer answer =
        ui_.MessageBox(kQuestion, kCaption, MsgButtons::YesNoCancel, MsgIcon::Question);
    if (answer == MsgAnswer::Yes) {
        tracking.SetAutomatic();
        return true;
    }
    if (answer == MsgAnswer::No) {
        std::vector<double> chosen;
        switch (selection_.Choose(custRef, tracking.RepaymentTotal(), chosen, message)) {
            case AdvanceChoice::Failed: return false;
            case AdvanceChoice::Chosen: tracking.SetChosen(chosen); return true;
            case AdvanceChoice::Canceled: break;
        }
    }
    message = kCanceled;
    return false;
}

}  // namespace hvx::settlement
