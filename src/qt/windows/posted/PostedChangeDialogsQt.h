#pragma once
// The four change dialogs of a posted settlement on screen, each a
// PostedTermsDialog over the window that asks for it.
#include <memory>

#include "qt/windows/posted/PostedTermsDialog.h"
#include "windows/posted/PostedChangeDialogs.h"

namespace hvx {

// The dialog of a kind of change, empty; null for a kind without one.
std::unique_ptr<PostedTermsDialog> MakePostedChangeDialog(posted::PostedChangeKind kind,
                                                          QWidget* parent);

class PostedChangeDialogsQt final : public posted::PostedChangeDialogs {
public:
    explicit PostedChangeDialogsQt(QWidget* parent) : parent_(parent) {}

    bool EditStorage(posted::StorageChange& change) override;
    bool EditInstallment(posted::InstallmentChange& change) override;
    bool EditService(posted::ServiceChange& change) override;
    bool EditCheckNumber(posted::CheckNumberChange& change) override;

private:
    bool Run(posted::PostedChangeKind kind, const std::vector<std::string*>& texts);
    QWidget* parent_;
};

}  // namespace hvx
