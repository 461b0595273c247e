#include "settlement/SourceSql.h"

#include "platform/Rounding.h"

namespace hvx::settlement {

bool SettleUpdateFailed(const Statements& sql, long changed) {
    return sql.Prepared() ? changed < 1 : changed < 0;
}

std::string UnitsText(double units) { return _HVXsprintf("%.4f", HVXRound(units, 4)); }

bool UnitsBelow(double a, double b) { return HVXRound(a, 5) < HVXRound(b, 5); }
bool UnitsAtMost(double a, double b) { return HVXRound(a, 5) <= HVXRound(b, 5); }
bool UnitsEqual(double a, double b) { return HVXRound(a, 5) == HVXRound(b, 5); }

}  // namespace hvx::settlement
