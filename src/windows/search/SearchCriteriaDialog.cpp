#include "windows/search/SearchCriteriaDialog.h"

#include <algorithm>

#include "platform/EngineReason.h"
#include "platform/UiPort.h"
#include "search/SearchSetFile.h"
#include "windows/TypedValues.h"

namespace hvx {
namespace {

using search::SettlementSearchObject;

// The file dialogs of the search sets carry no title of their own: these
// are the titles such dialogs have without one.
const char* const kSaveTitle = "Save As";
const char* const kOpenTitle = "Open";
// The search sets are kept in the working folder.
const char* const kSearchSetFolder = ".";

}  // namespace

SearchCriteriaController::SearchCriteriaController(UiPort& ui, SettlementSearchObject* criteria,
                                                   bool repeatSearch, HostWindow window)
    : ui_(ui), criteria_(criteria), repeatSearch_(repeatSearch), customers_(ui, window) {}

void SearchCriteriaController::Open() {
    EngineFailureWatch watch;
    customers_.ReadSetting();
    Show();
}

void SearchCriteriaController::SetExactMatchOnly(bool on) {
    form_.exactMatchOnly = on;
    if (on) form_.matchAnywhere = false;
}

void SearchCriteriaController::Show() {
    if (!criteria_) return;
    const SettlementSearchObject& c = *criteria_;
    form_.searchString = FitField(c.SearchString, kSearchStringSize);
    form_.custRef = FitField(c.CustRef, kCustRefSize);
    form_.custName = FitField(c.CustName, kCustNameSize);
    form_.startDate = FitField(c.StartDate, kDateSize);
    form_.endDate = FitField(c.EndDate, kDateSize);
    form_.settlementType = c.SettlementType;
    form_.restrictByCustomer = c.RestrictByCustomer;
    form_.restrictByDate = c.RestrictByDate;
    form_.useSettlementDate = c.UseSettlementDate;
    form_.matchAnywhere = c.MatchAnywhere;
    form_.searchInReversed = c.SearchInReversed;
    form_.searchInPosted = c.SearchInPosted;
    form_.searchInClosed = c.SearchInClosed;
    form_.caseSensitive = c.SearchCaseSensitive;
    form_.locations = c.Locations;
    // Criteria that ask for both an exact match and one anywhere show the
    // exact one alone, as checking the box does; the next collect keeps that.
    SetExactMatchOnly(c.ExactMatchOnly);
}

void SearchCriteriaController::CopyFormTo(SettlementSearchObject& c) const {
    c.SearchString = FitField(form_.searchString, kSearchStringSize);
    c.CustRef = FitField(form_.custRef, kCustRefSize);
    c.CustName = FitField(form_.custName, kCustNameSize);
    c.StartDate = FitField(form_.startDate, kDateSize);
    c.EndDate = FitField(form_.endDate, kDateSize);
    c.SettlementType = form_.settlementType;
    c.RestrictByCustomer = form_.restrictByCustomer;
    c.RestrictByDate = form_.restrictByDate;
    c.UseSettlementDate = form_.useSettlementDate;
    c.MatchAnywhere = form_.matchAnywhere;
    c.SearchInReversed = form_.searchInReversed;
    c.SearchInPosted = form_.searchInPosted;
    c.SearchCaseSensitive = form_.caseSensitive;
    c.ExactMatchOnly = form_.exactMatchOnly;
    c.SearchInClosed = form_.searchInClosed;
    c.Locations = form_.locations;
    c.SearchAll = search::NoLocationChosen(c);
}

bool SearchCriteriaController::Collect(bool ask) {
    if (!criteria_) return false;
    const bool noLocation = std::ranges::none_of(form_.locations, [](bool on) { return on; });
    if (noLocation && !form_.restrictByCustomer && !form_.restrictByDate && ask &&
        ui_.MessageBox(kMsgNoLocation, kCaption, MsgButtons::YesNo, MsgIcon::Question) ==
            MsgAnswer::No)
        return false;
    CopyFormTo(*criteria_);
    return true;
}

// The date range goes into the search's statement as dates: a text that
// names no date is refused here, with the field it is in, rather than
// making a statement the database cannot read. Dates the search does not
// use (no date restriction) are kept as typed.
bool SearchCriteriaController::CheckDates() {
    if (!form_.restrictByDate) return true;
    if (!CheckTypedDate(form_.startDate, "start date", ui_)) {
        ui_.SetFocus(kStartDate);
        return false;
    }
    if (!CheckTypedDate(form_.endDate, "end date", ui_)) {
        ui_.SetFocus(kEndDate);
        return false;
    }
    return true;
}

bool SearchCriteriaController::Search() {
    if (!CheckDates() || !Collect(true)) return false;
    clearPrevious_ = repeatSearch_ && ui_.MessageBox(kMsgClearPrevious, kCaption,
                                                     MsgButtons::YesNo, MsgIcon::None) ==
                                          MsgAnswer::Yes;
    return true;
}

void SearchCriteriaController::Clear() {
    if (ui_.MessageBox(kMsgClearAll, kCaption, MsgButtons::YesNo, MsgIcon::Question) !=
        MsgAnswer::Yes)
        return;
    // Only the form is cleared; the criteria follow at the next collect.
    form_ = Form{};
}

void SearchCriteriaController::Save() {
    const std::string path = ui_.SaveFileName(kSaveTitle, search::kSearchSetFilter,
                                              kSearchSetFolder);
    if (path.empty()) return;
    search::WriteSearchSet(ui_, criteria_, path,
                           [this](SettlementSearchObject& c) { CopyFormTo(c); });
}

void SearchCriteriaController::Load() {
    const std::string path = ui_.OpenFileName(kOpenTitle, search::kSearchSetFilter,
                                              kSearchSetFolder);
    if (!path.empty() && search::ReadSearchSet(ui_, criteria_, path)) Show();
}

void SearchCriteriaController::Help() {
    ui_.ShowHelp(kHelpFile, kHelpContext);
}

CustomerFields SearchCriteriaController::Customer() {
    return {form_.custRef, form_.custName, kCustRefSize, kCustNameSize};
}

void SearchCriteriaController::SearchCustomer(CustomerField field) {
    EngineFailureWatch watch;
    customers_.Search(Customer(), field == CustomerField::Name);
}

void SearchCriteriaController::LeaveCustomer(CustomerField field, bool shift) {
    if (shift) return;
    EngineFailureWatch watch;
    const bool listAsked = form_.custName.empty() || form_.custName.starts_with('/');
    // Once a customer is in the fields the clerk goes on to the search text,
    // whichever way it was found.
    if (customers_.Leave(Customer(), field == CustomerField::Name, listAsked) ==
        CustomerLookupResult::Filled)
        ui_.SetFocus(kSearchString);
}

}  // namespace hvx
