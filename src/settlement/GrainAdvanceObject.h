#pragma once
// Applies a settlement's advance items to the advances (HVXGR57) and their
// repayments (HVXGR57A), inside the save's transaction.
//
// Every routine returns false and leaves its message in the caller's buffer;
// the save then cancels its transaction, so no advance change of a failed
// save survives. Amounts are stored as "%.2f" text and rounded to the cent
// at each step, so a repaid amount is always the sum of its repayment rows.
#include <string>
#include <string_view>
#include <vector>

#include "platform/Statements.h"

class HVXConnection;
class HVXSConnection;

namespace hvx {
class UiPort;
}

namespace hvx::settlement {

class AdvanceSelectionPort;
class GrainAdvanceTrackingObject;

// The settlement whose advance items are applied.
struct AdvanceSettlement {
    std::string custRef;
    std::string custName;
    std::string date;    // the settlement date, "MM/DD/YYYY"
    std::string number;  // SETTLEMENT
    std::string link;    // SETLINK
};

// Who repays: the repayment rows are written under these links.
struct AdvanceRepayer {
    std::string settlementLink;  // SOURCELINK
    std::string lineLink;        // PAIDLINK; empty in a multiple-source settlement
    std::string checkNumber;
};

// One repayment row as the reversal copies it (literal form).
struct AdvanceRepaymentRow {
    std::string advLink;
    std::string checkNumber;
    double amount = 0;
    std::string date;  // RDATE, "MM/DD/YYYY"
    std::string sourceLink;
    std::string paidLink;
};

// The repaid amount and status of an advance after `amount` is given back.
struct GiveBackResult {
    double repaid = 0;
    const char* status = "O";
};
GiveBackResult GiveBackAmount(double advanceAmount, double repaid, double amount);

inline constexpr const char* kAdvanceHasPayments =
    "Cannot delete Advance. It has payments applied to it.";

// Whether an advance the settlement (by its link) paid out has been repaid,
// even in part (literal form, for the reversal and the deletion). False when
// the advances cannot be read.
bool PaidOutAdvanceRepaid(HVXSConnection& connection, std::string_view settlementLink,
                          bool& repaid);

class GrainAdvanceObject {
public:
    // ui asks the question of the save; selection runs the advance selection
    // dialog when the user chooses the advances by hand.
    GrainAdvanceObject(UiPort& ui, AdvanceSelectionPort& selection)
        : ui_(ui), selection_(selection) {}

    // The advance step of the save.
    bool ApplyAdvances(GrainAdvanceTrackingObject& tracking, HVXConnection& connection,
                       const AdvanceSettlement& settlement, std::string& message);

    // Repays the customer's open advances, oldest first: those against the
    // same source, then the others.
    bool ApplyAutomatically(HVXConnection& connection, std::string_view custRef,
                            std::string_view source, std::string_view sourceRef,
                            const AdvanceRepayer& repayer, double amount, std::string& message);
    // Repays the advances chosen by hand (record numbers, in order; 0 skipped).
    bool ApplyToChosen(HVXConnection& connection, const std::vector<double>& chosen,
                       const AdvanceRepayer& repayer, double amount, std::string& message);

    // Gives back every repayment the settlement made and deletes its rows:
    // in the save, and in the deletion of the settlement.
    static bool RemoveRepayments(HVXConnection& connection, std::string_view settlementLink,
                                 std::string& message);
    static bool RemoveRepayments(HVXSConnection& connection, std::string_view settlementLink,
                                 std::string& message);
    // Reduces an advance's repaid amount; false when no advance was updated.
    static bool GiveBack(HVXConnection& connection, std::string_view advLink, double amount);
    static bool GiveBack(HVXSConnection& connection, std::string_view advLink, double amount);
    static bool DeleteAdvance(HVXConnection& connection, double recno, std::string& message);

    // Writes one repayment row (prepared form, today's date).
    static bool RecordRepayment(HVXConnection& connection, std::string_view advLink,
                                const AdvanceRepayer& repayer, double amount, std::string& message);
    // Writes one repayment row on the simple connection.
    static bool RecordRepayment(HVXSConnection& connection, const AdvanceRepaymentRow& row,
                                std::string& message);

private:
    bool AskHowToApply(GrainAdvanceTrackingObject& tracking, std::string_view custRef,
                       std::string& message);
    static bool UpdatePaidOutAdvances(const GrainAdvanceTrackingObject& tracking,
                                      HVXConnection& connection,
                                      const AdvanceSettlement& settlement, std::string& message);
    static bool ApplyToAdvances(HVXConnection& connection, std::string_view sql,
                                const SqlValues& values, const AdvanceRepayer& repayer,
                                double& amount, std::string& message);

    UiPort& ui_;
    AdvanceSelectionPort& selection_;
};

}  // namespace hvx::settlement
