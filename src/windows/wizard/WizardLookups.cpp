// The wizard's search buttons and the forward exits of its fields: the
// commodity and location lists, and the customer looked up in the back office
// or in the module's own customer list (see CustomerLookup).
#include "windows/wizard/NewSettlementWizard.h"

#include "platform/EngineReason.h"
#include "platform/Lookups.h"
#include "platform/UiPort.h"
#include "windows/TypedValues.h"

namespace hvx {
namespace {

const char* const kCommodityColumns = "REFERENCE,Reference,20,-1,NAME,Name,30,0";
const char* const kCommoditySelect = "SELECT REFERENCE,NAME,STR(RECNO) FROM HVXGR51";
const char* const kLocationColumns = "LOCREF,Reference,18,-1,LOCDESC,Description,40,0";
const char* const kLocationSelect = "SELECT LOCREF,LOCDESC,STR(RECNO) FROM HVXINV16";

}  // namespace

void NewSettlementWizard::Search(Field field) {
    EngineFailureWatch watch;
    switch (field) {
        case Field::Commodity:
            PickReference(record_.commodity, kCommodityColumns, kCommoditySelect, kCommodity,
                          kLocation);
            break;
        case Field::Location:
            PickReference(record_.location, kLocationColumns, kLocationSelect, kLocation,
                          kMainButton);
            break;
        case Field::CustRef: SearchCustomer(false); break;
        case Field::CustName: SearchCustomer(true); break;
    }
}

void NewSettlementWizard::Leave(Field field, bool shift) {
    if (shift) return;
    EngineFailureWatch watch;
    switch (field) {
        case Field::Commodity: LeaveReference(field, "HVXGR51", "REFERENCE", kLocation); break;
        case Field::Location: LeaveReference(field, "HVXINV16", "LOCREF", kMainButton); break;
        case Field::CustRef: LeaveCustomer(false); break;
        case Field::CustName: LeaveCustomer(true); break;
    }
}

void NewSettlementWizard::PickReference(std::string& field, const char* columns, const char* select,
                                        const char* here, const char* next) {
    std::string start = ListStartText(field);
    if (ui_.SearchWin(start, columns, select, "") == 0) {
        field.clear();
        ui_.SetFocus(here);
        return;
    }
    field = FitField(start, kFieldSize);
    ui_.SetFocus(next);
}

void NewSettlementWizard::LeaveReference(Field field, const char* table, const char* column,
                                         const char* next) {
    const std::string& value = field == Field::Commodity ? record_.commodity : record_.location;
    if (value != "/" && !LookupRecno1(1, table, column, value).empty())
        ui_.SetFocus(next);
    else
        Search(field);
}

CustomerFields NewSettlementWizard::Customer() {
    return {record_.custRef, record_.custName, kFieldSize, kFieldSize};
}

void NewSettlementWizard::AfterCustomerLookup(CustomerLookupResult result, bool byName) {
    if (result == CustomerLookupResult::Filled)
        ui_.SetFocus(kMainButton);
    else if (result == CustomerLookupResult::ListCancelled)
        ui_.SetFocus(byName ? kCustName : kCustRef);
}

void NewSettlementWizard::SearchCustomer(bool byName) {
    AfterCustomerLookup(customers_.Search(Customer(), byName), byName);
}

void NewSettlementWizard::LeaveCustomer(bool byName) {
    const std::string& typed = byName ? record_.custName : record_.custRef;
    if (typed.empty()) {
        ui_.SetFocus(byName ? kMainButton : kCustName);
        return;
    }
    // The module's own list reads the name for the reference typed, unless
    // the name field is still empty or asks for the list.
    const bool listAsked = record_.custName.empty() || record_.custName == "/";
    AfterCustomerLookup(customers_.Leave(Customer(), byName, listAsked), byName);
}

}  // namespace hvx
