#pragma once
// The key handed to the keyed settlement entry points decides how the
// settlement window starts:
//   ""          a new, empty settlement;
//   "#123"      a new settlement filled from source line HVXGR04D RECNO 123
//               (this is the "settle" command of the search results; it never
//               looks up a settlement numbered 123);
//   "1042"      the stored settlement numbered 1042, loaded with
//               SETTLEMENT='1042'.
// A "#" not followed by a record number is refused as invalid rather than
// taken for a settlement number or a new settlement, so a broken caller is
// seen at once instead of opening the wrong record.
#include <cstddef>
#include <string>
#include <string_view>

namespace hvx {

// The window's key field holds this many characters; a longer key is cut,
// as copying it into the field always did.
inline constexpr std::size_t kSettlementKeyLength = 40;

enum class SettlementStart { New, FromSourceLine, Load, Invalid };

struct SettlementKey {
    std::string text;                 // the key as the window keeps it (cut)
    SettlementStart start = SettlementStart::New;
    double sourceRecno = 0;           // FromSourceLine: the HVXGR04D RECNO
    std::string settlementNumber;     // Load: the settlement number
    std::string loadCondition;        // Load: "SETTLEMENT='…'", value escaped
    std::string problem;              // Invalid: why, in the user's words
};

SettlementKey ParseSettlementKey(std::string_view key);

// One line saying how the window starts, for its status line:
// "New settlement", "New settlement from source line #123",
// "Settlement 1042", or the problem of an invalid key.
std::string DescribeStart(const SettlementKey& key);

}  // namespace hvx
