#include "data/exchange/ImportLookup.h"

#include "platform/Statements.h"

namespace hvx::exchange {

std::optional<std::string> ImportLookup::One(const std::string& sql,
                                             const std::vector<std::string>& values,
                                             std::string& error) {
    std::vector<std::string> key{sql};
    key.insert(key.end(), values.begin(), values.end());
    if (const auto found = known_.find(key); found != known_.end()) return found->second;
    std::vector<Param> params;
    for (const std::string& value : values) params.push_back(Param::Text(value));
    std::vector<SqlRow> rows;
    if (!RunNative(nullptr, sql, params, &rows, error, 1)) return std::nullopt;
    std::optional<std::string> value;
    if (!rows.empty()) value = rows.front().front();
    known_.emplace(std::move(key), value);
    return value;
}

}  // namespace hvx::exchange
