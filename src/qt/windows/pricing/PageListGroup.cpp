#include "qt/windows/pricing/PageListGroup.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableView>
#include <QVBoxLayout>

#include "qt/windows/pricing/FieldText.h"
#include "qt/windows/pricing/PageListModel.h"

namespace hvx {
namespace {

QPushButton* CommandButton(const QString& text, std::string_view hint, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setToolTip(Q(hint));
    // Enter in a field belongs to that field (it accepts the row), never to
    // a button that happened to be focused last.
    button->setAutoDefault(false);
    return button;
}

QTableView* NewList(PageListModel* model, QWidget* parent) {
    auto* list = new QTableView(parent);
    model->setParent(list);
    list->setModel(model);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    // Tab leaves the list for the next field instead of walking its cells.
    list->setTabKeyNavigation(false);
    list->setWordWrap(false);
    list->verticalHeader()->hide();
    list->verticalHeader()->setDefaultSectionSize(list->fontMetrics().height() + 4);
    // The page is narrow: the columns share the list's width rather than
    // scroll sideways.
    list->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    list->horizontalHeader()->setMinimumSectionSize(24);
    list->horizontalHeader()->setHighlightSections(false);
    return list;
}

}  // namespace

PageListGroup::PageListGroup(const QString& title, PageListModel* model, Button accept,
                             Button fresh, Button remove, Commands commands, PricePage& page,
                             QtUiPort& ui, QWidget* parent)
    : QGroupBox(title, parent),
      page_(page),
      ui_(ui),
      commands_(std::move(commands)),
      model_(model),
      buttons_{std::move(accept), std::move(fresh), std::move(remove)} {
    fields_ = new QGridLayout;
    fields_->setContentsMargins(0, 0, 0, 0);
    fields_->setHorizontalSpacing(4);
    fields_->setVerticalSpacing(3);
    layout_ = new QVBoxLayout(this);
    layout_->setContentsMargins(4, 4, 4, 4);
    layout_->setSpacing(3);
    layout_->addLayout(fields_);
}

void PageListGroup::AddList() {
    accept_ = CommandButton(buttons_[0].text, buttons_[0].hint, this);
    new_ = CommandButton(buttons_[1].text, buttons_[1].hint, this);
    remove_ = CommandButton(buttons_[2].text, buttons_[2].hint, this);
    list_ = NewList(model_, this);
    connect(accept_, &QPushButton::clicked, this, &PageListGroup::Accept);
    connect(new_, &QPushButton::clicked, this, [this] {
        commands_.fresh();
        RunCommand(false);
    });
    connect(remove_, &QPushButton::clicked, this,
            [this] { RunCommand(commands_.remove()); });
    // A row is picked when it is selected (a click, an arrow key, Space), not
    // when the focus merely enters the list and makes its first row current:
    // tabbing through must not turn the entry into an edit of that row.
    connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        const QModelIndexList rows = list_->selectionModel()->selectedRows();
        if (rows.isEmpty()) return;
        commands_.select(static_cast<std::size_t>(rows.first().row()));
        ShowFields();
    });

    // Buttons as narrow as their captions allow leave the width to the list.
    int width = 0;
    for (QPushButton* b : {accept_, new_, remove_})
        width = qMax(width, b->fontMetrics().horizontalAdvance(QString(b->text()).remove('&')) + 14);
    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(2);
    for (QPushButton* b : {accept_, new_, remove_}) {
        b->setFixedWidth(width);
        buttons->addWidget(b);
    }
    buttons->addStretch(1);
    auto* below = new QHBoxLayout;
    below->setSpacing(4);
    below->addWidget(list_, 1);
    below->addLayout(buttons);
    layout_->addLayout(below, 1);
}

void PageListGroup::AddField(int row, int pair, const QString& label, QWidget* field,
                             std::string_view name, int span) {
    auto* caption = new QLabel(label, this);
    // A field with a button beside it takes no focus itself; its mnemonic
    // has to name the text box that does.
    caption->setBuddy(field->focusProxy() ? field->focusProxy() : field);
    fields_->addWidget(caption, row, 2 * pair);
    fields_->addWidget(field, row, 2 * pair + 1, 1, span);
    fields_->setColumnStretch(2 * pair + 1, 1);
    field->setObjectName(Q(name));
    named_.emplace_back(std::string(name), field);
    ui_.RegisterField(std::string(name), field);
}

QLineEdit* PageListGroup::AddText(int row, int pair, const QString& label, std::string_view name,
                                  std::string PricePageData::*member) {
    auto* field = new QLineEdit(this);
    AddField(row, pair, label, field, name);
    texts_.emplace_back(field, member);
    connect(field, &QLineEdit::textEdited, this,
            [this, member](const QString& text) { page_.Data().*member = Typed(text); });
    return field;
}

void PageListGroup::ShowFields() {
    for (const auto& [field, member] : texts_) ShowText(field, page_.Data().*member);
    ShowMore();
}

void PageListGroup::FitColumn(int column) {
    list_->horizontalHeader()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
}

void PageListGroup::showEvent(QShowEvent* event) {
    for (const auto& [name, field] : named_) ui_.RegisterField(name, field);
    QGroupBox::showEvent(event);
}

void PageListGroup::Accept() { RunCommand(commands_.accept()); }

void PageListGroup::RunCommand(bool listChanged) {
    Refresh();
    if (listChanged) emit changed();
}

void PageListGroup::Refresh() {
    model_->Reload();
    const std::optional<std::size_t> row = commands_.editedRow();
    if (row && static_cast<int>(*row) < model_->rowCount()) {
        const QSignalBlocker quiet(list_->selectionModel());
        const QModelIndex index = model_->index(static_cast<int>(*row), 0);
        list_->selectionModel()->setCurrentIndex(
            index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        list_->scrollTo(index);
    }
    ShowFields();
}

void PageListGroup::setReadOnly(bool readOnly) {
    for (const auto& [name, field] : named_) field->setEnabled(!readOnly);
    for (QPushButton* b : {accept_, new_, remove_}) b->setEnabled(!readOnly);
}

}  // namespace hvx
