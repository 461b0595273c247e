#pragma once
// The pay-name editor: the names a settlement check is made out to, each a
// payee or a mortgagee, added, changed and deleted by the clerk.
//
// The editor works on a copy of the settlement's pay-name list; OK puts the
// copy back into the record set (the window then has unsaved changes),
// Cancel leaves the record set as it was. The view binds its fields to Data()
// and shows Rows() again after every command.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "windows/WindowMessages.h"
#include "settlement/SettlementPayNameList.h"

namespace hvx {

class UiPort;

inline constexpr std::string_view kFieldPayName = "PayName";
inline constexpr std::string_view kFieldPayNameList = "PayNameList";
inline constexpr std::string_view kMsgPayNameRequired = "A pay name is required.";

struct PayNameEditorData {
    std::string name;
    bool mortgagee = false;
    std::optional<std::size_t> row;  // the name being changed; none: a new name
};

class PayNameEditor {
public:
    PayNameEditor(UiPort& ui, settlement::SettlementPayNameList& payNames);

    PayNameEditorData& Data() { return data_; }
    const PayNameEditorData& Data() const { return data_; }
    // One row a name: the name, a tab, "Payee" or "Mortgagee".
    std::vector<std::string> Rows() const { return working_.ListRows(); }

    // Puts a listed name into the entry fields to be changed.
    void Select(std::size_t row);
    // Empties the entry fields for a new name.
    void New();
    // Adds the entry as a new name, or changes the selected one. A name
    // without characters other than blanks is refused.
    bool Accept();
    // Deletes the selected name.
    bool Delete();
    // Moves the selected name one place up or down, so that the names stand
    // on the check in the order the clerk wants; it stays selected. A name
    // that cannot move further only beeps.
    bool MoveUp() { return Move(-1); }
    bool MoveDown() { return Move(1); }

    // Whether the copy differs from what the record set held.
    bool Changed() const { return changed_; }
    // Puts the copy back into the record set.
    void Ok();

private:
    bool Refuse(std::string_view message, std::string_view field);
    bool Move(int step);

    UiPort& ui_;
    settlement::SettlementPayNameList& payNames_;
    settlement::SettlementPayNameList working_;
    PayNameEditorData data_;
    bool changed_ = false;
};

}  // namespace hvx
