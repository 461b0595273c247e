#pragma once
// One change dialog of a posted settlement: a column of labelled fields over
// OK and Cancel. Return in any field is OK and Escape is Cancel; Tab goes
// from field to field in order and then to the buttons. A date field's
// calendar is opened with its button, by mouse.
#include <QDialog>
#include <QString>
#include <string>
#include <vector>

class QLineEdit;
class QPushButton;

namespace hvx {

class PostedTermsDialog : public QDialog {
    Q_OBJECT
public:
    struct Field {
        QString label;  // with its mnemonic
        QString name;   // the object name of its text box
        bool date = false;
        int maxLength = 0;  // 0: no limit
    };

    PostedTermsDialog(const QString& title, const std::vector<Field>& fields,
                      QWidget* parent = nullptr);

    // The texts of the fields, in order, as typed.
    void SetTexts(const std::vector<std::string>& texts);
    std::vector<std::string> Texts() const;

    QLineEdit* Edit(std::size_t field) const { return edits_.at(field); }
    QPushButton* OkButton() const { return ok_; }

private:
    std::vector<QLineEdit*> edits_;
    QPushButton* ok_;
};

}  // namespace hvx
