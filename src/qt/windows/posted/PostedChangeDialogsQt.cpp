#include "qt/windows/posted/PostedChangeDialogsQt.h"

#include "settlement/CheckPrinting.h"

namespace hvx {

using posted::PostedChangeKind;

std::unique_ptr<PostedTermsDialog> MakePostedChangeDialog(PostedChangeKind kind,
                                                          QWidget* parent) {
    using Field = PostedTermsDialog::Field;
    switch (kind) {
    case PostedChangeKind::Storage:
        return std::make_unique<PostedTermsDialog>(
            "Change Storage Terms",
            std::vector<Field>{{"&Paid-through date:", "paidThrough", true},
                               {"Prepaid &amount:", "prepaid"},
                               {"&Storage field:", "storageField"},
                               {"Storage &rate per day:", "ratePerDay"}},
            parent);
    case PostedChangeKind::Installment:
        return std::make_unique<PostedTermsDialog>(
            "Change Interest Terms",
            std::vector<Field>{{"&Interest date:", "interestDate", true},
                               {"Interest &rate:", "interestRate"},
                               {"&Due date:", "dueDate", true}},
            parent);
    case PostedChangeKind::Service:
        return std::make_unique<PostedTermsDialog>(
            "Change Service Charge Terms",
            std::vector<Field>{{"Service-charge &start date:", "startDate", true},
                               {"Service-charge &rate:", "serviceRate"}},
            parent);
    case PostedChangeKind::CheckNumber:
        // The column holds what the check printing's number buffer holds.
        return std::make_unique<PostedTermsDialog>(
            "Change Check Number",
            std::vector<Field>{{"&Check number:", "checkNumber", false,
                                static_cast<int>(settlement::kCheckNumberSize - 1)}},
            parent);
    case PostedChangeKind::None:
        break;
    }
    return nullptr;
}

bool PostedChangeDialogsQt::Run(PostedChangeKind kind, const std::vector<std::string*>& texts) {
    const std::unique_ptr<PostedTermsDialog> dialog = MakePostedChangeDialog(kind, parent_);
    std::vector<std::string> shown;
    for (const std::string* text : texts) shown.push_back(*text);
    dialog->SetTexts(shown);
    if (dialog->exec() != QDialog::Accepted) return false;
    const std::vector<std::string> typed = dialog->Texts();
    for (std::size_t i = 0; i < texts.size(); ++i) *texts[i] = typed[i];
    return true;
}

bool PostedChangeDialogsQt::EditStorage(posted::StorageChange& c) {
    return Run(PostedChangeKind::Storage,
               {&c.paidThrough, &c.prepaid, &c.storageField, &c.ratePerDay});
}

bool PostedChangeDialogsQt::EditInstallment(posted::InstallmentChange& c) {
    return Run(PostedChangeKind::Installment, {&c.interestDate, &c.rate, &c.dueDate});
}

bool PostedChangeDialogsQt::EditService(posted::ServiceChange& c) {
    return Run(PostedChangeKind::Service, {&c.startDate, &c.rate});
}

bool PostedChangeDialogsQt::EditCheckNumber(posted::CheckNumberChange& c) {
    return Run(PostedChangeKind::CheckNumber, {&c.checkNumber});
}

}  // namespace hvx
