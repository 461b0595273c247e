#include "settlement/SettlementGradeList.h"

#include "platform/Format.h"
#include "platform/HVXSConnection.h"
#include "platform/UiPort.h"
#include "rules/StoredText.h"
#include "settlement/ChildListText.h"

namespace hvx::settlement {
namespace {

const ChildTable kGradeTable{
    .name = "HVXGR04A",
    .linkColumn = "SETLINK",
    .literalInsert =
        "INSERT INTO HVXGR04A (SETTLEMENT,SETLINK,DLLINK,GRADFACT,RESULT,NUMCHANGE,"
        "RECNO) VALUES ('%s','%s','%s','%s','%s','%s',%.0f)",
    .preparedInsert =
        "INSERT INTO HVXGR04A (SETTLEMENT,SETLINK,DLLINK,GRADFACT,RESULT,NUMCHANGE,"
        "RECNO) VALUES (?,?,?,?,?,?,?)",
    .saveFailure = "Unable to save grade factor list detail item.",
    .deleteFailure = "Unable to delete from grade factor list detail.",
};

// Longer than this, a value is shown before it is cut.
constexpr std::size_t kShownAbove = 15;

std::string Kept(std::string_view value, std::string_view caption, UiPort& ui) {
    if (CharacterCount(value) > kShownAbove)
        ui.MessageBox(value, caption, MsgButtons::Ok, MsgIcon::Exclamation);
    return KeepFirst(value, kGradeFieldChars);
}

}  // namespace

void SettlementGradeList::Clear() {
    nodes_.clear();
    hasData_ = false;
}

void SettlementGradeList::Add(std::string_view gradFact, std::string_view result,
                              std::string_view dlLink, UiPort& ui) {
    SettlementGradeNode node;
    node.gradFact = Kept(gradFact, "Grade Factor", ui);
    node.result = Kept(result, "Result", ui);
    node.dlLink = Kept(dlLink, "Key", ui);
    nodes_.push_back(std::move(node));
    hasData_ = true;
}

void SettlementGradeList::RemoveLink(std::string_view dlLink) {
    // Stored links are cut like every field; so is the one asked for.
    const std::string key = KeepFirst(dlLink, kGradeFieldChars);
    std::erase_if(nodes_, [&](const SettlementGradeNode& n) { return n.dlLink == key; });
}

SettlementGradeNode* SettlementGradeList::Find(std::string_view dlLink, std::string_view gradFact) {
    const std::string link = KeepFirst(dlLink, kGradeFieldChars);
    const std::string factor = KeepFirst(gradFact, kGradeFieldChars);
    for (SettlementGradeNode& n : nodes_)
        if (n.dlLink == link && n.gradFact == factor) return &n;
    return nullptr;
}

bool SettlementGradeList::Accumulate(std::string_view dlLink, std::string_view gradFact,
                                     std::string_view result, double units) {
    SettlementGradeNode* node = Find(dlLink, gradFact);
    if (!node) return false;
    if (result.empty() || units == 0) return true;
    const double total = node->units + units;
    if (total != 0) {
        const double mean =
            (TextNumber(node->result) * node->units + TextNumber(result) * units) / total;
        node->result = KeepFirst(_HVXsprintf("%.3f", mean), kGradeFieldChars);
    }
    node->units = total;
    return true;
}

void SettlementGradeList::ResetUnits(std::optional<std::string_view> dlLink) {
    const std::string link = dlLink ? KeepFirst(*dlLink, kGradeFieldChars) : std::string();
    for (SettlementGradeNode& n : nodes_)
        if (!dlLink || n.dlLink == link) n.units = 0;
}

bool SettlementGradeList::Load(HVXSConnection& connection, std::string_view setLink, UiPort& ui,
                               std::string& message) {
    Clear();
    return LoadRows(connection, "SELECT DLLINK,GRADFACT,RESULT FROM HVXGR04A WHERE SETLINK='%s'",
                    setLink, 3, message, [&](const SqlRow& r) { Add(r[1], r[2], r[0], ui); });
}

std::vector<SqlRow> SettlementGradeList::Rows(std::string_view settlement,
                                              std::string_view setLink) const {
    std::vector<SqlRow> rows;
    for (const SettlementGradeNode& n : nodes_)
        rows.push_back(
            {std::string(settlement), std::string(setLink), n.dlLink, n.gradFact, n.result, "0"});
    return rows;
}

const ChildTable& SettlementGradeList::Table() const {
    return kGradeTable;
}

bool SettlementGradeList::HasRowsToWrite() const {
    return hasData_;
}

}  // namespace hvx::settlement
