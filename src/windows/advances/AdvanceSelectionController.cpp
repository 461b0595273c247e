#include "windows/advances/AdvanceSelectionController.h"
#include "platform/Text.h"

#include <algorithm>
#include <cstdlib>

#include "platform/Format.h"
#include "platform/HVXSConnection.h"
#include "platform/Rounding.h"
#include "platform/Statements.h"
#include "platform/UiPort.h"
#include "settlement/GrainAdvanceTrackingObject.h"

namespace hvx {
namespace {

const char* const kCustomerAdvances =
    "SELECT CUSTREF,CUSTNAME,ADVDATE,AMOUNT,RAMOUNT,RECNO FROM HVXGR57 WHERE OPENPAID='O' AND "
    "CUSTREF='%s'";
const char* const kAllAdvances =
    "SELECT CUSTREF,CUSTNAME,ADVDATE,AMOUNT,RAMOUNT,RECNO FROM HVXGR57 WHERE OPENPAID='O'";
const char* const kNotEnough =
    "You must assign enough advances to use the entire amount of the advance payment.";

}  // namespace

std::string AdvanceSelectionRow::OpenText() const {
    return _HVXsprintf("%.2f", open);
}
std::string AdvanceSelectionRow::RecnoText() const {
    return _HVXsprintf("%.0f", recno);
}

AdvanceSelectionController::AdvanceSelectionController(UiPort& ui, std::string_view custRef,
                                                       double amount)
    : ui_(ui), custRef_(custRef), amount_(HVXRound(amount, 2)) {}

bool AdvanceSelectionController::Load(std::string& message) {
    HVXSConnection connection(1, nullptr, 0);
    LiteralStatements sql(connection);
    std::vector<SqlRow> rows;
    const bool read = allCustomers_ ? sql.Query({kAllAdvances}, {}, 6, rows)
                                    : sql.Query({kCustomerAdvances}, {custRef_}, 6, rows);
    if (!read) {
        message = sql.LastError();
        return false;
    }
    open_.clear();
    loadOrder_.clear();
    for (const SqlRow& r : rows) {
        AdvanceSelectionRow row{r[0], r[1], r[2], HVXRound(TextNumber(r[3]) - TextNumber(r[4]), 2),
                                TextNumber(r[5])};
        loadOrder_.push_back(row.recno);
        const bool chosen = std::any_of(chosen_.begin(), chosen_.end(),
                                        [&](const auto& c) { return c.recno == row.recno; });
        if (!chosen) open_.push_back(std::move(row));
    }
    return true;
}

bool AdvanceSelectionController::SetAllCustomers(bool on, std::string& message) {
    allCustomers_ = on;
    return Load(message);
}

bool AdvanceSelectionController::Add(std::size_t openRow) {
    if (openRow >= open_.size()) return false;
    chosen_.push_back(open_[openRow]);
    open_.erase(open_.begin() + static_cast<std::ptrdiff_t>(openRow));
    return true;
}

bool AdvanceSelectionController::Remove(std::size_t chosenRow) {
    if (chosenRow >= chosen_.size()) return false;
    const AdvanceSelectionRow row = chosen_[chosenRow];
    chosen_.erase(chosen_.begin() + static_cast<std::ptrdiff_t>(chosenRow));
    // Back to its place in the open list; an advance of another customer,
    // chosen while all customers were listed, is not listed now.
    const auto place = [this](double recno) {
        return std::find(loadOrder_.begin(), loadOrder_.end(), recno) - loadOrder_.begin();
    };
    const auto at = place(row.recno);
    if (at == static_cast<std::ptrdiff_t>(loadOrder_.size())) return true;
    const auto before = std::find_if(open_.begin(), open_.end(),
                                     [&](const auto& other) { return place(other.recno) > at; });
    open_.insert(before, row);
    return true;
}

bool AdvanceSelectionController::MoveUp(std::size_t chosenRow) {
    if (chosenRow == 0 || chosenRow >= chosen_.size()) return false;
    std::swap(chosen_[chosenRow - 1], chosen_[chosenRow]);
    return true;
}

bool AdvanceSelectionController::MoveDown(std::size_t chosenRow) {
    if (chosenRow >= chosen_.size() || chosenRow + 1 >= chosen_.size()) return false;
    std::swap(chosen_[chosenRow], chosen_[chosenRow + 1]);
    return true;
}

double AdvanceSelectionController::LeftToApply() const {
    double left = amount_;
    for (const AdvanceSelectionRow& row : chosen_) left = HVXRound(left - row.open, 2);
    return left > 0 ? left : 0;
}

std::string AdvanceSelectionController::LeftToApplyText() const {
    return _HVXsprintf("$%.02f left to apply.", LeftToApply());
}

bool AdvanceSelectionController::Ok() {
    if (LeftToApply() > 0) {
        ShowMessage(ui_, kNotEnough);
        return false;
    }
    return true;
}

std::vector<double> AdvanceSelectionController::ChosenRecordNumbers() const {
    std::vector<double> recnos;
    for (const AdvanceSelectionRow& row : chosen_) {
        if (recnos.size() == settlement::GrainAdvanceTrackingObject::kMaxChosen) break;
        recnos.push_back(row.recno);
    }
    return recnos;
}

settlement::AdvanceChoice AdvanceSelectionDialogPort::Choose(std::string_view custRef,
                                                             double amount,
                                                             std::vector<double>& recnos,
                                                             std::string& message) {
    AdvanceSelectionController dialog(ui_, custRef, amount);
    if (!dialog.Load(message)) return settlement::AdvanceChoice::Failed;
    if (!Run(dialog)) return settlement::AdvanceChoice::Canceled;
    recnos = dialog.ChosenRecordNumbers();
    return settlement::AdvanceChoice::Chosen;
}

}  // namespace hvx
