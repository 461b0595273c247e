#pragma once
// The "Collateral Warehouse Receipts" window: one receipt at a time, new or
// stored, browsed in reference order.
//
// The view binds its fields to Form(), shows the descriptions beside them,
// calls a field's Left method when the focus leaves it and the commands on
// their buttons, and draws again from the controller after each. A save
// compares the form with the values loaded with the receipt (Loaded()).
#include <optional>
#include <string>
#include <string_view>

#include "platform/HostPort.h"
#include "platform/OrderedFetch.h"
#include "receipts/ReceiptStamp.h"
#include "receipts/WarehouseReceipt.h"

namespace hvx {
class UiPort;
}

namespace hvx::receiptwin {

struct ReceiptDescriptions {
    std::string vendor;     // "Vendor Desription": the vendor's NAME
    std::string commodity;  // "Commodity Name"
    std::string location;   // "Location Description"
};

class ReceiptWindow {
public:
    ReceiptWindow(UiPort& ui, HostWindow window);

    receipts::WarehouseReceipt& Form() { return form_; }
    const receipts::WarehouseReceipt& Form() const { return form_; }
    const receipts::ReceiptKey& Loaded() const { return loaded_; }
    const ReceiptDescriptions& Descriptions() const { return names_; }
    void SetClock(receipts::ReceiptClock clock) { clock_ = std::move(clock); }

    bool Changed() const { return changed_; }
    void MarkChanged() { changed_ = true; }

    // Fields left. False when the field was refused (its message shown and
    // the focus back on it).
    bool ReferenceLeft();
    bool VendorLeft();
    bool CommodityLeft();
    bool LocationLeft();
    void UnitsLeft();
    void IssueDateLeft();
    void SettleDateLeft();

    // The search buttons beside the fields, and the commodity's view button.
    void SearchVendor();
    void SearchCommodity();
    void SearchLocation();
    void ViewCommodity();

    // Commands.
    bool Accept();
    void New();
    void Find();
    bool Delete();
    bool Next() { return Move(+1); }
    bool Previous() { return Move(-1); }
    void Comments();
    void Report();
    // "&Close": true when the window may close.
    bool MayClose() { return AskChanges(); }

private:
    // An accept check that failed: its message and field.
    struct Check {
        std::string_view message;
        std::string_view field;
        bool duplicate = false;  // a warning, and the reference is kept
    };
    std::optional<Check> FirstRefusal() const;
    bool Refuse(const Check& check);
    bool Move(int step);
    bool Show(double recno);
    void Clear();
    void Describe();
    bool AskChanges();
    bool Reference(const char* select, std::string& field, std::string& name);
    bool Pick(int list, std::string& field, std::string& name);

    UiPort& ui_;
    HostWindow window_;
    receipts::WarehouseReceipt form_;
    receipts::ReceiptKey loaded_;
    ReceiptDescriptions names_;
    OrderedFetch browse_;
    receipts::ReceiptClock clock_ = receipts::LocalWallTime;
    bool changed_ = false;
};

}  // namespace hvx::receiptwin
