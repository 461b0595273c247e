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

namespace hvx {

// The number at the start of a text, as the framework reads stored amounts:
// leading blanks are skipped, reading stops at the first character that is
// not part of the number ("12.50*" is 12.5), and a text without a number
// (empty, blank, "abc") is 0. Independent of the process locale, so a host
// that switched LC_NUMERIC still reads "0.0025" as a quarter of a cent.
double TextNumber(std::string_view text);

// Reads "MM/DD/YYYY" (also "M/D/YYYY" and "YYYY-MM-DD") or the window's
// eight digits "MMDDYYYY". False for an empty text or one naming no real
// date; callers then treat the date as unknown.
bool ReadDate(std::string_view text, CivilDate& out);

// "%02d%02d%04d" of month, day and year: the window's form of a date.
std::string WindowDate(const CivilDate& d);

}  // namespace hvx
