#include "qt/windows/posted/PostedTermsDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "qt/ui/DateField.h"

namespace hvx {

PostedTermsDialog::PostedTermsDialog(const QString& title, const std::vector<Field>& fields,
                                     QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(title);
    auto* form = new QFormLayout;
    for (const Field& field : fields) {
        QWidget* widget = nullptr;
        QLineEdit* edit = nullptr;
        if (field.date) {
            auto* date = new DateField(this);
            widget = date, edit = date->LineEdit();
        } else {
            widget = edit = new QLineEdit(this);
        }
        edit->setObjectName(field.name);
        if (field.maxLength > 0) edit->setMaxLength(field.maxLength);
        auto* label = new QLabel(field.label, this);
        label->setBuddy(edit);
        form->addRow(label, widget);
        edits_.push_back(edit);
    }
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = box->button(QDialogButtonBox::Ok);
    ok_->setText("&OK");
    ok_->setObjectName("ok");
    ok_->setDefault(true);
    QPushButton* cancel = box->button(QDialogButtonBox::Cancel);
    cancel->setObjectName("cancel");
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(box);
    // The fields in the order the clerk reads them, then the buttons.
    QWidget* previous = nullptr;
    for (QWidget* next : edits_) {
        if (previous) setTabOrder(previous, next);
        previous = next;
    }
    setTabOrder(previous, ok_);
    setTabOrder(ok_, cancel);
    setMinimumWidth(360);
}

void PostedTermsDialog::SetTexts(const std::vector<std::string>& texts) {
    for (std::size_t i = 0; i < edits_.size() && i < texts.size(); ++i)
        edits_[i]->setText(QString::fromStdString(texts[i]));
    if (!edits_.empty()) edits_.front()->setFocus();
}

std::vector<std::string> PostedTermsDialog::Texts() const {
    std::vector<std::string> texts;
    for (const QLineEdit* edit : edits_) texts.push_back(edit->text().toStdString());
    return texts;
}

}  // namespace hvx
