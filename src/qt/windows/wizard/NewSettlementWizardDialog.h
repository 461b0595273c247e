#pragma once
// The "Create New Settlement" wizard on screen: a stack of its three pages
// under the note and the page's heading, and the buttons "< Back", "Next >"
// (or "Finish"), "&Cancel" and "&Help". The controller decides every page,
// lookup, message and focus move; this view copies the fields into its
// record before each command and shows its state again after it.
//
// Tab or Enter in a field (without Shift) is the field's forward exit and goes
// to the controller, which moves the focus on or opens a list; Shift+Tab moves
// back as usual without looking anything up.
#include <QDialog>
#include <string>

#include "qt/ui/QtUiPort.h"
#include "windows/wizard/NewSettlementWizard.h"

class QLabel;
class QListWidget;
class QPushButton;
class QStackedWidget;

namespace hvx {

class LookupField;

class NewSettlementWizardDialog : public QDialog {
    Q_OBJECT
public:
    explicit NewSettlementWizardDialog(WizardMode mode, QWidget* parent = nullptr);

    // Opens the wizard modally: 1 after Finish with a valid customer, 0 when
    // it was cancelled. The answers are the controller's.
    int Run();
    const NewSettlementAnswers& Answers() const { return wizard_.Answers(); }

    QListWidget* List() const { return list_; }
    LookupField* Field(NewSettlementWizard::Field field) const;
    QLabel* Heading() const { return heading_; }
    QPushButton* BackButton() const { return back_; }
    QPushButton* NextButton() const { return next_; }
    QPushButton* CancelButton() const { return cancel_; }
    QPushButton* HelpButton() const { return help_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The controller moves the focus while it changes pages, before the
    // page it names is shown: the move waits until the view has caught up.
    class Port : public QtUiPort {
    public:
        using QtUiPort::QtUiPort;
        void SetFocus(std::string_view field) override { pending_ = field; }
        void ApplyFocus();

    private:
        std::string pending_;
    };

    QWidget* NewPage(const char* first, NewSettlementWizard::Field f1, const char* second,
                     NewSettlementWizard::Field f2);
    template <class Command>
    void Apply(Command command);
    void Next();
    void Refresh();

    Port ui_;
    NewSettlementWizard wizard_;
    QLabel* heading_;
    QLabel* listLabel_;
    QListWidget* list_;
    QStackedWidget* pages_;
    LookupField* fields_[4] = {};
    QPushButton* back_;
    QPushButton* next_;
    QPushButton* cancel_;
    QPushButton* help_;
};

// Runs the wizard in the mode over the parent and returns its modal result;
// after 1 the answers are copied to answers when given.
int RunNewSettlementWizard(QWidget* parent, WizardMode mode,
                           NewSettlementAnswers* answers = nullptr);

}  // namespace hvx
