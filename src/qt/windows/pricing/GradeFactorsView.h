#pragma once
// The grade factors of a settlement line and their results: Grade factor and
// Result, the rows so far, and Accept, New and Remove; Enter in Result
// accepts the row. The price page shows them, and so do the storage and
// contract terms pages, all over the same page controller.
#include "qt/windows/pricing/PageListGroup.h"

namespace hvx {

class GradeFactorsView : public PageListGroup {
    Q_OBJECT
public:
    GradeFactorsView(PricePage& page, QtUiPort& ui, QWidget* parent = nullptr);

    QLineEdit* GradeFactorField() const { return gradeFactor_; }
    QLineEdit* ResultField() const { return result_; }

private:
    QLineEdit* gradeFactor_;
    QLineEdit* result_;
};

}  // namespace hvx
