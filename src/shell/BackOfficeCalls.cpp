#include "shell/BackOfficeCalls.h"

#include <string>
#include <vector>

#include "platform/Format.h"
#include "platform/Text.h"
#include "platform/UiPort.h"
#include "abi/SiblingAbi.h"
#include "shell/SiblingLoader.h"

namespace hvx {
namespace {

const char* ExportName(BackOfficeFunction function) {
    switch (function) {
        case BackOfficeFunction::SearchCustomerName: return "bSearchCustName";
        case BackOfficeFunction::SearchCustomerReference: return "bSearchCustRef";
        case BackOfficeFunction::VerifyCustomer: return "bVerifyCustomer";
        case BackOfficeFunction::SearchGLAccount: return "bSearchGLAccount";
        case BackOfficeFunction::VerifyGLAccount: return "bVerifyGLAccount";
    }
    return "";
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool UsesBackOffice(std::string_view backOfficeSetting) {
    std::string setting(backOfficeSetting);
    TRIM(setting);
    return setting == kBackOfficeTorvale;
}

const std::string& BackOfficeRecord::Field(int number) const {
    static const std::string kNone;
    if (number < 1 || number > kFieldCount) return kNone;
    return fields[static_cast<std::size_t>(number - 1)];
}

BackOfficeRecord ParseBackOfficeRecord(std::string_view resultText) {
    BackOfficeRecord record;
    HVXParseTabDelim fields(resultText);
    while (fields.HasMore()) {
        const std::string field = fields.GetNextString();
        if (field.size() < 3 || !IsDigit(field[0]) || !IsDigit(field[1]) || field[2] != '=')
            continue;
        const int number = (field[0] - '0') * 10 + (field[1] - '0');
        if (number < 1 || number > BackOfficeRecord::kFieldCount) continue;
        record.fields[static_cast<std::size_t>(number - 1)] = field.substr(3);
    }
    return record;
}

bool CallBackOffice(HostWindow window, BackOfficeFunction function, std::string_view text,
                    BackOfficeRecord& record) {
    void* module = LoadSibling(kBackOfficeModule);
    if (!module) {
        ShowMessage(_HVXsprintf("Unable to load %s", kBackOfficeModule));
        return false;
    }
    const char* name = ExportName(function);
    auto lookup = SiblingFunctionAs<HVXBackOfficeLookupFn>(module, name);
    if (!lookup) {
        ShowMessage(_HVXsprintf("Cannot find %s function in %s", name, kBackOfficeModule));
        return false;
    }
    const std::string typed(text);
    std::vector<char> result(kBackOfficeResultSize, '\0');
    if (!lookup(window, typed.c_str(), result.data(), kBackOfficeResultSize)) return false;
    // A sibling that filled the whole buffer still yields a terminated text.
    result.back() = '\0';
    record = ParseBackOfficeRecord(result.data());
    return true;
}

}  // namespace hvx
