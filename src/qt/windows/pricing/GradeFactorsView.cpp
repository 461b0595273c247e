#include "qt/windows/pricing/GradeFactorsView.h"

#include <QLineEdit>

#include "qt/windows/pricing/FieldText.h"
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
                    ui, parent),
      page_(page) {
    gradeFactor_ = new QLineEdit(this);
    result_ = new QLineEdit(this);
    AddField(0, 0, "&Grade factor:", gradeFactor_, kFieldGradeFactor);
    AddField(0, 1, "Re&sult:", result_, kFieldResult);
    connect(gradeFactor_, &QLineEdit::textEdited, this,
            [this](const QString& text) { page_.Data().gradeFactor = Typed(text); });
    connect(result_, &QLineEdit::textEdited, this,
            [this](const QString& text) { page_.Data().result = Typed(text); });
    connect(result_, &QLineEdit::returnPressed, this, &GradeFactorsView::Accept);
}

void GradeFactorsView::ShowFields() {
    ShowText(gradeFactor_, page_.Data().gradeFactor);
    ShowText(result_, page_.Data().result);
}

}  // namespace hvx
