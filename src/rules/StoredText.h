#pragma once
// Numbers and dates as the grain tables and the settlement window hold them.
//
// Quantities, money, rates and grade results are stored as text; dates come
// back from the database as "MM/DD/YYYY" and the settlement window writes its
// own as eight digits, month, day, year. The charge and pricing rules read
// both through these helpers so that an empty or damaged text has one defined
// meaning everywhere.
#include <string>
#include <string_view>

#include "platform/Dates.h"
#include "platform/Text.h"

namespace hvx {

// Reads "MM/DD/YYYY" (also "M/D/YYYY" and "YYYY-MM-DD") or the window's
// eight digits "MMDDYYYY". False for an empty text or one naming no real
// date; callers then treat the date as unknown.
bool ReadDate(std::string_view text, CivilDate& out);

// "%02d%02d%04d" of month, day and year: the window's form of a date.
std::string WindowDate(const CivilDate& d);

}  // namespace hvx
