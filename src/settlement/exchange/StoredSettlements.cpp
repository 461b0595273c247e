#include "settlement/exchange/StoredSettlements.h"

#include <tuple>

#include "platform/Statements.h"
#include "settlement/ReversalCopy.h"

namespace hvx::exchange {
namespace {

using PairKey = std::tuple<std::string, std::string, std::string, std::string>;

// Finds the reversing copies: a reversed header is a copy when an earlier
// reversed header of the same key, not yet paired, has the negated amount.
void PairReversals(std::vector<StoredSettlement>& all) {
    std::map<PairKey, std::vector<long>> waiting;
    for (long i = 0; i < static_cast<long>(all.size()); ++i) {
        StoredSettlement& s = all[i];
        if (s.reversed != "T") {
            s.role = s.posted == "T" ? SettlementRole::Posted : SettlementRole::Open;
            continue;
        }
        std::vector<long>& earlier = waiting[{s.custRef, s.settDate, s.stype, s.checkNum}];
        s.role = SettlementRole::Reversed;
        for (auto it = earlier.begin(); it != earlier.end() && s.posted == "T"; ++it) {
            if (settlement::NegateText(all[*it].checkAmt) != s.checkAmt) continue;
            s.role = SettlementRole::Reversal;
            s.partner = *it;
            all[*it].partner = i;
            earlier.erase(it);
            break;
        }
        if (s.role == SettlementRole::Reversed) earlier.push_back(i);
    }
}

}  // namespace

const char* RoleText(SettlementRole role) {
    switch (role) {
        case SettlementRole::Open: return "Open";
        case SettlementRole::Posted: return "Posted";
        case SettlementRole::Reversed: return "Reversed";
        case SettlementRole::Reversal: return "Reversal";
    }
    return "";
}

bool ReadStoredSettlements(std::vector<StoredSettlement>& out, std::string& error) {
    std::vector<SqlRow> rows;
    if (!RunNative(nullptr,
                   "SELECT SETTLEMENT,CUSTREF,CUSTNAME,ADTE,SETTDATE,SETLINK,POSTED,REVERSED,"
                   "CHECKNUM,CHECKAMT,STYPE FROM HVXGR04 ORDER BY RECNO",
                   {}, &rows, error))
        return false;
    out.clear();
    out.reserve(rows.size());
    for (SqlRow& r : rows)
        out.push_back({std::move(r[0]), std::move(r[1]), std::move(r[2]), std::move(r[3]),
                       std::move(r[4]), std::move(r[5]), std::move(r[6]), std::move(r[7]),
                       std::move(r[8]), std::move(r[9]), std::move(r[10])});
    PairReversals(out);
    return true;
}

bool ReadPayNames(PayNames& out, std::string& error) {
    std::vector<SqlRow> rows;
    if (!RunNative(nullptr, "SELECT SETLINK,PAYNAME,PNTYPE FROM HVXGR04E ORDER BY RECNO", {}, &rows,
                   error))
        return false;
    for (const SqlRow& r : rows) out[r[0]].Add(r[1], r[2] == "1");
    return true;
}

}  // namespace hvx::exchange
