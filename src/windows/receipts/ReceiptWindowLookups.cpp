// The "Collateral Warehouse Receipts" window: leaving a field, its lookup
// lists and the checks of "&Accept" in their order.
#include <vector>

#include "platform/Dates.h"
#include "platform/EngineReason.h"
#include "platform/HVXConnection.h"
#include "platform/Rounding.h"
#include "platform/Statements.h"
#include "platform/Text.h"
#include "platform/UiPort.h"
#include "receipts/WarehouseReceipt.h"
#include "shell/SiblingWindows.h"
#include "windows/receipts/ReceiptWindow.h"
#include "windows/receipts/ReceiptWindowFields.h"

namespace hvx::receiptwin {
namespace {

// A pick list: its select and its column groups of four.
struct PickList {
    const char* select;
    const char* columns;
};
enum { kVendors, kCommodities, kLocations };
const PickList kLists[] = {
    {"SELECT REFERENCE,NAME,STR(RECNO) FROM HVXAP50", "REFERENCE,Reference,18,-1,NAME,Name,40,0"},
    {"SELECT REFERENCE,NAME,STR(RECNO) FROM HVXGR51", "REFERENCE,Reference,20,-1,NAME,Name,30,0"},
    {"SELECT LOCREF,LOCDESC,STR(RECNO) FROM HVXINV16",
     "LOCREF,Reference,18,-1,LOCDESC,Description,40,0"},
};
const char* const kVendorName = "SELECT RECNO,NAME FROM HVXAP50 WHERE REFERENCE = ?";
const char* const kCommodityName = "SELECT RECNO,NAME FROM HVXGR51 WHERE REFERENCE = ?";
const char* const kLocationName = "SELECT RECNO,LOCDESC FROM HVXINV16 WHERE LOCREF = ?";

std::string Trimmed(std::string text) {
    TRIM(text);
    return text;
}

// The first row of a prepared query with one value, or none.
std::vector<SqlRow> Read(const char* select, const std::string& value) {
    HVXConnection connection(1);
    std::vector<SqlRow> rows;
    PreparedStatements(connection).Query({"", select}, {value}, 2, rows);
    return rows;
}

}  // namespace

bool ReceiptWindow::Reference(const char* select, std::string& field, std::string& name) {
    const auto rows = Read(select, field);
    name = rows.empty() ? "" : rows.front()[1];
    return !rows.empty();
}

bool ReceiptWindow::Pick(int list, std::string& field, std::string& name) {
    std::string text = field;
    if (ui_.SearchWin(text, kLists[list].columns, kLists[list].select, "") == 0) return false;
    field = text;
    changed_ = true;
    const char* names[] = {kVendorName, kCommodityName, kLocationName};
    return Reference(names[list], field, name);
}

// A reference of another receipt shows that receipt when the window holds a
// new one; over a stored receipt it would become a second receipt of the
// same reference.
bool ReceiptWindow::ReferenceLeft() {
    EngineFailureWatch watch;
    const double other = receipts::OtherReceiptWithReference(Trimmed(form_.cwrRef), form_.recno);
    if (other == 0) return true;
    if (form_.Stored()) {
        ShowMessage(ui_, kMsgReferenceInUse);
        ui_.SetFocus(kFieldReference);
        return false;
    }
    std::string error;
    if (browse_.Load(error)) browse_.FindRecno(other);
    if (Show(other)) ui_.SetFocus(kButtonAccept);
    return true;
}

bool ReceiptWindow::VendorLeft() {
    EngineFailureWatch watch;
    return Reference(kVendorName, form_.vendor, names_.vendor) ||
           Pick(kVendors, form_.vendor, names_.vendor);
}

bool ReceiptWindow::CommodityLeft() {
    EngineFailureWatch watch;
    const bool named = Reference(kCommodityName, form_.commodity, names_.commodity) ||
                       Pick(kCommodities, form_.commodity, names_.commodity);
    if (named) UnitsLeft();
    return named;
}

bool ReceiptWindow::LocationLeft() {
    EngineFailureWatch watch;
    return Reference(kLocationName, form_.location, names_.location) ||
           Pick(kLocations, form_.location, names_.location);
}

// A stored receipt is shown as it was stored: a vendor, commodity or
// location gone since shows no description and opens no list.
void ReceiptWindow::Describe() {
    Reference(kVendorName, form_.vendor, names_.vendor);
    Reference(kCommodityName, form_.commodity, names_.commodity);
    Reference(kLocationName, form_.location, names_.location);
}

void ReceiptWindow::SearchVendor() {
    Pick(kVendors, form_.vendor, names_.vendor);
}
void ReceiptWindow::SearchLocation() {
    Pick(kLocations, form_.location, names_.location);
}
void ReceiptWindow::SearchCommodity() {
    if (Pick(kCommodities, form_.commodity, names_.commodity)) UnitsLeft();
}

void ReceiptWindow::ViewCommodity() {
    if (Trimmed(form_.commodity).empty()) return ShowMessage(ui_, kMsgCommodityNotFound);
    OpenSiblingWindow(window_, SiblingWindow::Commodity, form_.commodity);
}

// Units are kept as the commodity shows them; two decimals when the
// commodity is unknown.
void ReceiptWindow::UnitsLeft() {
    if (Trimmed(form_.units).empty()) return;
    EngineFailureWatch watch;
    HVXConnection connection(1);
    std::string decimals;
    const bool known = PreparedStatements(connection)
                           .Value({"", "SELECT DECIMALS FROM HVXGR51 WHERE REFERENCE = ?"},
                                  {form_.commodity}, decimals);
    // Rounded half away from zero, as the clerk reads the figure: a printf
    // format would show 7.125 at two decimals as 7.12.
    form_.units =
        HVXSRound(TextNumber(form_.units), known ? static_cast<int>(TextNumber(decimals)) : 2);
}

void ReceiptWindow::IssueDateLeft() {
    if (!Trimmed(form_.issueDate).empty()) form_.issueDate = MakeDate(form_.issueDate);
}
void ReceiptWindow::SettleDateLeft() {
    if (!Trimmed(form_.settleDate).empty()) form_.settleDate = MakeDate(form_.settleDate);
}

std::optional<ReceiptWindow::Check> ReceiptWindow::FirstRefusal() const {
    const std::string ref = Trimmed(form_.cwrRef);
    if (ref.empty()) return Check{kMsgReferenceRequired, kFieldReference};
    if (receipts::OtherReceiptWithReference(ref, form_.recno) != 0)
        return Check{kMsgDuplicate, kFieldReference, true};
    const struct {
        const std::string& value;
        const char* select;
        std::string_view required, invalid, field;
    } references[] = {
        {form_.vendor, kVendorName, kMsgVendorRequired, kMsgVendorInvalid, kFieldVendor},
        {form_.commodity, kCommodityName, kMsgCommodityRequired, kMsgCommodityInvalid,
         kFieldCommodity},
        {form_.location, kLocationName, kMsgLocationRequired, kMsgLocationInvalid, kFieldLocation},
    };
    for (const auto& r : references) {
        if (Trimmed(r.value).empty()) return Check{r.required, r.field};
        if (Read(r.select, r.value).empty()) return Check{r.invalid, r.field};
    }
    return std::nullopt;
}

// The field in error is emptied, except a duplicate reference, which the
// clerk is more likely to correct than to retype.
bool ReceiptWindow::Refuse(const Check& check) {
    if (check.duplicate) {
        ui_.MessageBox(check.message, kCaption, MsgButtons::Ok, MsgIcon::Exclamation);
    } else {
        ui_.MessageBox(check.message, kCaptionError, MsgButtons::Ok, MsgIcon::None);
        const struct {
            std::string_view name;
            std::string* value;
            std::string* description;
        } fields[] = {{kFieldReference, &form_.cwrRef, nullptr},
                      {kFieldVendor, &form_.vendor, &names_.vendor},
                      {kFieldCommodity, &form_.commodity, &names_.commodity},
                      {kFieldLocation, &form_.location, &names_.location}};
        for (const auto& f : fields) {
            if (f.name != check.field) continue;
            f.value->clear();
            if (f.description) f.description->clear();
        }
    }
    ui_.SetFocus(check.field);
    return false;
}

}  // namespace hvx::receiptwin
