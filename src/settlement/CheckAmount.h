#pragma once
// The amount of the settlement check, stored in HVXGR04.CHECKAMT.
namespace hvx::settlement {

struct SettlementRecordSet;
struct SettlementWindowValues;

// Only grain sold outright is paid by this check: in a single-source
// settlement the net amounts of the "Priced" lines, each rounded to the cent
// before it is added (so the check equals the sum of the amounts printed on
// its lines); in a multiple-source settlement the settlement's net amount
// when its destination is "Priced". Otherwise 0.
double CheckAmount(const SettlementRecordSet& set, const SettlementWindowValues& values);

}  // namespace hvx::settlement
