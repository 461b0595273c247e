#pragma once
// The two settlement entry windows: by source (one source split over
// destination lines, STYPE "0") and by destination (source lines collected
// into one destination, STYPE "1"). One controller serves both; where they
// differ it asks Type().
//
// The window holds one settlement in its record set, the line being entered
// in Line(), and the price page of that line (single-source) or of the
// settlement's destination (multiple-source). Every command runs its checks
// in a fixed order: the first that fails shows its message, moves the focus
// to its field and leaves the record set as it was.
//
// The view binds its fields to Header() and Line(), calls the commands, and
// draws again from the controller after each. What only the view can show
// (the wizard, pop-up menus, the source selection dialog, the posted-change
// dialogs) it offers through EntryDialogs.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/OrderedFetch.h"
#include "rules/Categories.h"
#include "rules/InstallmentSaleUnits.h"
#include "rules/Menus.h"
#include "rules/SettlementTypes.h"
#include "settlement/SettlementRecordSet.h"
#include "settlement/SettlementSaveWindow.h"
#include "shell/RecordLockController.h"
#include "windows/SettlementKey.h"
#include "windows/entry/ContractSourcePick.h"
#include "windows/entry/EntryDialogs.h"
#include "windows/entry/EntryFields.h"
#include "windows/pricing/PricePage.h"

namespace hvx {
class UiPort;
}

namespace hvx::entry {

// The line being entered.
struct EntryLine {
    // The source: the settlement's one source (single-source window) or the
    // source of this line (multiple-source window).
    std::string sourceKind, sourceRef, sourceLink;
    double sourceOpen = 0;       // what the source had open when it was read
    InstallmentContract installment;  // an installment-sale source
    bool sourceLoaded = false;
    // The destination: this line's (single-source) or the settlement's.
    std::string destination;
    std::string contract;
    std::string quantity;  // units, or the amount of an installment-sale source
    std::string price;     // multiple-source: the unit price
    std::string date;
    bool patronage = false;
    settlement::DestinationTerms terms;  // single-source: this line's destination terms
    std::string editingLink;  // the stored line being edited; empty for a new line
};

class SettlementEntryWindow : private LockableWindow {
public:
    SettlementEntryWindow(SettlementType type, UiPort& ui, EntryDialogs& dialogs);
    ~SettlementEntryWindow() override;
    SettlementEntryWindow(const SettlementEntryWindow&) = delete;
    SettlementEntryWindow& operator=(const SettlementEntryWindow&) = delete;

    SettlementType Type() const { return type_; }
    bool SingleSource() const { return type_ == SettlementType::SingleSource; }
    const char* Caption() const;
    int HelpContext() const { return SingleSource() ? 2024 : 2025; }

    // Opens with the window's key; false when the key could not be followed
    // (the reason has been shown and the window is empty).
    bool Open(const SettlementKey& key);

    settlement::SettlementRecordSet& Set() { return set_; }
    const settlement::SettlementRecordSet& Set() const { return set_; }
    settlement::SettlementHeader& Header() { return set_.header; }
    EntryLine& Line() { return line_; }
    const EntryLine& Line() const { return line_; }
    PricePage& Prices() { return prices_; }
    const settlement::SettlementWindowValues& Values() const { return values_; }
    // The category page shown beside the line.
    DetailPage Page() const;
    // The installment terms are shown only for an installment-sale destination.
    bool InstallmentTermsShown() const;
    bool ContractEnabled() const;  // every destination but "Priced"
    bool PatronageEnabled() const;
    std::string_view QuantityTitle() const;  // "Units" or "Amount"
    std::string DestinationCaption() const;  // the destination, or "<Unavailable>"
    std::string SourceCaption() const;       // "Assembly : A100"

    // The window's state as the buttons show it.
    bool Stored() const { return set_.header.recno != 0; }
    bool Posted() const { return set_.header.posted; }
    // A stored settlement is locked while the window shows it; one that
    // another workstation holds is shown read-only, its caption marked.
    bool LockedByOther() const { return lockedByOther_; }
    std::string WindowCaption() const { return caption_; }
    // The lock button: who holds the settlement, and since when we wait.
    void ShowLockInformation() { locks_.ShowLockInformation(); }
    std::string_view DeleteCaption() const { return Posted() ? "R&everse" : "&Delete"; }
    bool AcceptEnabled() const;
    bool LineButtonsEnabled() const { return !lockedByOther_ && !Posted(); }
    bool DateProtected() const { return lockedByOther_; }
    bool CheckProtected() const { return lockedByOther_ || Posted(); }

