#include "windows/posted/PostedTerms.h"

#include <string>

#include "platform/Format.h"
#include "platform/Text.h"
#include "platform/UiPort.h"
#include "rules/Categories.h"
#include "settlement/CheckPrinting.h"
#include "windows/TypedValues.h"

namespace hvx::posted {
namespace {

// The check number column holds what the check printing's buffer holds.
constexpr std::size_t kCheckNumberChars = settlement::kCheckNumberSize - 1;

bool Refuse(UiPort& ui, std::string_view message) {
    ShowMessage(ui, message);
    return false;
}

// A rate or an amount: empty, or a plain decimal number, kept as typed.
// Rates are stored as entered, so "0.0025" keeps its digits; an exponent or
// trailing characters would be read back as another number than was meant.
bool CheckNumber(std::string& text, std::string_view field, UiPort& ui) {
    TRIM(text);
    return CheckTypedNumber(text, field, ui);
}

}  // namespace

PostedChangeKind ChangeKindOf(std::string_view destination) {
    const Category* category = FindCategory(destination);
    if (!category) return PostedChangeKind::None;
    switch (category->page) {
    case DetailPage::StorageTerms:
        return PostedChangeKind::Storage;
    case DetailPage::ContractTerms:
        return PostedChangeKind::Service;
    case DetailPage::UnitsAndPrices:
        return category->installmentTerms ? PostedChangeKind::Installment
                                          : PostedChangeKind::CheckNumber;
    case DetailPage::Bin:
    case DetailPage::None:
        break;
    }
    return PostedChangeKind::None;
}

bool CheckTyped(StorageChange& change, UiPort& ui) {
    TRIM(change.storageField);
    return CheckTypedDate(change.paidThrough, "paid-through date", ui) &&
           CheckNumber(change.prepaid, "prepaid amount", ui) &&
           CheckNumber(change.ratePerDay, "storage rate per day", ui);
}

bool CheckTyped(InstallmentChange& change, UiPort& ui) {
    return CheckTypedDate(change.interestDate, "interest date", ui) &&
           CheckNumber(change.rate, "interest rate", ui) &&
           CheckTypedDate(change.dueDate, "due date", ui);
}

bool CheckTyped(ServiceChange& change, UiPort& ui) {
    return CheckTypedDate(change.startDate, "service-charge start date", ui) &&
           CheckNumber(change.rate, "service-charge rate", ui);
}

bool CheckTyped(CheckNumberChange& change, UiPort& ui) {
    TRIM(change.checkNumber);
    if (change.checkNumber.size() <= kCheckNumberChars) return true;
    return Refuse(ui, _HVXsprintf("The check number \"%s\" is longer than %d characters.",
                                  change.checkNumber, static_cast<int>(kCheckNumberChars)));
}

}  // namespace hvx::posted
