#include "settlement/SettlementDeductionList.h"

#include "platform/Format.h"
#include "platform/HVXSConnection.h"
#include "platform/Lookups.h"
#include "rules/StoredText.h"
#include "settlement/ChildListText.h"

namespace hvx::settlement {
namespace {

const ChildTable kDeductionTable{
    .name = "HVXGR04C",
    .linkColumn = "SETLINK",
    .literalInsert =
        "INSERT INTO HVXGR04C (SETTLEMENT,SETLINK,DLLINK,DEDUCT,AMOUNT,DA,ASSEMBLY,"
        "SOURCE,NUMCHANGE,RECNO) VALUES ('%s','%s','%s','%s','%s','%s','%s','%s',"
        "'%s',%.0f)",
    .preparedInsert =
        "INSERT INTO HVXGR04C (SETTLEMENT,SETLINK,DLLINK,DEDUCT,AMOUNT,DA,ASSEMBLY,"
        "SOURCE,NUMCHANGE,RECNO) VALUES (?,?,?,?,?,?,?,?,?,?)",
    .saveFailure = "Unable to save deduction list detail item.",
    .deleteFailure = "Unable to delete deduction list detail item.",
};

bool IsAdvance(const SettlementDeductionNode& n) {
    return n.advance == "T";
}

}  // namespace

void SettlementDeductionList::Clear() {
    nodes_.clear();
    hasData_ = false;
}

void SettlementDeductionList::Add(std::string_view code, std::string_view amount,
                                  std::string_view da, std::string_view advance,
                                  std::string_view dlLink, std::string_view assembly,
                                  std::string_view source) {
    nodes_.push_back({KeepFirst(code, kListFieldChars), KeepFirst(amount, kListFieldChars),
                      KeepFirst(da, kListFieldChars), KeepFirst(advance, kListFieldChars),
                      KeepFirst(dlLink, kListFieldChars), KeepFirst(assembly, kListFieldChars),
                      KeepFirst(source, kListFieldChars)});
    hasData_ = true;
}

void SettlementDeductionList::RemoveLink(std::string_view dlLink) {
    std::erase_if(nodes_, [&](const SettlementDeductionNode& n) { return n.dlLink == dlLink; });
}

double SettlementDeductionList::AssemblyTotal(std::string_view assembly) const {
    double total = 0;
    for (const SettlementDeductionNode& n : nodes_)
        if (n.assembly == assembly) total += TextNumber(n.amount);
    return total;
}

double SettlementDeductionList::AdvanceTotal(std::string_view source,
                                             std::string_view assembly) const {
    double total = 0;
    for (const SettlementDeductionNode& n : nodes_) {
        if (!IsAdvance(n) || n.source != source || n.assembly != assembly) continue;
        if (n.da == "A") total += TextNumber(n.amount);
        if (n.da == "D") total -= TextNumber(n.amount);
    }
    return total;
}

void SettlementDeductionList::HandAdvances(std::optional<std::string_view> dlLink,
                                           const AdvanceSink& sink) const {
    for (const SettlementDeductionNode& n : nodes_) {
        if (!IsAdvance(n) || (dlLink && n.dlLink != *dlLink)) continue;
        const double amount = TextNumber(n.amount);
        sink(n, n.da == "D" ? -amount : amount);
    }
}

bool SettlementDeductionList::Load(HVXSConnection& connection, std::string_view setLink,
                                   std::string& message) {
    Clear();
    return LoadRows(
        connection,
        "SELECT DLLINK,DEDUCT,AMOUNT,DA,ASSEMBLY,SOURCE FROM HVXGR04C WHERE SETLINK='%s'", setLink,
        6, message, [this](const SqlRow& r) {
            std::string advcode;
            GetField1(1, "HVXGR52", "REFERENCE", r[1], "ADVCODE", advcode);
            Add(r[1], r[2], r[3], advcode == "1" ? "T" : "F", r[0], r[4], r[5]);
        });
}

std::vector<SqlRow> SettlementDeductionList::Rows(std::string_view settlement,
                                                  std::string_view setLink) const {
    std::vector<SqlRow> rows;
    for (const SettlementDeductionNode& n : nodes_)
        rows.push_back({std::string(settlement), std::string(setLink), n.dlLink, n.deduct, n.amount,
                        n.da, n.assembly, n.source, "0"});
    return rows;
}

const ChildTable& SettlementDeductionList::Table() const {
    return kDeductionTable;
}

bool SettlementDeductionList::HasRowsToWrite() const {
    return hasData_;
}

}  // namespace hvx::settlement
