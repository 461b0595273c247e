#include "qt/windows/entry/pages/TermsPage.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "qt/ui/DateField.h"
#include "qt/ui/QtUiPort.h"
#include "qt/windows/entry/pages/NumberField.h"
#include "rules/StoredText.h"

namespace hvx {
namespace {

QString Q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A date of the terms as the field shows it; a text that names no date is
// shown as it is, so nothing stored is hidden.
QString ShownDate(const std::string& kept) {
    CivilDate date;
    return Q(ReadDate(kept, date) ? FormatMdy(date) : kept);
}

std::string KeptDate(const QString& completed) {
    CivilDate date;
    return ReadDate(completed.toStdString(), date) ? WindowDate(date) : std::string();
}

}  // namespace

TermsPage::TermsPage(QtUiPort& ui, QWidget* parent) : QWidget(parent), ui_(ui) {
    grid_ = new QGridLayout(this);
    grid_->setContentsMargins(0, 0, 0, 0);
    grid_->setHorizontalSpacing(6);
    grid_->setVerticalSpacing(4);
}

QString TermsPage::Caption(const QString& label) {
    QString caption = label;
    caption.remove('&');
    if (caption.endsWith(':')) caption.chop(1);
    return caption;
}

void TermsPage::Add(int row, int pair, const QString& label, std::string_view name,
                    Binding binding) {
    QWidget* field = binding.field;
    field->setObjectName(Q(name));
    ui_.RegisterField(std::string(name), field);
    if (auto* box = qobject_cast<QCheckBox*>(field)) {
        grid_->addWidget(box, row, 2 * pair, 1, 2);
    } else {
        auto* caption = new QLabel(label, this);
        // A date field takes no focus itself; its text box does.
        caption->setBuddy(field->focusProxy() ? field->focusProxy() : field);
        grid_->addWidget(caption, row, 2 * pair);
        grid_->addWidget(field, row, 2 * pair + 1);
    }
    bindings_.push_back(binding);
}

DateField* TermsPage::AddDate(int row, int pair, const QString& label, std::string_view name,
                              Member member) {
    auto* field = new DateField(this);
    Add(row, pair, label, name, {field, member, Kind::Date});
    connect(field, &DateField::dateCommitted, this,
            [this, member](const QString& text) { Write(member, KeptDate(text)); });
    const std::string focusName(name);
    connect(field, &DateField::invalidDate, this, [this, label, focusName] {
        ShowMessage(ui_, (Caption(label) + " is not a valid date.").toStdString());
        ui_.SetFocus(focusName);
    });
    return field;
}

NumberField* TermsPage::AddNumber(int row, int pair, const QString& label, std::string_view name,
                                  Member member, int decimals) {
    auto* field = new NumberField(Caption(label), decimals, std::string(name), ui_, this);
    Add(row, pair, label, name, {field, member, Kind::Number});
    // While typing, only a number (or nothing) reaches the terms; leaving
    // the field refuses anything else.
    connect(field, &QLineEdit::textEdited, this, [this, member, decimals](const QString& text) {
        std::string stored;
        if (NumberField::Stored(text.toStdString(), decimals, stored)) Write(member, stored);
    });
    connect(field, &NumberField::numberCommitted, this,
            [this, member](const QString& text) { Write(member, text.toStdString()); });
    return field;
}

QLineEdit* TermsPage::AddText(int row, int pair, const QString& label, std::string_view name,
                              Member member) {
    auto* field = new QLineEdit(this);
    Add(row, pair, label, name, {field, member, Kind::Text});
    connect(field, &QLineEdit::textEdited, this,
            [this, member](const QString& text) { Write(member, text.toStdString()); });
    return field;
}

QCheckBox* TermsPage::AddFlag(int row, int pair, const QString& label, std::string_view name,
                              Member member) {
    auto* field = new QCheckBox(label, this);
    Add(row, pair, label, name, {field, member, Kind::Flag});
    connect(field, &QCheckBox::clicked, this,
            [this, member](bool on) { Write(member, on ? "T" : "F"); });
    return field;
}

void TermsPage::Write(Member member, const std::string& value) {
    if (!terms_ || terms_->*member == value) return;
    terms_->*member = value;
    emit changed();
}

void TermsPage::Bind(settlement::DestinationTerms* terms) {
    terms_ = terms;
    Refresh();
}

void TermsPage::Refresh() {
    for (const Binding& b : bindings_) {
        const std::string value = terms_ ? terms_->*b.member : std::string();
        switch (b.kind) {
            case Kind::Date: static_cast<DateField*>(b.field)->SetText(ShownDate(value)); break;
            case Kind::Flag: static_cast<QCheckBox*>(b.field)->setChecked(value == "T"); break;
            case Kind::Number:
            case Kind::Text: static_cast<QLineEdit*>(b.field)->setText(Q(value)); break;
        }
    }
}

void TermsPage::setReadOnly(bool readOnly) {
    for (const Binding& b : bindings_) b.field->setEnabled(!readOnly);
}

}  // namespace hvx
