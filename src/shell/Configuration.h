#pragma once
// Module settings kept in the one-row configuration table HVXGR40.
//
// Every read takes the first row. A database without that row reads as
// "switched off": empty texts and false switches, so a window can still open.
#include <cstddef>
#include <string>

namespace hvx {

// Whether assembly sources are settled by scale ticket: on only when SETTBYTICK
// starts with an upper-case "T" ("True" counts, "t" does not).
bool SettByTicket();

// The charges whose deduction reference the configuration names; an empty
// reference switches the charge off.
enum class ChargeKind { Service, Storage, Interest };

// The deduction code of a charge (DSERVICE, DSTORAGE or DINTEREST), at most 40
// characters, copied into the caller's buffer up to its size; empty when the
// configuration row is missing.
void ChargeDeductionCode(ChargeKind kind, char* buffer, std::size_t size);
std::string ChargeDeductionCode(ChargeKind kind);

// The back-office setting BCKOFFCE ("TORVALE" selects the back-office
// lookups), as stored; callers trim and cut it as they need.
std::string BackOfficeSetting();

// The settings the direct shipment window reads when it opens.
struct ShipmentConfiguration {
    std::string config9;     // "T": shipment numbers are drawn automatically
    std::string config19;    // "T": G/L accounts are entered and checked
    std::string backOffice;  // BCKOFFCE
};
ShipmentConfiguration ReadShipmentConfiguration();

}  // namespace hvx
