#pragma once
// How the unit allocation reads and judges its statements. Its statements
// run on either connection through the platform's Statements: literal SQL on
// the simple connection (deletion and reversal), prepared statements on the
// prepared connection (the save).
#include <string>

#include "platform/Statements.h"

namespace hvx::settlement {

// How the settle routines judge their updates: a literal update fails only
// on a database error, a prepared one whenever it changed no row.
bool SettleUpdateFailed(const Statements& sql, long changed);

// Units as they are stored: rounded to 4 decimals first, so a sum that comes
// to 0.00004999… is written "0.0000", never "-0.0000".
std::string UnitsText(double units);

// Two unit quantities are compared at 5 decimals.
bool UnitsBelow(double a, double b);
bool UnitsAtMost(double a, double b);
bool UnitsEqual(double a, double b);

}  // namespace hvx::settlement
