#include "windows/paynames/PayNameEditor.h"

#include "platform/Text.h"
#include "platform/UiPort.h"

namespace hvx {

PayNameEditor::PayNameEditor(UiPort& ui, settlement::SettlementPayNameList& payNames)
    : ui_(ui), payNames_(payNames), working_(payNames) {}

void PayNameEditor::Select(std::size_t row) {
    if (row >= working_.Count()) return;
    const settlement::SettlementPayNameNode& node = working_.Nodes()[row];
    data_ = {node.payName, node.mortgagee, row};
}

void PayNameEditor::New() {
    data_ = {};
    ui_.SetFocus(kFieldPayName);
}

bool PayNameEditor::Accept() {
    std::string name = data_.name;
    TRIM(name);
    if (name.empty()) return Refuse(kMsgPayNameRequired, kFieldPayName);
    if (data_.row)
        working_.Replace(*data_.row, name, data_.mortgagee);
    else
        working_.Add(name, data_.mortgagee);
    changed_ = true;
    New();
    return true;
}

bool PayNameEditor::Delete() {
    if (!data_.row || !working_.Remove(*data_.row))
        return Refuse(kMsgNoItemSelected, kFieldPayNameList);
    changed_ = true;
    New();
    return true;
}

bool PayNameEditor::Move(int step) {
    if (!data_.row) return Refuse(kMsgNoItemSelected, kFieldPayNameList);
    const std::size_t from = *data_.row, to = from + static_cast<std::size_t>(step);
    if (to >= working_.Count()) {
        ui_.Beep();
        return false;
    }
    const settlement::SettlementPayNameNode moved = working_.Nodes()[from];
    const settlement::SettlementPayNameNode other = working_.Nodes()[to];
    working_.Replace(to, moved.payName, moved.mortgagee);
    working_.Replace(from, other.payName, other.mortgagee);
    changed_ = true;
    Select(to);
    return true;
}

void PayNameEditor::Ok() {
    if (changed_) payNames_ = working_;
}

bool PayNameEditor::Refuse(std::string_view message, std::string_view field) {
    ShowMessage(ui_, message);
    ui_.SetFocus(field);
    return false;
}

}  // namespace hvx
