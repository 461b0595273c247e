#pragma once
// The terms of a posted settlement that stay editable, as the change dialogs
// show them and hand them back: plain texts, dates in the "MM/DD/YYYY" form.
//
// Which terms a line or destination offers follows from its destination
// category; a "Redelivered" destination, or a text that is no category,
// offers none.
#include <string>
#include <string_view>

namespace hvx {
class UiPort;
}

namespace hvx::posted {

// HVXGR04F.PPAIDDATE, AMTPREPAID, STORECOL, SRATEDATE
struct StorageChange {
    std::string paidThrough;
    std::string prepaid;
    std::string storageField;
    std::string ratePerDay;
};

// HVXGR04F.ISDATE, ISRATE, ISDUE
struct InstallmentChange {
    std::string interestDate;
    std::string rate;
    std::string dueDate;
};

// HVXGR04F.SSDATE, SCRATE
struct ServiceChange {
    std::string startDate;
    std::string rate;
};

// HVXGR04.CHECKNUM
struct CheckNumberChange {
    std::string checkNumber;
};

enum class PostedChangeKind { None, Storage, Installment, Service, CheckNumber };

PostedChangeKind ChangeKindOf(std::string_view destination);

// Checks what the clerk typed and puts it into the form it is stored and
// shown in: blanks trimmed, dates completed ("3/7/24" is "03/07/2024"). An
// empty field is allowed and clears the term. False, after saying which field
// is wrong, for a date that is no date, a rate or amount that is no number,
// or a check number longer than its column holds.
bool CheckTyped(StorageChange& change, UiPort& ui);
bool CheckTyped(InstallmentChange& change, UiPort& ui);
bool CheckTyped(ServiceChange& change, UiPort& ui);
bool CheckTyped(CheckNumberChange& change, UiPort& ui);

}  // namespace hvx::posted
