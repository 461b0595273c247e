// The "Collateral Warehouse Receipts" window's state and its commands.
#include "windows/receipts/ReceiptWindow.h"

#include "platform/EngineReason.h"
#include "platform/UiPort.h"
#include "receipts/ReceiptStore.h"
#include "shell/ReportCalls.h"
#include "shell/SiblingQueries.h"
#include "windows/BrowseOrders.h"
#include "windows/WindowMessages.h"
#include "windows/receipts/ReceiptWindowFields.h"

namespace hvx::receiptwin {
namespace {

const char* const kFindSelect =
    "SELECT CWRREF,VENREF,COMMODITY,LOCATION,ISSUDATE,UNITS,SETTDATE,STR(RECNO) FROM HVXGR08";
const char* const kFindColumns =
    "CWRREF,Reference,15,-1,VENREF,Vendor,15,0,COMMODITY,Commodity,15,0,LOCATION,Location,15,0,"
    "ISSUDATE,Issue Date,20,-5,UNITS,Units,15,0,SETTDATE,Settle Date,20,-5";

double RecnoOf(const SqlRow* row) {
    return row ? std::stod((*row)[kBrowseRecno]) : 0;
}

}  // namespace

ReceiptWindow::ReceiptWindow(UiPort& ui, HostWindow window)
    : ui_(ui), window_(window), browse_(ReceiptBrowse()) {}

void ReceiptWindow::Clear() {
    form_ = {};
    loaded_ = {};
    names_ = {};
    changed_ = false;
}

// The stored receipt, its descriptions and the values a save compares with.
bool ReceiptWindow::Show(double recno) {
    receipts::WarehouseReceipt stored;
    std::string message;
    if (!RunExplained(message, [&] { return receipts::ReadReceipt(recno, stored, message); })) {
        ShowMessage(ui_, message);
        return false;
    }
    Clear();
    form_ = std::move(stored);
    loaded_ = receipts::KeyOf(form_);
    Describe();
    return true;
}

bool ReceiptWindow::Accept() {
    EngineFailureWatch watch;
    if (auto refused = FirstRefusal()) return Refuse(*refused);
    std::string message;
    const receipts::ReceiptStamp stamp{HVXGetCurrentUserName(window_), clock_};
    const bool stored = form_.Stored();
    if (!receipts::SaveReceipt(form_, loaded_, stamp, message)) {
        ShowMessage(ui_, message);
        return false;
    }
    changed_ = false;
    if (!stored) {
        Clear();
        ui_.SetFocus(kFieldReference);
        return true;
    }
    std::string error;
    if (browse_.Load(error)) browse_.FindRecno(form_.recno);
    return Show(form_.recno);
}

bool ReceiptWindow::AskChanges() {
    if (!changed_) return true;
    switch (
        ui_.MessageBox(kMsgChanges, kChangesCaption, MsgButtons::YesNoCancel, MsgIcon::Question)) {
        case MsgAnswer::Cancel: return false;
        case MsgAnswer::Yes: Accept(); return !changed_;
        default: return true;
    }
}

void ReceiptWindow::New() {
    if (!AskChanges()) return;
    Clear();
    ui_.SetFocus(kFieldReference);
}

void ReceiptWindow::Find() {
    EngineFailureWatch watch;
    std::string start = form_.cwrRef;
    const double recno = ui_.SearchWin(start, kFindColumns, kFindSelect, "");
    if (recno == 0) return;
    std::string error;
    if (browse_.Load(error)) browse_.FindRecno(recno);
    Show(recno);
}

bool ReceiptWindow::Move(int step) {
    if (!AskChanges()) return false;
    EngineFailureWatch watch;
    std::string error;
    if (!browse_.Load(error)) {
        ShowMessage(ui_, error);
        return false;
    }
    const bool placed = form_.Stored() && browse_.FindRecno(form_.recno);
    const bool moved = placed ? (step > 0 ? browse_.Next() : browse_.Previous())
                              : (step > 0 ? browse_.First() : browse_.Last());
    if (!moved) {
        ui_.Beep();
        return false;
    }
    return Show(RecnoOf(browse_.Current()));
}

// The window moves to the next receipt, or the previous one at the end; a
// failed delete stays on the receipt it could not delete.
bool ReceiptWindow::Delete() {
    if (!form_.Stored()) {
        ShowMessage(ui_, kMsgOptionUnavailable);
        return false;
    }
    if (ui_.MessageBox(kMsgDelete, kCaptionDelete, MsgButtons::YesNo, MsgIcon::Question) !=
        MsgAnswer::Yes)
        return false;
    EngineFailureWatch watch;
    const double deleted = form_.recno;
    std::string message;
    double shown = 0;
    if (browse_.Load(message) && browse_.FindRecno(deleted) &&
        (browse_.Next() || (browse_.FindRecno(deleted) && browse_.Previous())))
        shown = RecnoOf(browse_.Current());
    if (!receipts::DeleteReceipt(deleted, message)) {
        ShowMessage(ui_, message);
        return false;
    }
    browse_.Load(message);
    if (shown != 0 && browse_.FindRecno(shown)) return Show(shown);
    ui_.Beep();
    Clear();
    ui_.SetFocus(kFieldReference);
    return true;
}

void ReceiptWindow::Comments() {
    if (form_.cwrLink.empty()) return ShowMessage(ui_, kMsgOptionUnavailable);
    ui_.DoComment(kCommentTable, form_.cwrLink);
}

void ReceiptWindow::Report() {
    RunReceiptsReport(window_);
}

}  // namespace hvx::receiptwin
