#pragma once
// The record locks a finish holds on the sales contracts of its batch, so two
// workstations never move the quantities of one contract at the same time.
// Each contract is locked once, however many loads it carries; everything
// taken is released when the object goes, on every way out of the finish.
#include <string>
#include <vector>

namespace hvx::shipments {

class SalesContractLocks {
public:
    SalesContractLocks() = default;
    ~SalesContractLocks();
    SalesContractLocks(const SalesContractLocks&) = delete;
    SalesContractLocks& operator=(const SalesContractLocks&) = delete;

    // Locks every contract named (empty names skipped, repeats once). When
    // one cannot be locked, those already taken are released and message says
    // which contract stopped it.
    bool Lock(const std::vector<std::string>& contracts, std::string& message);
    void Release();

private:
    std::vector<double> held_;  // RECNOs, so the release needs no lookup
};

}  // namespace hvx::shipments
