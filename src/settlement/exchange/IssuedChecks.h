#pragma once
// The checks settlements were paid with. A check is stored once, on the
// settlement it paid: printing it again uses the same number, and the
// reversing copy of a settlement repeats the number of the check it voids.
// The day a check was printed is not kept; it is dated with its
// settlement's date.
#include <string>
#include <vector>

namespace hvx::exchange {

struct IssuedCheck {
    std::string number;
    std::string date;    // "MM/DD/YYYY"
    std::string payee;   // the pay-to line as printed: payees, then mortgagees
    std::string amount;  // two decimals, as stored
    std::string settlement;
    std::string custRef;
    bool voided = false;         // its settlement was reversed
    std::string voidDate;        // the day of the reversal: the copy's entry date
    std::string voidSettlement;  // the reversing copy's number
};

// Every check, in the order the settlements were written. False with the
// engine's reason.
bool ReadIssuedChecks(std::vector<IssuedCheck>& out, std::string& error);

}  // namespace hvx::exchange
