#pragma once
// Dates as the module sees them.
//
// Windows show and the database returns dates as "MM/DD/YYYY". Literal SQL
// carries them between braces in the engine-neutral form "YYYY-MM-DD", which
// SQLFmtDate produces and the connection layer turns into a date literal of
// the engine.
#include <string>
#include <string_view>

namespace hvx {

struct CivilDate {
    int year = 0, month = 0, day = 0;
    bool operator==(const CivilDate&) const = default;
};

bool IsValidDate(const CivilDate& d);

// Reads "M/D/YYYY" or "MM/DD/YYYY" and "YYYY-MM-DD". False for anything else
// or an impossible date (02/30/2024).
bool ParseDate(std::string_view text, CivilDate& out);

std::string FormatMdy(const CivilDate& d);  // "03/07/2024"
std::string FormatIso(const CivilDate& d);  // "2024-03-07"

// Days from 1970-01-01; the difference of two is a number of days.
long DaysFromCivil(const CivilDate& d);

// Today in local time, unless a test has fixed the date.
CivilDate Today();
void SetTodayForTesting(const CivilDate& d);  // a zero date restores the clock

// The typed-date rule: trims, then removes trailing "00" pairs from a text of
// 8 or more characters whose text from the fifth character on is not "1000",
// "2000" or "3000", and from a text of 2 to 7 characters.
std::string NormaliseTypedDate(std::string_view typed);

}  // namespace hvx

// Today's date as "MM/DD/YYYY".
std::string CurrentDate();
void CurrentDate(char* buffer, std::size_t max);

// Rewrites a date text in place into the form used between braces in SQL
// ("YYYY-MM-DD"). A text that is no date is left empty.
void SQLFmtDate(std::string& date);

// The completed "MM/DD/YYYY" date for what a user typed, or an empty text when
// it names no date. Accepts "3/7", "3/7/24", "030724", "03072024", "3-7-2024".
std::string MakeDate(std::string_view typed);
