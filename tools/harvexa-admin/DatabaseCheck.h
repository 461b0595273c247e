#pragma once
// The engine's own check of the open database, for `check` and, in its quick
// form, before `summary` trusts what it reads.
#include <string>
#include <vector>

namespace hvx::admin {

struct CheckResult {
    std::vector<std::string> findings;  // empty when nothing is wrong
    std::string checked;                // what was checked, for the "ok" line
};

// The full check reads and cross-checks every page; the quick one skips the
// comparison of indexes with their tables.
CheckResult CheckDatabase(bool quick);

}  // namespace hvx::admin
