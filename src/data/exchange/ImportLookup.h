#pragma once
// One-value lookups of an import's check, each asked of the database once:
// a file of a hundred thousand tickets names the same few customers,
// contracts and assembly splits over and over.
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace hvx::exchange {

class ImportLookup {
public:
    // The first column of the first row the query finds for the values;
    // nothing when there is no row, or when the query failed (`error` says why).
    std::optional<std::string> One(const std::string& sql, const std::vector<std::string>& values,
                                   std::string& error);

private:
    std::map<std::vector<std::string>, std::optional<std::string>> known_;
};

}  // namespace hvx::exchange
