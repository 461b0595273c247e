#pragma once
// The checks on a settlement's sources that run before the save's
// transaction, under the assemblies' record locks: no assembly split is
// settled beyond its share, and no contract number is used twice under one
// destination category.
#include <string>
#include <string_view>

namespace hvx::settlement {

class SettlementDetailList;

// False with the first failure's message: a split that cannot be read, a
// split that would be settled beyond its share, or a non-"Priced" line
// whose contract another settlement (a different SETLINK) already has
// under the same category. The sources' current values are rebuilt from
// the lines first.
bool ValidateSources(SettlementDetailList& details, std::string_view setLink, std::string& message);

}  // namespace hvx::settlement
