#pragma once
// A terms page that also shows the grade factors of the line (the storage
// and contract terms): the terms above, the line's grade factors below, over
// the line's price page controller. A change of either is a change of the
// page.
#include "qt/windows/entry/pages/TermsPage.h"

namespace hvx {

class GradeFactorsView;
class PricePage;

class GradedTermsPage : public TermsPage {
    Q_OBJECT
public:
    GradeFactorsView* Grades() const { return grades_; }

    void Refresh() override;
    void setReadOnly(bool readOnly) override;

protected:
    GradedTermsPage(PricePage& page, QtUiPort& ui, QWidget* parent);
    // Called by the pages once their terms fields are in place: the grade
    // factors go below them and come after them in the tab order.
    void AddGrades();

private:
    PricePage& page_;
    QtUiPort& ui_;
    GradeFactorsView* grades_ = nullptr;
};

}  // namespace hvx
