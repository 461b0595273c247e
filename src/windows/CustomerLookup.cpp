#include "windows/CustomerLookup.h"

#include <vector>

#include "platform/HVXSConnection.h"
#include "platform/Lookups.h"
#include "platform/Statements.h"
#include "platform/Text.h"
#include "platform/UiPort.h"
#include "shell/BackOfficeCalls.h"
#include "shell/Configuration.h"
#include "shell/SiblingLoader.h"
#include "windows/TypedValues.h"

namespace hvx {
namespace {

const char* const kCustomerColumns = "REFERENCE,Reference,20,-3,NAME,Name,40,-4";
const char* const kCustomerSelect = "SELECT REFERENCE,NAME,STR(RECNO) FROM HVXAR50";
const char* const kCustomerByRecno = "SELECT REFERENCE,NAME FROM HVXAR50 WHERE RECNO = %.0f";
// BCKOFFCE is kept to the size the configuration gives it.
constexpr std::size_t kSettingSize = 20;
// The customer's name as the module's own list gives it on leaving a field.
constexpr std::size_t kCustomerNameSize = 50;

const char* SearchFunctionName(bool byName) {
    return byName ? "bSearchCustName" : "bSearchCustRef";
}

void Fill(const CustomerFields& fields, std::string_view reference, std::string_view name) {
    fields.reference = FitField(reference, fields.referenceSize);
    fields.name = FitField(name, fields.nameSize);
}

}  // namespace

void CustomerLookup::ReadSetting() {
    std::string setting = BackOfficeSetting();
    TRIM(setting);
    setting_ = FitField(setting, kSettingSize);
}

bool CustomerLookup::BackOffice() const {
    return UsesBackOffice(setting_);
}

CustomerLookupResult CustomerLookup::AskBackOffice(const CustomerFields& fields, bool verify,
                                                   bool byName) {
    const BackOfficeFunction function = verify   ? BackOfficeFunction::VerifyCustomer
                                        : byName ? BackOfficeFunction::SearchCustomerName
                                                 : BackOfficeFunction::SearchCustomerReference;
    BackOfficeRecord customer;
    if (!CallBackOffice(window_, function, byName ? fields.name : fields.reference, customer))
        return CustomerLookupResult::NotChosen;
    Fill(fields, customer.Reference(), customer.Name());
    return CustomerLookupResult::Filled;
}

CustomerLookupResult CustomerLookup::Search(const CustomerFields& fields, bool byName) {
    // A customer not chosen in the back office leaves the field as typed.
    if (BackOffice()) return AskBackOffice(fields, false, byName);
    std::string start = ListStartText(byName ? fields.name : fields.reference);
    const double recno =
        ui_.SearchWin(start, kCustomerColumns, kCustomerSelect, byName ? "NAME" : "");
    std::vector<SqlRow> rows;
    if (recno != 0) {
        HVXSConnection connection(1, nullptr, 0);
        LiteralStatements sql(connection);
        if (!sql.Query({kCustomerByRecno}, {recno}, 2, rows)) ShowMessage(ui_, sql.LastError());
    }
    if (rows.empty()) return CustomerLookupResult::ListCancelled;
    Fill(fields, rows[0][0], rows[0][1]);
    return CustomerLookupResult::Filled;
}

CustomerLookupResult CustomerLookup::Leave(const CustomerFields& fields, bool byName,
                                           bool listAsked) {
    if (BackOffice()) {
        const CustomerLookupResult verified = AskBackOffice(fields, true, byName);
        if (verified == CustomerLookupResult::Filled) return verified;
        void* module = LoadSibling(kBackOfficeModule);
        if (module && SiblingFunction(module, SearchFunctionName(byName)))
            return Search(fields, byName);
        return verified;
    }
    if (listAsked) return Search(fields, byName);
    char name[kCustomerNameSize + 1] = {};
    if (!GetField1(1, "HVXAR50", "REFERENCE", fields.reference, "NAME", name, sizeof name))
        return Search(fields, byName);
    fields.name = FitField(name, fields.nameSize);
    return CustomerLookupResult::Filled;
}

}  // namespace hvx
