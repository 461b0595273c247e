#include "settlement/exchange/PositivePay.h"

#include <algorithm>
#include <map>

#include "data/csv/CsvWriter.h"
#include "settlement/exchange/IssuedChecks.h"

namespace hvx::exchange {
namespace {

bool AllDigits(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Check numbers in numeric order (999 before 1000); a number with other
// characters in it goes by its text.
bool NumberBefore(const IssuedCheck* a, const IssuedCheck* b) {
    if (AllDigits(a->number) && AllDigits(b->number) && a->number.size() != b->number.size())
        return a->number.size() < b->number.size();
    return a->number < b->number;
}

}  // namespace

bool WritePositivePay(const DateRange& range, std::ostream& out, std::vector<std::string>& warnings,
                      std::string& error) {
    std::vector<IssuedCheck> checks;
    if (!ReadIssuedChecks(checks, error)) return false;
    std::map<std::string, std::vector<const IssuedCheck*>> byNumber;
    std::vector<const IssuedCheck*> written;
    for (const IssuedCheck& c : checks) {
        byNumber[c.number].push_back(&c);
        // A void the bank has not heard of yet is as much its business as a
        // new check: a check is in the file for its issue or its void day.
        if (range.Contains(c.date) || (c.voided && range.Contains(c.voidDate)))
            written.push_back(&c);
    }
    std::stable_sort(written.begin(), written.end(), NumberBefore);

    csv::WriteRecord(out, {"CHECKNUM", "ISSUEDATE", "AMOUNT", "PAYEE", "STATUS"});
    for (std::size_t i = 0; i < written.size(); ++i) {
        const IssuedCheck& c = *written[i];
        csv::WriteRecord(out, {c.number, c.date, c.amount, c.payee, c.voided ? "V" : "I"});
        const std::vector<const IssuedCheck*>& same = byNumber[c.number];
        if (same.size() < 2 || (i > 0 && written[i - 1]->number == c.number)) continue;
        std::string settlements;
        for (const IssuedCheck* s : same)
            settlements += (settlements.empty() ? "" : ", ") + s->settlement;
        warnings.push_back("check number " + c.number +
                           " was given to more than one settlement: " + settlements + ".");
    }
    return true;
}

}  // namespace hvx::exchange
