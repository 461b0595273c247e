#include "qt/windows/entry/pages/GradedTermsPage.h"

#include <QGridLayout>
#include <QTableView>

#include "qt/windows/pricing/GradeFactorsView.h"

namespace hvx {

GradedTermsPage::GradedTermsPage(PricePage& page, QtUiPort& ui, QWidget* parent)
    : TermsPage(ui, parent), page_(page), ui_(ui) {}

void GradedTermsPage::AddGrades() {
    grades_ = new GradeFactorsView(page_, ui_, this);
    Grid()->addWidget(grades_, Grid()->rowCount(), 0, 1, Grid()->columnCount());
    Grid()->setRowStretch(Grid()->rowCount() - 1, 1);
    connect(grades_, &PageListGroup::changed, this, &TermsPage::changed);
}

void GradedTermsPage::Refresh() {
    TermsPage::Refresh();
    if (grades_) grades_->Refresh();
}

void GradedTermsPage::setReadOnly(bool readOnly) {
    TermsPage::setReadOnly(readOnly);
    if (grades_) grades_->setReadOnly(readOnly);
}

}  // namespace hvx
