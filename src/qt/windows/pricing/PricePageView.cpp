#include "qt/windows/pricing/PricePageView.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "platform/EngineReason.h"
#include "qt/windows/pricing/FieldText.h"
#include "qt/windows/pricing/GradeFactorsView.h"
#include "qt/windows/pricing/PriceDeductionsView.h"
#include "qt/windows/pricing/PriceUnitsView.h"

namespace hvx {
namespace {

QLabel* NewTotal(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    return label;
}

}  // namespace

PricePageView::PricePageView(PricePage& page, QtUiPort& ui, QWidget* parent)
    : QWidget(parent), page_(page) {
    hint_ = new QLabel(this);
    hint_->setObjectName("PageHint");
    hint_->setWordWrap(true);
    units_ = new PriceUnitsView(page, ui, this);
    deductions_ = new PriceDeductionsView(page, ui, this);
    grades_ = new GradeFactorsView(page, ui, this);

    auto* totals = new QGroupBox("Totals", this);
    average_ = NewTotal("Average", totals);
    gross_ = NewTotal("Gross", totals);
    net_ = NewTotal("Net", totals);
    ar_ = new QPushButton("A/&R", totals);
    ar_->setObjectName("ArButton");
    ar_->setAutoDefault(false);
    auto* totalsLayout = new QVBoxLayout(totals);
    totalsLayout->setContentsMargins(6, 4, 6, 4);
    totalsLayout->setSpacing(2);
    for (QWidget* w : {average_, gross_, net_}) totalsLayout->addWidget(w);
    totalsLayout->addStretch(1);
    totalsLayout->addWidget(ar_, 0, Qt::AlignLeft);

    for (PageListGroup* group : {static_cast<PageListGroup*>(units_),
                                 static_cast<PageListGroup*>(deductions_),
                                 static_cast<PageListGroup*>(grades_)})
        connect(group, &PageListGroup::changed, this, [this] {
            ShowTotals();
            emit changed();
        });
    // The panel reads the customer's balance and advances afresh.
    connect(ar_, &QPushButton::clicked, this, [this] {
        EngineFailureWatch watch;
        page_.ShowArInformation();
    });

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(4);
    grid->addWidget(hint_, 0, 0, 1, 2);
    grid->addWidget(units_, 1, 0);
    grid->addWidget(deductions_, 1, 1);
    // The totals need little width; the grade factors' two fields more.
    grid->addWidget(totals, 2, 0);
    grid->addWidget(grades_, 2, 1);
    grid->setColumnStretch(0, 5);
    grid->setColumnStretch(1, 7);
    grid->setRowStretch(1, 1);
    grid->setRowStretch(2, 1);
    Refresh();
}

void PricePageView::Refresh() {
    units_->Refresh();
    deductions_->Refresh();
    grades_->Refresh();
    ShowTotals();
    ShowMode();
}

void PricePageView::ShowTotals() {
    const PricePageData& data = page_.Data();
    average_->setText(QString::fromStdString(data.averageText));
    gross_->setText(QString::fromStdString(data.grossText));
    net_->setText(QString::fromStdString(data.netText));
}

void PricePageView::ShowMode() {
    const std::string_view hint = page_.PageHint();
    hint_->setText(Q(hint));
    hint_->setVisible(!hint.empty());
    // The page has no room for three more lines: the deductions' own hint
    // is their tool tip, as the commands' hints are the buttons'.
    deductions_->setToolTip(Q(page_.DeductionHint()));
    units_->setEnabled(!page_.InstallmentSaleSource());
}

void PricePageView::setReadOnly(bool readOnly) {
    units_->setReadOnly(readOnly);
    deductions_->setReadOnly(readOnly);
    grades_->setReadOnly(readOnly);
}

}  // namespace hvx
