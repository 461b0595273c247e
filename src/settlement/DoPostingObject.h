#pragma once
// The receivables transfer: entries this module makes for the receivables
// side, kept in HVXGRAR until a receivables module takes them up. Each entry
// carries its source code, the three A/R accounts and description of the
// charge, the customer and a signed amount.
#include <string>

class HVXSConnection;

namespace hvx::settlement {

// Entries made by grain settlements.
inline constexpr const char* kGrainReceivableSource = "GR";

struct ReceivableEntry {
    std::string source = kGrainReceivableSource;
    std::string account1;
    std::string account2;
    std::string account3;
    std::string description;
    std::string custRef;
    std::string reference;  // the document that made the entry (settlement number)
    double amount = 0;      // written "%.2f"
    std::string status;
};

class DoPostingObject {
public:
    explicit DoPostingObject(HVXSConnection& connection) : connection_(connection) {}

    // Records one entry in the caller's transaction. False with the message
    // when no record number could be had or the row was not written.
    bool Post(const ReceivableEntry& entry, std::string& message);

private:
    HVXSConnection& connection_;
};

}  // namespace hvx::settlement
