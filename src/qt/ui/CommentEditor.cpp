#include "qt/ui/CommentEditor.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "platform/UiPort.h"

namespace hvx {

CommentEditor::CommentEditor(std::string table, std::string link, UiPort& ui, QWidget* parent)
    : QDialog(parent), store_(std::move(table), std::move(link)), ui_(ui) {
    setWindowTitle("Comments");
    list_ = new QTableWidget(0, 2, this);
    list_->setHorizontalHeaderLabels({"Date", "Comment"});
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->verticalHeader()->hide();
    list_->setWordWrap(false);
    list_->horizontalHeader()->setStretchLastSection(true);
    list_->setColumnWidth(0, list_->fontMetrics().horizontalAdvance("00/00/00000"));
    connect(list_, &QTableWidget::itemSelectionChanged, this, &CommentEditor::ShowSelected);

    text_ = new QPlainTextEdit(this);
    text_->setTabChangesFocus(true);

    add_ = new QPushButton("&Add", this);
    change_ = new QPushButton("&Change", this);
    delete_ = new QPushButton("&Delete", this);
    auto* close = new QPushButton("&Close", this);
    for (QPushButton* b : {add_, change_, delete_, close}) b->setAutoDefault(false);
    connect(add_, &QPushButton::clicked, this, &CommentEditor::Add);
    connect(change_, &QPushButton::clicked, this, &CommentEditor::Change);
    connect(delete_, &QPushButton::clicked, this, &CommentEditor::Delete);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {add_, change_, delete_}) buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* left = new QVBoxLayout;
    left->addWidget(list_, 2);
    left->addWidget(text_, 1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);
    resize(560, 380);
}

bool CommentEditor::Reload() {
    std::string error;
    const bool ok = store_.Load(comments_, error);
    if (!ok) ShowMessage(ui_, error);
    const QSignalBlocker quiet(list_);
    list_->setRowCount(static_cast<int>(comments_.size()));
    for (size_t i = 0; i < comments_.size(); ++i) {
        const int row = static_cast<int>(i);
        // The list shows each comment on one line; the text box below shows it whole.
        QString oneLine = QString::fromStdString(comments_[i].text).simplified();
        list_->setItem(row, 0, new QTableWidgetItem(QString::fromStdString(comments_[i].date)));
        list_->setItem(row, 1, new QTableWidgetItem(oneLine));
    }
    list_->clearSelection();
    ShowSelected();
    return ok;
}

const Comment* CommentEditor::Selected() const {
    const QList<QTableWidgetSelectionRange> ranges = list_->selectedRanges();
    if (ranges.isEmpty()) return nullptr;
    const int row = ranges.first().topRow();
    return row < static_cast<int>(comments_.size()) ? &comments_[row] : nullptr;
}

void CommentEditor::ShowSelected() {
    const Comment* comment = Selected();
    change_->setEnabled(comment != nullptr);
    delete_->setEnabled(comment != nullptr);
    if (comment) text_->setPlainText(QString::fromStdString(comment->text));
}

void CommentEditor::SelectRecno(double recno) {
    for (size_t i = 0; i < comments_.size(); ++i)
        if (comments_[i].recno == recno) list_->selectRow(static_cast<int>(i));
}

void CommentEditor::Add() {
    std::string error;
    Comment added;
    if (!store_.Add(text_->toPlainText().toStdString(), &added, error)) {
        ShowMessage(ui_, error);
        return;
    }
    Reload();
    SelectRecno(added.recno);
}

void CommentEditor::Change() {
    const Comment* comment = Selected();
    if (!comment) return;
    const double recno = comment->recno;
    std::string error;
    if (!store_.Change(recno, text_->toPlainText().toStdString(), error)) ShowMessage(ui_, error);
    Reload();
    SelectRecno(recno);
}

void CommentEditor::Delete() {
    const Comment* comment = Selected();
    if (!comment) return;
    if (ui_.MessageBox("Delete the selected comment?", "Comments", MsgButtons::YesNo,
                       MsgIcon::Question) != MsgAnswer::Yes)
        return;
    std::string error;
    if (!store_.Delete(comment->recno, error)) ShowMessage(ui_, error);
    Reload();
    text_->clear();
}

}  // namespace hvx
