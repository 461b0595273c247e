#pragma once
// The dated-comment editor of one record: the record's comments by date, the
// text of the selected one, and "&Add", "&Change", "&Delete", "&Close".
// Every write goes through the comment store; its failures and the question
// before a delete go through the UI port.
#include <QDialog>
#include <vector>

#include "platform/Comments.h"

class QPlainTextEdit;
class QPushButton;
class QTableWidget;

namespace hvx {

class UiPort;

class CommentEditor : public QDialog {
    Q_OBJECT
public:
    CommentEditor(std::string table, std::string link, UiPort& ui, QWidget* parent = nullptr);

    // Reads the comments again; false (after showing why) when they cannot be read.
    bool Reload();

    QTableWidget* List() const { return list_; }
    QPlainTextEdit* TextEdit() const { return text_; }
    QPushButton* AddButton() const { return add_; }
    QPushButton* ChangeButton() const { return change_; }
    QPushButton* DeleteButton() const { return delete_; }
    const std::vector<Comment>& Comments() const { return comments_; }

private:
    void Add();
    void Change();
    void Delete();
    void ShowSelected();
    void SelectRecno(double recno);
    const Comment* Selected() const;

    CommentStore store_;
    UiPort& ui_;
    std::vector<Comment> comments_;
    QTableWidget* list_;
    QPlainTextEdit* text_;
    QPushButton* add_;
    QPushButton* change_;
    QPushButton* delete_;
};

}  // namespace hvx
