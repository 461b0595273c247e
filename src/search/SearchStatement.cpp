#include "search/SearchStatement.h"

#include "platform/Dates.h"
#include "platform/Format.h"

namespace hvx::search {

namespace {

// The date between the braces of a date literal, as the framework formats it.
std::string SqlDate(const std::string& typed) {
    std::string date = typed;
    SQLFmtDate(date);
    return date;
}

}  // namespace

std::string SearchStatement(const SettlementSearchObject& criteria) {
    std::string sql(kSearchSelect);
    bool first = true;
    auto add = [&](const std::string& condition) {
        sql += first ? " WHERE" : " AND";
        sql += condition;
        first = false;
    };
    if (criteria.SettlementType == kBySource) add(" STYPE='0'");
    if (criteria.SettlementType == kByDestination) add(" STYPE='1'");
    if (criteria.RestrictByCustomer) add(_HVXsprintf(" CUSTREF='%s'", criteria.CustRef));
    if (criteria.RestrictByDate && criteria.UseSettlementDate) {
        if (!criteria.StartDate.empty()) add(" SETDTE>={" + SqlDate(criteria.StartDate) + "}");
        if (!criteria.EndDate.empty()) add(" SETDTE<={" + SqlDate(criteria.EndDate) + "}");
    }
    if (!criteria.SearchInPosted) add(" POSTED<>'T'");
    return sql;
}

}  // namespace hvx::search
