#include "qt/windows/pricing/GradeFactorsView.h"

#include <QLineEdit>

#include "qt/windows/pricing/PageListModel.h"
#include "windows/pricing/PricePageFields.h"

namespace hvx {
namespace {

PageListModel* GradesModel(const PricePage& page) {
    return new PageListModel(
        {"Grade Factor", "Result"}, {1}, [&page] { return page.Grades().size(); },
        [&page](std::size_t row, int column) {
            const PriceGradeRow& item = page.Grades()[row];
            return column == 0 ? item.gradeFactor : item.result;
        });
}

}  // namespace

GradeFactorsView::GradeFactorsView(PricePage& page, QtUiPort& ui, QWidget* parent)
    : PageListGroup("Grade Factors", GradesModel(page), {"Acce&pt", {}}, {"N&ew", {}},
                    {"Rem&ove", {}},
                    {[&page] { return page.AcceptGrade(); }, [&page] { page.NewGrade(); },
                     [&page] { return page.RemoveGrade(); },
                     [&page](std::size_t row) { page.SelectGradeRow(row); },
                     [&page] { return page.Data().gradeRow; }},
                    page, ui, parent) {
    gradeFactor_ = AddText(0, 0, "&Grade factor:", kFieldGradeFactor, &PricePageData::gradeFactor);
    result_ = AddText(0, 1, "Re&sult:", kFieldResult, &PricePageData::result);
    connect(result_, &QLineEdit::returnPressed, this, &GradeFactorsView::Accept);
    AddList();
}

}  // namespace hvx
