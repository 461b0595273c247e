// Cost of saving a new 20-line single-source settlement through
// SaveSettlement over the raw engine floor of the same statements, in one
// run. The statements are those of the second save on a seeded database: the
// first one also starts the record-number counters, which no later save does.
#include "SettlementBench.h"

using namespace hvxbench;

int main(int argc, char** argv) {
    const SettlementWork save{
        "save",
        "save",
        [](bool postgres, const char* who, SettlementRecordSet& set, std::string& error) {
            if (!OpenSeeded(postgres, who, error)) return false;
            NewSettlement(set);
            return true;
        },
        [](SettlementRecordSet& set, std::string&) {
            NewSettlement(set);
            return true;
        },
        Save,
    };
    return RunSettlementBenchmarks(argc, argv, save);
}
