#include "windows/search/SearchCriteriaDialog.h"

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
    form_.ExactMatchOnly = on;
    if (on) form_.MatchAnywhere = false;
}

void SearchCriteriaController::FitTexts(Form& form) {
    form.SearchString = FitField(form.SearchString, kSearchStringSize);
    form.CustRef = FitField(form.CustRef, kCustRefSize);
    form.CustName = FitField(form.CustName, kCustNameSize);
    form.StartDate = FitField(form.StartDate, kDateSize);
    form.EndDate = FitField(form.EndDate, kDateSize);
}

void SearchCriteriaController::Show() {
    if (!criteria_) return;
    form_ = *criteria_;
    FitTexts(form_);
    // Criteria that ask for both an exact match and one anywhere show the
    // exact one alone, as checking the box does; the next collect keeps that.
    SetExactMatchOnly(form_.ExactMatchOnly);
}

void SearchCriteriaController::CopyFormTo(SettlementSearchObject& criteria) const {
    criteria = form_;
    FitTexts(criteria);
    criteria.SearchAll = search::NoLocationChosen(criteria);
}

bool SearchCriteriaController::Collect(bool ask) {
    if (!criteria_) return false;
    const bool unrestricted = !form_.RestrictByCustomer && !form_.RestrictByDate;
    if (ask && unrestricted && search::NoLocationChosen(form_) &&
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
    if (!form_.RestrictByDate) return true;
    if (!CheckTypedDate(form_.StartDate, "start date", ui_)) {
        ui_.SetFocus(kStartDate);
        return false;
    }
    if (!CheckTypedDate(form_.EndDate, "end date", ui_)) {
        ui_.SetFocus(kEndDate);
        return false;
    }
    return true;
}

bool SearchCriteriaController::Search() {
    if (!CheckDates() || !Collect(true)) return false;
    clearPrevious_ = repeatSearch_ && ui_.MessageBox(kMsgClearPrevious, kCaption, MsgButtons::YesNo,
                                                     MsgIcon::None) == MsgAnswer::Yes;
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
    const std::string path =
        ui_.SaveFileName(kSaveTitle, search::kSearchSetFilter, kSearchSetFolder);
    if (path.empty()) return;
    search::WriteSearchSet(ui_, criteria_, path,
                           [this](SettlementSearchObject& c) { CopyFormTo(c); });
}

void SearchCriteriaController::Load() {
    const std::string path =
        ui_.OpenFileName(kOpenTitle, search::kSearchSetFilter, kSearchSetFolder);
    if (!path.empty() && search::ReadSearchSet(ui_, criteria_, path)) Show();
}

void SearchCriteriaController::Help() {
    ui_.ShowHelp(kHelpFile, kHelpContext);
}

CustomerFields SearchCriteriaController::Customer() {
    return {form_.CustRef, form_.CustName, kCustRefSize, kCustNameSize};
}

void SearchCriteriaController::SearchCustomer(CustomerField field) {
    EngineFailureWatch watch;
    customers_.Search(Customer(), field == CustomerField::Name);
}

void SearchCriteriaController::LeaveCustomer(CustomerField field, bool shift) {
    if (shift) return;
    EngineFailureWatch watch;
    const bool listAsked = form_.CustName.empty() || form_.CustName.starts_with('/');
    // Once a customer is in the fields the clerk goes on to the search text,
    // whichever way it was found.
    if (customers_.Leave(Customer(), field == CustomerField::Name, listAsked) ==
        CustomerLookupResult::Filled)
        ui_.SetFocus(kSearchString);
}

}  // namespace hvx
