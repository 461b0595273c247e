#pragma once
// The statements of the settlement search: the select over the settlement
// lines, narrowed by the database only where the criteria allow it (type,
// customer, settlement dates, posted), and the header read that finds a
// line's check.
#include <string>
#include <string_view>

#include "search/SettlementSearchObject.h"

namespace hvx::search {

inline constexpr std::string_view kSearchSelect =
    "SELECT SETTLEMENT,CUSTREF,CUSTNAME,SETDTE,STYPE,SOURCE,SOURCEREF,TODPR,CONTRACT,COMMODITY,"
    "POSTED,UNITSSET,RECNO,STATUS,REVERSED FROM HVXGR04D";
inline constexpr std::string_view kHeaderSelect =
    "SELECT CUSTREF,CUSTNAME,ADTE,SETTDATE,POSTED,CHECKNUM,CHECKAMT,STYPE FROM HVXGR04 "
    "WHERE SETTLEMENT=?";

// The columns of kSearchSelect, in order.
enum SearchColumn {
    kColSettlement, kColCustRef, kColCustName, kColSetDate, kColSType, kColSource,
    kColSourceRef, kColToDpr, kColContract, kColCommodity, kColPosted, kColUnits,
    kColRecno, kColStatus, kColReversed, kSearchColumnCount
};
// The columns of kHeaderSelect used here.
enum HeaderColumn { kHeadEntryDate = 2, kHeadCheckNum = 5, kHeadCheckAmt = 6 };

// The literal statement in the framework's dialect: the base select, then
// " WHERE" before the first condition that applies and " AND" before every
// later one, in this order: type, customer, first date, last date, posted.
// The customer reference is a quoted value with its quotes doubled, so a
// reference such as 1000' OR '1'='1 looks for that reference and nothing
// else. The settlement-date range is a database condition; a range over
// the entry date is not (HVXGR04D has no entry date) and is applied to
// each line after the fetch.
std::string SearchStatement(const SettlementSearchObject& criteria);

}  // namespace hvx::search
