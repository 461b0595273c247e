#pragma once
// How a save asks its window which advances a repayment goes to, when the
// user answers that they will choose them by hand.
#include <string>
#include <string_view>
#include <vector>

namespace hvx::settlement {

enum class AdvanceChoice {
    Chosen,    // the record numbers are filled, in the order they are repaid
    Canceled,  // the user closed the dialog without OK
    Failed,    // the open advances could not be read; the message says why
};

class AdvanceSelectionPort {
public:
    virtual ~AdvanceSelectionPort() = default;
    // The customer's open advances that repay `amount`, chosen in order.
    virtual AdvanceChoice Choose(std::string_view custRef, double amount,
                                 std::vector<double>& recnos, std::string& message) = 0;
};

}  // namespace hvx::settlement
