#include "windows/entry/ContractSourcePick.h"

#include "platform/EngineReason.h"
#include "platform/Fail.h"
#include "platform/Format.h"
#include "platform/HVXSConnection.h"
#include "platform/Rounding.h"
#include "platform/Statements.h"
#include "rules/Categories.h"
#include "rules/StoredText.h"
#include "settlement/SettlementRecordSet.h"

namespace hvx::entry {
namespace {

const char* const kContract =
    "SELECT SETTLEMENT,COMMODITY,LOCATION,DLLINK,OUNITS,UNITSSET FROM HVXGR04F WHERE RECNO=%.0f";
const char* const kInstallmentContract =
    "SELECT SETTLEMENT,COMMODITY,LOCATION,DLLINK,OUNITS,UNITSSET,NETAMT,ISDOLUSED FROM HVXGR04F "
    "WHERE RECNO=%.0f";
const char* const kSourceLine =
    "SELECT TODPR,CONTRACT,DLLINK,SETLINK,STYPE,CUSTREF,CUSTNAME FROM HVXGR04D WHERE RECNO=%.0f";
const char* const kDestinationRecno = "SELECT RECNO FROM HVXGR04F WHERE DLLINK='%s'";

const char* const kContractGone = "Unable to read contract %s from HVXGR04F.";
const char* const kNoSourceLine = "Unable to find source line #%.0f.";
const char* const kNoContract = "Source line #%.0f did not create an open contract.";
const char* const kClosed = "Contract %s of source line #%.0f has no units left to settle.";

}  // namespace

bool ReadContractPick(double recno, std::string_view kind, std::string_view contract,
                      ContractSourcePick& pick, std::string& message) {
    const bool installment = kind == kInstallmentSale;
    HVXSConnection connection(1, nullptr, 0);
    std::vector<SqlRow> rows;
    if (!LiteralStatements(connection)
             .Query({installment ? kInstallmentContract : kContract}, {recno},
                    installment ? 8 : 6, rows) ||
        rows.empty())
        return Fail(message, _HVXsprintf(kContractGone, contract));
    const SqlRow& row = rows.front();
    pick = ContractSourcePick{};
    pick.sourceKind = std::string(kind);
    pick.sourceRef = std::string(contract);
    pick.settlement = row[0], pick.commodity = row[1], pick.location = row[2];
    pick.sourceLink = row[3], pick.openUnits = row[4], pick.unitsSet = row[5];
    if (installment) pick.netAmt = row[6], pick.isDolUsed = row[7];
    pick.caption = pick.sourceKind + " : " + pick.sourceRef;
    return true;
}

bool StartFromSourceLine(double lineRecno, settlement::SettlementRecordSet& set,
                         ContractSourcePick& pick, std::string& message) {
    return RunExplained(message, [&] {
        HVXSConnection connection(1, nullptr, 0);
        LiteralStatements sql(connection);
        std::vector<SqlRow> lines;
        if (!sql.Query({kSourceLine}, {lineRecno}, 7, lines) || lines.empty())
            return Fail(message, _HVXsprintf(kNoSourceLine, lineRecno));
        const SqlRow& line = lines.front();
        const std::string& category = line[0];
        if (!IsOpenContractCategory(category))
            return Fail(message, _HVXsprintf(kNoContract, lineRecno));
        // A multiple-source settlement's lines share its one destination,
        // which carries the settlement link.
        const std::string& contractLink = line[4] == "1" ? line[3] : line[2];
        std::string recno;
        if (!sql.Value({kDestinationRecno}, {contractLink}, recno))
            return Fail(message, _HVXsprintf(kNoContract, lineRecno));
        ContractSourcePick read;
        if (!ReadContractPick(TextNumber(recno), category, line[1], read, message)) return false;
        // The contract lookup offers open contracts only.
        if (HVXRound(TextNumber(read.openUnits), 5) == 0)
            return Fail(message, _HVXsprintf(kClosed, read.sourceRef, lineRecno));

        set = settlement::SettlementRecordSet{};
        set.header.type = SettlementType::SingleSource;
        set.header.custRef = line[5];
        set.header.custName = line[6];
        settlement::SettlementDefaults& source = set.defaults;
        source.sourceKind = read.sourceKind, source.fromCategory = read.sourceKind;
        source.sourceRef = read.sourceRef, source.sourceLink = read.sourceLink;
        source.commodity = read.commodity, source.location = read.location;
        pick = std::move(read);
        return true;
    });
}

}  // namespace hvx::entry
