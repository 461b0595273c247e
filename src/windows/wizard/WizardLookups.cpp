// The wizard's search buttons and the forward exits of its fields: the
// commodity and location lists, and the customer looked up in the back office
// or in the module's own customer list.
#include "windows/wizard/NewSettlementWizard.h"

#include "platform/EngineReason.h"
#include "platform/HVXSConnection.h"
#include "platform/Lookups.h"
#include "platform/Statements.h"
#include "platform/UiPort.h"
#include "shell/BackOfficeCalls.h"
#include "shell/SiblingLoader.h"

namespace hvx {
namespace {

const char* const kCommodityColumns = "REFERENCE,Reference,20,-1,NAME,Name,30,0";
const char* const kCommoditySelect = "SELECT REFERENCE,NAME,STR(RECNO) FROM HVXGR51";
const char* const kLocationColumns = "LOCREF,Reference,18,-1,LOCDESC,Description,40,0";
const char* const kLocationSelect = "SELECT LOCREF,LOCDESC,STR(RECNO) FROM HVXINV16";
const char* const kCustomerColumns = "REFERENCE,Reference,20,-3,NAME,Name,40,-4";
const char* const kCustomerSelect = "SELECT REFERENCE,NAME,STR(RECNO) FROM HVXAR50";
const char* const kCustomerByRecno = "SELECT REFERENCE,NAME FROM HVXAR50 WHERE RECNO = %.0f";
// The customer's name as the module's own list gives it on leaving a field.
constexpr std::size_t kCustomerNameSize = 50;

// "/" typed into a field asks for its list; as a start text it would only
// place the list on no row.
std::string StartText(const std::string& typed) {
    return typed == "/" ? std::string() : typed;
}

const char* SearchFunctionName(bool byName) {
    return byName ? "bSearchCustName" : "bSearchCustRef";
}

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
    std::string start = StartText(field);
    if (ui_.SearchWin(start, columns, select, "") == 0) {
        field.clear();
        ui_.SetFocus(here);
        return;
    }
    field = Fit(start, kFieldSize);
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

void NewSettlementWizard::FillCustomer(std::string_view reference, std::string_view name) {
    record_.custRef = Fit(reference, kFieldSize);
    record_.custName = Fit(name, kFieldSize);
    ui_.SetFocus(kMainButton);
}

bool NewSettlementWizard::AskBackOffice(bool verify, bool byName, const std::string& text) {
    const BackOfficeFunction function = verify   ? BackOfficeFunction::VerifyCustomer
                                        : byName ? BackOfficeFunction::SearchCustomerName
                                                 : BackOfficeFunction::SearchCustomerReference;
    BackOfficeRecord customer;
    if (!CallBackOffice(window_, function, text, customer)) return false;
    FillCustomer(customer.Reference(), customer.Name());
    return true;
}

void NewSettlementWizard::SearchCustomer(bool byName) {
    const std::string& typed = byName ? record_.custName : record_.custRef;
    if (BackOffice()) {
        // A customer not chosen leaves the field as typed.
        AskBackOffice(false, byName, typed);
        return;
    }
    std::string start = StartText(typed);
    const double recno =
        ui_.SearchWin(start, kCustomerColumns, kCustomerSelect, byName ? "NAME" : "");
    std::vector<SqlRow> rows;
    if (recno != 0) {
        HVXSConnection connection(1, nullptr, 0);
        LiteralStatements sql(connection);
        if (!sql.Query({kCustomerByRecno}, {recno}, 2, rows)) ShowMessage(ui_, sql.LastError());
    }
    if (rows.empty()) {
        ui_.SetFocus(byName ? kCustName : kCustRef);
        return;
    }
    FillCustomer(rows[0][0], rows[0][1]);
}

void NewSettlementWizard::LeaveCustomer(bool byName) {
    const std::string typed = byName ? record_.custName : record_.custRef;
    if (typed.empty()) {
        ui_.SetFocus(byName ? kMainButton : kCustName);
        return;
    }
    if (BackOffice()) {
        if (AskBackOffice(true, byName, typed)) return;
        // When the back office cannot be reached the user has been told so
        // once; its search would only say it again.
        void* module = LoadSibling(kBackOfficeModule);
        if (module && SiblingFunction(module, SearchFunctionName(byName))) SearchCustomer(byName);
        return;
    }
    // The module's own list: the name is read for the reference typed, unless
    // the name field is still empty or asks for the list.
    if (record_.custName.empty() || record_.custName == "/") {
        SearchCustomer(byName);
        return;
    }
    char name[kCustomerNameSize + 1] = {};
    if (!GetField1(1, "HVXAR50", "REFERENCE", record_.custRef, "NAME", name, sizeof name)) {
        SearchCustomer(byName);
        return;
    }
    record_.custName = name;
    ui_.SetFocus(kMainButton);
}

}  // namespace hvx
