#pragma once
// The four change dialogs of a posted settlement, as the controller asks for
// them: each opens modally, filled with the current terms, lets the clerk
// edit them in place and answers true for OK. Anything else (Cancel, Escape,
// closing the dialog) is false, and the texts are then of no interest.
#include "windows/posted/PostedTerms.h"

namespace hvx::posted {

class PostedChangeDialogs {
public:
    virtual ~PostedChangeDialogs() = default;
    virtual bool EditStorage(StorageChange& change) = 0;
    virtual bool EditInstallment(InstallmentChange& change) = 0;
    virtual bool EditService(ServiceChange& change) = 0;
    virtual bool EditCheckNumber(CheckNumberChange& change) = 0;
};

}  // namespace hvx::posted
