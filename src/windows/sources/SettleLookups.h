#pragma once
// The lookups that find what a settlement draws on: the customer's open
// contracts of one position category, and the customer's open assembly
// splits. Each shows its list, reads the picked row back and gives the text
// the window shows for it ("Priced Later : 1234", "Assembly : A100").
#include <string>
#include <string_view>

namespace hvx {

class UiPort;

inline constexpr const char* kMsgNoCustomerReference = "No customer reference has been entered.";
inline constexpr const char* kFindAssemblyTitle = "Find Assembly To Settle";

struct ContractPick {
    double recno = 0;
    std::string contract;  // the list's contract number
    std::string settlement, commodity, location, dlLink;
    std::string openUnits, settledUnits;  // with the commodity's decimals
    std::string netAmt, dollarsUsed;      // "%.2f"; installment sales only
    std::string caption;                  // "<category> : <contract>"
};

struct AssemblyPick {
    double recno = 0;
    std::string assembly;
    std::string commodity, dpr, location, lineId;
    std::string shareUnits, settledUnits;  // with the commodity's decimals
    std::string caption;                   // "Assembly : <assembly>"
};

// The title of a category's contract list; empty for a category that is
// never drawn on as a contract.
std::string_view ContractLookupTitle(std::string_view category);

// The lookup outcome: picked, cancelled (or nothing could be listed: the user
// has been told), or the picked row could not be read back (message set).
enum class LookupResult { Picked, Cancelled, Failed };

// start is the text the list starts at; on a pick it holds the picked key.
LookupResult FindContractToSettle(UiPort& ui, std::string_view category, std::string_view custRef,
                                  std::string& start, ContractPick& pick, std::string& message);

// Where the assembly list is opened from: the settlement window, or the
// assembly limiter of the source selection (a narrower commodity column).
enum class AssemblyListUse { Window, Limiter };

// commodity and location narrow the list when the settlement has them.
LookupResult FindAssemblyToSettle(UiPort& ui, AssemblyListUse use, std::string_view custRef,
                                  std::string_view commodity, std::string_view location,
                                  std::string& start, AssemblyPick& pick, std::string& message);

}  // namespace hvx
