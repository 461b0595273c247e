#pragma once
// The "Create New Settlement" wizard: three pages that ask for the source or
// destination type, the commodity and location (only for the source types
// that need them) and the customer. It writes nothing; the caller reads the
// answers once Finish has ended it.
//
// The view binds its fields to Fields(), forwards its buttons and the forward
// exits of its fields, and shows the controller's state again after each
// command. Every focus move, message, pick list and help call goes through
// the UI port; the focus names are the constants below.
#include <string>
#include <string_view>
#include <vector>

#include "platform/HostPort.h"
#include "windows/CustomerLookup.h"
#include "windows/wizard/NewSettlementAnswers.h"
#include "windows/wizard/WizardModes.h"

namespace hvx {

class UiPort;

class NewSettlementWizard {
public:
    static constexpr const char* kCaption = "Create New Settlement";
    static constexpr const char* kNote =
        "Enter the static information for the settlement to create. This information cannot "
        "be changed once the entered.";
    static constexpr const char* kCustomerRequired = "A valid customer is required.";
    static constexpr const char* kHelpUnavailable = "Help topic is currently unavailable.";
    static constexpr int kHelpContext = 2112;
    // Texts of the fields, with the terminator of their stored form left out.
    static constexpr std::size_t kFieldSize = 80;
    static constexpr std::size_t kKindSize = 50;

    // Focus names.
    static constexpr const char* kList = "list";
    static constexpr const char* kCommodity = "commodity";
    static constexpr const char* kLocation = "location";
    static constexpr const char* kCustRef = "custRef";
    static constexpr const char* kCustName = "custName";
    static constexpr const char* kMainButton = "next";

    static constexpr const char* kCommodityLabel = "Commodity";
    static constexpr const char* kLocationLabel = "Location";
    static constexpr const char* kCustRefLabel = "Customer Reference";
    static constexpr const char* kCustNameLabel = "Customer Name";

    // Hints of the search buttons; the customer fields' are in CustomerLookup.h.
    static constexpr const char* kCommodityHint = "Search for a grain commodity.";
    static constexpr const char* kLocationHint = "Search for a location.";

    enum class Page { List = 0, CommodityLocation = 1, Customer = 2 };
    enum class Field { Commodity, Location, CustRef, CustName };

    // The wizard record, bound to the fields of the last two pages.
    struct Record {
        std::string custName, custRef, commodity, location;
    };

    // window is the handle the back office's dialogs are parented on.
    NewSettlementWizard(UiPort& ui, HostWindow window, WizardMode mode);

    // As the dialog opens: reads the back-office setting, selects the first
    // entry of the list and puts the focus on it.
    void Open();

    WizardMode Mode() const { return mode_; }
    const std::vector<std::string_view>& Entries() const { return WizardEntries(mode_); }
    int Selected() const { return selected_; }
    void Select(int entry);

    Page CurrentPage() const { return page_; }
    // The heading of the current page; the list's label on the first page.
    std::string_view Heading() const;
    std::string_view ListLabel() const { return WizardListLabel(mode_); }
    std::string_view MainButtonText() const;  // "Next >", or "Finish" on the last page
    bool BackEnabled() const { return page_ != Page::List; }

    Record& Fields() { return record_; }
    const Record& Fields() const { return record_; }

    // "Next >" (and "Finish"): true when the wizard ends with result 1.
    bool Next();
    void Back();
    void Help();

    // The search buttons.
    void Search(Field field);
    // The forward exit of a field (Tab or Enter); with Shift held nothing
    // happens. Leaving the list forward is "Next >": true when that ends the
    // wizard.
    void Leave(Field field, bool shift);
    bool LeaveList(bool shift);

    // The answers as Finish copied them.
    const NewSettlementAnswers& Answers() const { return answers_; }

private:
    void ShowPage(Page page);

    // A pick from a reference list into the field; the focus then moves on to
    // next, or stays in the emptied field when the list was cancelled.
    void PickReference(std::string& field, const char* columns, const char* select,
                       const char* here, const char* next);
    // Leaves a reference field: a value on file moves on to next, "/" or a
    // value not on file opens the field's list.
    void LeaveReference(Field field, const char* table, const char* column, const char* next);
    void SearchCustomer(bool byName);
    void LeaveCustomer(bool byName);
    CustomerFields Customer();
    // Focus after a customer lookup: the main button once a customer is in
    // the fields, the field again when its own list was cancelled.
    void AfterCustomerLookup(CustomerLookupResult result, bool byName);

    UiPort& ui_;
    WizardMode mode_;
    int selected_ = 0;
    Page page_ = Page::List;
    bool commodityPageShown_ = false;
    CustomerLookup customers_;
    Record record_;
    NewSettlementAnswers answers_;
};

}  // namespace hvx