    // The changed flags: the window (header edits, list changes) and the line.
    bool Changed() const { return changed_; }
    void MarkChanged() { changed_ = true; }
    bool LineChanged() const { return lineChanged_; }
    void MarkLineChanged() { lineChanged_ = true; }

    // The line table: the record set's lines in entry order.
    std::vector<const settlement::SettlementDetailItem*> Lines() const;
    std::optional<std::size_t> SelectedLine() const { return selected_; }
    // Selecting a row brings the line into the entry area.
    void SelectLine(std::size_t row);

    // A new settlement from the wizard's answers, as "&New" starts it once
    // the wizard has ended with Finish.
    void Start(const NewSettlementAnswers& answers);

    // Commands of the command column.
    void New();
    void Find();
    bool Accept();
    bool DeleteOrReverse();
    bool Next() { return Move(+1); }
    bool Previous() { return Move(-1); }
    // Close: true when the window may close (the changes question answered).
    bool MayClose();
    void Comments();
    void Help();
    void Print();

    // Line buttons.
    void NewLine();
    bool AcceptLine();
    bool DeleteLine();

    // The destination menu (single-source) or source menu (multiple-source):
    // a category or source kind chosen, or "<&Finish Settlement>".
    std::vector<MenuEntry> Menu() const;
    void ChooseFromMenu(const MenuEntry& choice);
    // The menu button: the menu opened through the dialogs port.
    void OpenMenu();
    void Finish();

    // The source reference of the multiple-source window left or searched:
    // the customer's open sources of the chosen kind.
    void PickSource();
    // The quantity entered or changed: the charge of the source's family.
    void QuantityChanged();

    // Small buttons.
    void ViewSource();
    void ViewCommodity();
    void SearchCommodity() { SearchReference(true); }
    void SearchLocation() { SearchReference(false); }
    void ShowAdvances();
    void ChangePosted();
    // The pay names the check is made out to; the defaults first when none.
    void EditPayNames();

    // The last message the save, deletion or reversal left (tests read it).
    const std::string& LastMessage() const { return message_; }

private:
    // The settlement shown again from the database (after a save, on a move).
    bool Show(std::string_view setLink);
    void ClearWindow();
    void StartNew();
    bool AskChanges();
    bool Move(int step);
    void TakeAnswers(const NewSettlementAnswers& answers);
    void LoadLine(const settlement::SettlementDetailItem& item);
    void FillPrices(const settlement::SettlementDetailItem* item);
    void SearchReference(bool commodity);
    void ShowRecord(const char* title, const char* select, const std::vector<const char*>& labels,
                    const std::string& key);
    bool AcceptDestination();
    bool AcceptSource();
    bool TypedValuesRead();
    // The line of the entry's values: the stored line being edited, or a new
    // line with a link of its own (false after the message when none).
    bool BuildLine(std::string_view destination, double units, double price,
                   settlement::SettlementDetailItem& item);
    void AddBuiltLine(settlement::SettlementDetailItem item);
    void RecomputeDestination();
    void DefaultPayNamesIfEmpty();
    void PreparePrices();
    bool Refuse(std::string_view message, std::string_view field);

    // LockableWindow
    std::string FrameCaption() const override { return caption_; }
    void SetFrameCaption(std::string_view caption) override { caption_ = caption; }
    void LockHeld() override { lockedByOther_ = false; }
    void LockedByOtherUser() override { lockedByOther_ = true; }

    SettlementType type_;
    UiPort& ui_;
    EntryDialogs& dialogs_;
    settlement::SettlementRecordSet set_;
    settlement::SettlementWindowValues values_;
    PricePage prices_;
    EntryLine line_;
    OrderedFetch browse_;
    std::string backOffice_;
    std::optional<std::size_t> selected_;
    bool changed_ = false;
    bool lineChanged_ = false;
    bool lockedByOther_ = false;
    std::string message_;
    std::string caption_;
    RecordLockController locks_;
};

}  // namespace hvx::entry
