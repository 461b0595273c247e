#pragma once
// The "Search For Settlements" criteria dialog: the text to look for, where
// to look ("Search Using"), and the restrictions by customer, date, type and
// state. The controller holds the dialog's form; the search object changes
// only when the form is collected into it ("&Search", "Save").
//
// The view binds its widgets to Form(), copies them in before each command
// and shows the form and the enabled states again after it. Every message,
// focus move, pick list, file dialog and help call goes through the UI port;
// the focus names are the constants below.
#include <cstddef>
#include <string>

#include "platform/HostPort.h"
#include "search/SettlementSearchObject.h"
#include "windows/CustomerLookup.h"

namespace hvx {

class UiPort;

class SearchCriteriaController {
public:
    static constexpr const char* kTitle = "Search For Settlements";
    static constexpr const char* kMsgNoLocation =
        "No search location has been specified. Searching without this will show all "
        "settlements. Do you wish to continue?";
    static constexpr const char* kMsgClearPrevious =
        "Do you wish to clear the results of the previous search?\n\nChoosing 'No' will append "
        "new search results to the end of the previous results.";
    static constexpr const char* kMsgClearAll = "Do you wish to clear all search parameters?";
    static constexpr int kHelpContext = 2029;
    static constexpr const char* kSettlementTypes[] = {
        "Include All Settlements", "Only Settled By Source", "Only Settled By Destination"};

    // Characters each text field keeps.
    static constexpr std::size_t kSearchStringSize = 80;
    static constexpr std::size_t kCustRefSize = 80;
    static constexpr std::size_t kCustNameSize = 35;
    static constexpr std::size_t kDateSize = 20;

    // Focus names.
    static constexpr const char* kSearchString = "searchString";
    static constexpr const char* kCustRef = "custRef";
    static constexpr const char* kCustName = "custName";
    static constexpr const char* kStartDate = "startDate";
    static constexpr const char* kEndDate = "endDate";

    // The dialog's form: what its fields, boxes and lists show, field for
    // field the criteria (SearchAll is left to collecting). Show and collect
    // copy the object whole, so it holds criteria only.
    using Form = search::SettlementSearchObject;

    enum class CustomerField { Reference, Name };

    // criteria may be null: the search set commands then say there is no
    // search object. repeatSearch marks a dialog opened again from the
    // results, whose "&Search" asks whether to clear the previous results.
    SearchCriteriaController(UiPort& ui, search::SettlementSearchObject* criteria,
                             bool repeatSearch, HostWindow window = nullptr);

    // As the dialog opens: reads the back-office setting and shows the criteria.
    void Open();

    Form& Fields() { return form_; }
    const Form& Fields() const { return form_; }

    // Enabled states.
    bool CustomerGroupEnabled() const { return form_.RestrictByCustomer; }
    bool DateGroupEnabled() const { return form_.RestrictByDate; }
    bool MatchAnywhereEnabled() const { return !form_.ExactMatchOnly; }
    // "Exact Match Results Only": checking it unchecks "Match anywhere in field".
    void SetExactMatchOnly(bool on);

    // Object to form.
    void Show();
    // Form to object, asking about a missing search location when ask is
    // set; false when the user declines, and then nothing has changed.
    bool Collect(bool ask);

    // "&Search": true when the dialog closes with OK.
    bool Search();
    // The answer to the clear-previous question of a repeat search.
    bool ClearPrevious() const { return clearPrevious_; }
    void Clear();
    void Save();
    void Load();
    void Help();

    // The field search of a customer field, and leaving it with Enter (with
    // Shift held nothing happens).
    void SearchCustomer(CustomerField field);
    void LeaveCustomer(CustomerField field, bool shift);

private:
    void CopyFormTo(search::SettlementSearchObject& criteria) const;
    // Cuts the texts to what the dialog's fields keep.
    static void FitTexts(Form& form);
    bool CheckDates();
    CustomerFields Customer();

    UiPort& ui_;
    search::SettlementSearchObject* criteria_;
    bool repeatSearch_;
    bool clearPrevious_ = false;
    Form form_;
    CustomerLookup customers_;
};

}  // namespace hvx
