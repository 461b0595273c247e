#include "windows/SettlementKey.h"

#include "platform/Format.h"

namespace hvx {
namespace {

// A record number after the "#": digits only (blanks around them allowed, as
// a number fetched with STR(RECNO) may carry them), and not zero, since no
// record has number 0.
bool ParseRecno(std::string_view text, double& recno) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return false;
    const auto last = text.find_last_not_of(' ');
    const std::string_view digits = text.substr(first, last - first + 1);
    if (digits.size() > 15) return false;  // beyond what a double holds exactly
    double value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    if (value == 0) return false;
    recno = value;
    return true;
}

}  // namespace

SettlementKey ParseSettlementKey(std::string_view key) {
    SettlementKey result;
    result.text = std::string(key.substr(0, kSettlementKeyLength));
    const std::string_view text = result.text;
    if (text.empty()) {
        result.start = SettlementStart::New;
    } else if (text.front() == '#') {
        if (ParseRecno(text.substr(1), result.sourceRecno)) {
            result.start = SettlementStart::FromSourceLine;
        } else {
            result.start = SettlementStart::Invalid;
            result.problem = _HVXsprintf(
                "The key \"%s\" names no source line: a record number must follow the \"#\".",
                result.text);
        }
    } else {
        result.start = SettlementStart::Load;
        result.settlementNumber = result.text;
        result.loadCondition = _HVXsprintf("SETTLEMENT='%s'", result.settlementNumber);
    }
    return result;
}

std::string DescribeStart(const SettlementKey& key) {
    switch (key.start) {
        case SettlementStart::New:
            return "New settlement";
        case SettlementStart::FromSourceLine:
            return _HVXsprintf("New settlement from source line #%.0f", key.sourceRecno);
        case SettlementStart::Load:
            return "Settlement " + key.settlementNumber;
        case SettlementStart::Invalid:
            break;
    }
    return key.problem;
}

}  // namespace hvx
