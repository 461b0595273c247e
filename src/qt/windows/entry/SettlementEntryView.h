#pragma once
// The view of a settlement entry window (by source or by destination): the
// header fields, the line table, the line being entered with its category
// page, and the command column. It draws everything from its controller
// after each command and writes what the clerk types straight back into it.
#include <QPointer>
#include <QWidget>
#include <map>
#include <memory>

#include "qt/ui/QtUiPort.h"
#include "qt/windows/posted/PostedChangeDialogsQt.h"
#include "windows/SettlementKey.h"
#include "windows/advances/AdvanceSelectionController.h"
#include "windows/entry/EntryDialogs.h"
#include "windows/entry/SettlementEntryWindow.h"

class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QTableWidget;

namespace hvx {

class EntryPages;

class SettlementEntryView : public QWidget, public entry::EntryDialogs {
    Q_OBJECT
public:
    SettlementEntryView(SettlementType type, QWidget* parent = nullptr);
    ~SettlementEntryView() override;

    // Opens with the window's key; false when it could not be followed.
    bool Open(const SettlementKey& key);

    entry::SettlementEntryWindow& Controller() { return window_; }
    QtUiPort& Ui() { return ui_; }
    // Widgets by object name, for tests and the screenshot tour.
    QPushButton* Button(const char* name) const;
    QLineEdit* Field(const char* name) const;
    QTableWidget* LineTable() const { return lines_; }
    EntryPages* Pages() const { return pages_; }

    // Draws the whole window again from the controller.
    void Refresh();

    // EntryDialogs
    HostWindow Window() override;
    std::optional<NewSettlementAnswers> RunWizard(WizardMode mode) override;
    int PopUp(std::string_view button, const std::vector<entry::PopUpEntry>& entries) override;
    bool SelectSources(const SourceSelectionRequest& request, settlement::SettlementRecordSet& set,
                       SourceSelectionResult& result) override;
    settlement::AdvanceSelectionPort* AdvanceSelection() override;
    bool EditPayNames(settlement::SettlementPayNameList& payNames) override;
    posted::PostedChangeDialogs& PostedChanges() override { return postedDialogs_; }
    void ViewRecord(std::string_view title, const RecordFields& fields) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QPushButton* AddButton(const char* text, const char* name, std::string_view hint = {});
    QLineEdit* AddField(const char* name, bool readOnly);
    void BuildHeader(QGridLayout* grid);
    void BuildLine(QGridLayout* grid);
    void Connect();
    void ClearClashingMnemonics();
    // Runs a command after the typed values have reached the controller,
    // then draws the window again.
    template <class Command>
    void Run(Command command);
    void Collect();
    void FillLines();

    QtUiPort ui_;
    entry::SettlementEntryWindow window_;
    std::unique_ptr<AdvanceSelectionDialogPort> advances_;
    PostedChangeDialogsQt postedDialogs_{this};
    std::map<std::string, QPointer<QPushButton>> buttons_;
    std::map<std::string, QPointer<QLineEdit>> fields_;
    QTableWidget* lines_ = nullptr;
    QLabel* sourceCaption_ = nullptr;
    QLabel* destinationCaption_ = nullptr;
    QLabel* quantityLabel_ = nullptr;
    QLabel* status_ = nullptr;
    QCheckBox* patronage_ = nullptr;
    EntryPages* pages_ = nullptr;
    bool quantityTyped_ = false;
    bool refreshing_ = false;
};

}  // namespace hvx
