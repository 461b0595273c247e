#pragma once
// Who besides the customer a settlement check is made out to: the holders of
// liens on the customer's grain and the customer's secured parties.
#include <string>
#include <string_view>
#include <vector>

namespace hvx {

// A "MM/DD/YYYY" date as the whole number YYYYMMDD, so that dates of
// different years compare in calendar order (as "MMDDYYYY" text, December of
// one year would sort after January of the next). The slashes are removed and
// the last four characters of what is left, followed by its first four, are
// read as the number; a text that gives no number is 0.
long DateNumber(std::string_view mdy);

// A lien (its COMMODITY and EXPDATE as stored, blanks around them ignored)
// pledges the settlement's grain when it names no commodity or the
// settlement's very commodity, and has not expired: no expiration date, or a
// settlement date on or before it.
bool LienPledges(std::string_view lienCommodity, std::string_view lienExpires,
                 std::string_view settlementCommodity, std::string_view settlementDate);

// The secured parties in a receiver's answer: the tab-delimited fields that
// begin with "01=", without those three characters, in order.
std::vector<std::string> SecuredParties(std::string_view answer);

}  // namespace hvx
