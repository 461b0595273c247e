#include "qt/windows/pricing/PageListGroup.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
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
                             Button fresh, Button remove, Commands commands, QtUiPort& ui,
                             QWidget* parent)
    : QGroupBox(title, parent), ui_(ui), commands_(std::move(commands)), model_(model) {
    fields_ = new QGridLayout;
    fields_->setContentsMargins(0, 0, 0, 0);
    fields_->setHorizontalSpacing(4);
    fields_->setVerticalSpacing(3);
    list_ = NewList(model, this);
    accept_ = CommandButton(accept.text, accept.hint, this);
    new_ = CommandButton(fresh.text, fresh.hint, this);
    remove_ = CommandButton(remove.text, remove.hint, this);
    connect(accept_, &QPushButton::clicked, this, &PageListGroup::Accept);
    connect(new_, &QPushButton::clicked, this, [this] {
        commands_.fresh();
        RunCommand(false);
    });
    connect(remove_, &QPushButton::clicked, this,
            [this] { RunCommand(commands_.remove()); });
    connect(list_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (!current.isValid()) return;
                commands_.select(static_cast<std::size_t>(current.row()));
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
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(3);
    layout->addLayout(fields_);
    layout->addLayout(below, 1);
}

void PageListGroup::AddField(int row, int pair, const QString& label, QWidget* field,
                             std::string_view name, int span) {
    auto* caption = new QLabel(label, this);
    caption->setBuddy(field);
    fields_->addWidget(caption, row, 2 * pair);
    fields_->addWidget(field, row, 2 * pair + 1, 1, span);
    fields_->setColumnStretch(2 * pair + 1, 1);
    field->setObjectName(Q(name));
    named_.emplace_back(std::string(name), field);
    ui_.RegisterField(std::string(name), field);
    Chain();
}

void PageListGroup::FitColumn(int column) {
    list_->horizontalHeader()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
}

void PageListGroup::Chain() {
    std::vector<QWidget*> order;
    for (const auto& [name, field] : named_) order.push_back(field);
    for (QWidget* w : {static_cast<QWidget*>(accept_), static_cast<QWidget*>(new_),
                       static_cast<QWidget*>(remove_), static_cast<QWidget*>(list_)})
        order.push_back(w);
    for (std::size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
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

void PageListGroup::SetReadOnly(bool readOnly) {
    for (const auto& [name, field] : named_) field->setEnabled(!readOnly);
    for (QPushButton* b : {accept_, new_, remove_}) b->setEnabled(!readOnly);
}

}  // namespace hvx
