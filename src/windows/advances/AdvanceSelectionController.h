#pragma once
// The advance selection dialog: the user picks, in order, the open advances
// that the settlement's advance deductions repay.
//
// The controller holds the two lists (open advances, chosen advances) and the
// amount still to apply; the view shows them and forwards its buttons. OK
// keeps the dialog open until the chosen advances cover the whole amount.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "settlement/AdvanceSelectionPort.h"

namespace hvx {

class UiPort;

struct AdvanceSelectionRow {
    std::string custRef;
    std::string custName;
    std::string advDate;  // "MM/DD/YYYY"
    double open = 0;      // AMOUNT - RAMOUNT, to the cent
    double recno = 0;
    std::string OpenText() const;   // "%.2f"
    std::string RecnoText() const;  // "%.0f"
};

class AdvanceSelectionController {
public:
    // Hints of the dialog's buttons.
    static constexpr const char* kAddHint = "Add this advance to the list.";
    static constexpr const char* kRemoveHint = "Remove this advance from the list.";
    static constexpr const char* kMoveUpHint = "Reorder list by moving up item.";
    static constexpr const char* kMoveDownHint = "Reorder list by moving down item.";

    AdvanceSelectionController(UiPort& ui, std::string_view custRef, double amount);

    // Reads the open advances of the customer, or of all customers when the
    // switch is on. Advances already chosen stay chosen and are not listed
    // again. False with the database's message.
    bool Load(std::string& message);
    bool SetAllCustomers(bool on, std::string& message);
    bool AllCustomers() const { return allCustomers_; }

    const std::vector<AdvanceSelectionRow>& OpenAdvances() const { return open_; }
    const std::vector<AdvanceSelectionRow>& ChosenAdvances() const { return chosen_; }

    // The commands, by list row; false (and nothing changes) for a row that
    // is not there or cannot move further.
    bool Add(std::size_t openRow);
    bool Remove(std::size_t chosenRow);
    bool MoveUp(std::size_t chosenRow);
    bool MoveDown(std::size_t chosenRow);

    double Amount() const { return amount_; }
    // What the chosen advances do not cover yet, never below 0.
    double LeftToApply() const;
    std::string LeftToApplyText() const;  // "$%.02f left to apply."

    // OK: true when the dialog may close; otherwise the user has been told.
    bool Ok();
    // The chosen record numbers, at most 100, in list order.
    std::vector<double> ChosenRecordNumbers() const;

private:
    UiPort& ui_;
    std::string custRef_;
    double amount_;
    bool allCustomers_ = false;
    std::vector<AdvanceSelectionRow> open_;
    std::vector<AdvanceSelectionRow> chosen_;
    std::vector<double> loadOrder_;  // record numbers as listed, to put a removed one back
};

// What a save's choice of advances comes to in a window: the dialog's
// controller over the customer's open advances, run by the window's view.
class AdvanceSelectionDialogPort : public settlement::AdvanceSelectionPort {
public:
    explicit AdvanceSelectionDialogPort(UiPort& ui) : ui_(ui) {}
    settlement::AdvanceChoice Choose(std::string_view custRef, double amount,
                                     std::vector<double>& recnos, std::string& message) final;

protected:
    // Runs the dialog modally over its controller: true when it closed with
    // OK (the controller's Ok() said yes), false when it was cancelled.
    virtual bool Run(AdvanceSelectionController& dialog) = 0;

private:
    UiPort& ui_;
};

}  // namespace hvx
