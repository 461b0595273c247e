#pragma once
// The customer and G/L account lookups of the back office, H32BKOF.DLL.
//
// Each lookup hands the sibling what the user typed and a 4096-byte result
// buffer; a chosen or existing record comes back as tab-delimited fields
// "NN=value". A customer has "01=" (reference), "02=" (name) and further
// fields up to "08="; a G/L account has "01=" and "02=".
#include <array>
#include <string>
#include <string_view>

#include "platform/HostPort.h"

namespace hvx {

inline constexpr const char* kBackOfficeModule = "H32BKOF.DLL";

// The back-office setting (BCKOFFCE) that sends customer and G/L account
// lookups to H32BKOF.DLL instead of the module's own lists and the general
// ledger.
inline constexpr const char* kBackOfficeTorvale = "TORVALE";

// True when the setting, as stored (blanks around it are ignored), selects the
// back-office lookups.
bool UsesBackOffice(std::string_view backOfficeSetting);

// A record as the back office returns it: fields "01=" to "08=".
struct BackOfficeRecord {
    static constexpr int kFieldCount = 8;
    std::array<std::string, kFieldCount> fields;

    // The value of field number (1 to 8); empty when it was not returned.
    const std::string& Field(int number) const;
    const std::string& Reference() const { return Field(1); }
    const std::string& Name() const { return Field(2); }
};

// Reads a tab-delimited result buffer. Fields numbered 01 to 08 are kept;
// anything else ("09=", "00=", text without a two-digit number and "=") is
// ignored.
BackOfficeRecord ParseBackOfficeRecord(std::string_view resultText);

enum class BackOfficeFunction {
    SearchCustomerName,       // bSearchCustName: name typed so far
    SearchCustomerReference,  // bSearchCustRef: reference typed so far
    VerifyCustomer,           // bVerifyCustomer: customer reference
    SearchGLAccount,          // bSearchGLAccount: account text
    VerifyGLAccount,          // bVerifyGLAccount: account text
};

// Calls the lookup with the text. True when the sibling chose or found a
// record, which is then read into record; otherwise record is left as it was.
// Without the sibling ("Unable to load H32BKOF.DLL") or its function ("Cannot
// find … function in H32BKOF.DLL") the user is told and the result is false.
bool CallBackOffice(HostWindow window, BackOfficeFunction function, std::string_view text,
                    BackOfficeRecord& record);

}  // namespace hvx
