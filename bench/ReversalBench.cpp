// Cost of reversing a posted 20-line single-source settlement through
// ReverseSettlement over the raw engine floor of the same statements, in one
// run: the reversing copy of every row, the units given back to the split,
// and the posting of the copy with its ledger and journal rows. The
// statements are those of the second reversal on a seeded database: the
// first one also starts the counters of the copies and the journal.
#include "SettlementBench.h"
#include "platform/UiPort.h"
#include "settlement/SettlementReversal.h"
#include "settlement/SettlementSaveWindow.h"

using namespace hvxbench;

namespace {

// A new settlement saved and posted, as posting would leave it: every
// destination still wholly open, the lines and the header posted.
bool SavePosted(SettlementRecordSet& set, std::string& error) {
    NewSettlement(set);
    if (!Save(set, error)) return false;
    const std::string link = "'" + set.header.setLink + "'";
    set.header.posted = true;
    return RunAll({"UPDATE HVXGR04F SET OUNITS=UNITSSET WHERE SETLINK=" + link,
                   "UPDATE HVXGR04D SET POSTED='T' WHERE SETLINK=" + link,
                   "UPDATE HVXGR04 SET POSTED='T' WHERE SETLINK=" + link},
                  error);
}

bool Reverse(SettlementRecordSet& set, std::string& message) {
    const hvx::settlement::SettlementWindowValues values;
    hvx::settlement::SettlementSaveWindow window{set, values, hvx::Ui(), nullptr, message};
    return hvx::settlement::ReverseSettlement(window);
}

}  // namespace

int main(int argc, char** argv) {
    const SettlementWork reversal{
        "reverse",
        "reversal",
        [](bool postgres, const char* who, SettlementRecordSet& set, std::string& error) {
            SettlementRecordSet first;
            return OpenSeeded(postgres, who, error) && SavePosted(first, error) &&
                   Reverse(first, error) && SavePosted(set, error);
        },
        SavePosted,
        Reverse,
    };
    return RunSettlementBenchmarks(argc, argv, reversal);
}
