#pragma once
// The open contract a single-source settlement draws on, as the window holds
// it once the contract is picked: from the contract lookup of the source
// kind, or from the search's "settle" command ("#RECNO" keys), which starts
// from the line that created the contract.
#include <string>
#include <string_view>

namespace hvx::settlement {
struct SettlementRecordSet;
}

namespace hvx::entry {

struct ContractSourcePick {
    std::string sourceKind;  // the contract's category
    std::string sourceRef;   // its contract number
    std::string sourceLink;  // its DLLINK
    std::string settlement;  // the settlement that created it
    std::string commodity;
    std::string location;
    std::string openUnits;   // OUNITS: what it still has to settle
    std::string unitsSet;    // UNITSSET: what it was made with
    std::string netAmt;      // an installment sale's NETAMT and ISDOLUSED
    std::string isDolUsed;
    std::string caption;     // "Priced Later : CT-3"
};

// Reads the contract picked from the lookup (its HVXGR04F RECNO) as the
// lookup reads it back; contract is the number the lookup showed. False with
// the message when the record is gone.
bool ReadContractPick(double recno, std::string_view kind, std::string_view contract,
                      ContractSourcePick& pick, std::string& message);

// Starts a new single-source settlement whose source is the open contract
// the HVXGR04D line lineRecno created: the record set is emptied, takes the
// line's customer, and the contract as its source (source kind, reference
// and link, commodity, location). False with the message, and the record
// set untouched, when that line made no contract that is still open.
bool StartFromSourceLine(double lineRecno, settlement::SettlementRecordSet& set,
                         ContractSourcePick& pick, std::string& message);

}  // namespace hvx::entry
