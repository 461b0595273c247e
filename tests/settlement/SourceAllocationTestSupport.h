#pragma once
// Source records as the tables hold them (assembly splits, scale tickets,
// open contracts) and both connection forms of the allocation's operations.
#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "platform/HVXConnection.h"
#include "platform/HVXSConnection.h"
#include "support/TestDatabase.h"

namespace hvxtest {

using Texts = std::vector<std::string>;

// One row; the values are quoted, RECNO is the next number.
inline void Insert(const std::string& table, const std::string& columns, const Texts& values) {
    static int recno = 0;
    std::string sql = "INSERT INTO " + table + " (" + columns + ",RECNO) VALUES (";
    for (const std::string& v : values) sql += "'" + v + "',";
    Exec(sql + std::to_string(++recno) + ")");
}
inline void SeedSplit(const std::string& assembly, const std::string& lineId,
                      const std::string& share, const std::string& settled = "0.0000") {
    Insert("HVXGR02S", "ASSEMBLY,LINEID,SHAREUNITS,SETTUNITS,SETTLED,PSETUNITS",
           {assembly, lineId, share, settled, "F", "0.0000"});
}
inline void SeedTicket(const std::string& scaleTick, const std::string& splitLink,
                       const std::string& stdLineId, const std::string& units,
                       const std::string& unitsSet = "0.0000", const std::string& flag = "F") {
    Insert("HVXGR03A", "SCALETICK,ASSEMBLY,ASSEMLINK,STDLINEID,UNITS,UNITSSET,SETTLED",
           {scaleTick, "A-1", splitLink, stdLineId, units, unitsSet, flag});
}
inline void SeedContract(const std::string& dlLink, const std::string& category,
                         const std::string& open, const std::string& dollarsUsed = "0.00") {
    Insert("HVXGR04F", "DLLINK,TODPR,UNITSSET,OUNITS,STATUS,ISDOLUSED",
           {dlLink, category, open, open, "O", dollarsUsed});
}

// The fields of a row as Rows gives it, or of a text split at `by`.
inline Texts Fields(const std::string& row, char by = '\t') {
    Texts fields;
    std::stringstream in(row);
    for (std::string f; std::getline(in, f, by);) fields.push_back(f);
    return fields;
}
// Rows as one text: "|" between rows, " " between fields.
inline std::string Joined(const Texts& rows) {
    std::string all;
    for (const std::string& row : rows) all += (all.empty() ? "" : "|") + row;
    std::ranges::replace(all, '\t', ' ');
    return all;
}

// The splits, then the tickets, as one text.
inline std::string SplitsAndTickets() {
    return Joined(Rows("SELECT LINEID,SETTUNITS,SETTLED FROM HVXGR02S ORDER BY LINEID")) + "|" +
           Joined(Rows("SELECT SCALETICK,UNITSSET,SETTLED FROM HVXGR03A ORDER BY SCALETICK"));
}

// Literal SQL on the simple connection, or prepared statements.
enum class Form { Literal, Prepared };
inline constexpr Form kForms[] = {Form::Literal, Form::Prepared};
inline const char* FormName(Form form) {
    return form == Form::Literal ? "literal" : "prepared";
}

template <class Operation>
bool InForm(Form form, Operation operation) {
    if (form == Form::Literal) {
        HVXSConnection connection(1, nullptr, 0);
        return operation(connection);
    }
    HVXConnection connection(1);
    return operation(connection);
}

}  // namespace hvxtest
