#include "data/exchange/WorkedValues.h"

#include <cstdlib>

#include "data/exchange/ImportLookup.h"
#include "platform/Rounding.h"

namespace hvx::exchange {
namespace {

double Number(const std::string& text) {
    return std::atof(text.c_str());
}

// A lookup that must find its row: the reference checks have made sure of it
// unless the row's combination of values is what is missing.
bool Looked(ImportLookup& lookup, const std::string& sql, const std::vector<std::string>& values,
            std::string& value, WorkFault& fault, const char* column, std::string missing) {
    std::string error;
    const std::optional<std::string> found = lookup.One(sql, values, error);
    if (found) {
        value = *found;
        return true;
    }
    fault = {column, error.empty() ? std::move(missing) : "cannot be looked up: " + error};
    return false;
}

}  // namespace

bool CustomerName(const RowValues& row, ImportLookup& lookup, std::string& value,
                  WorkFault& fault) {
    const std::string& customer = row["CUSTREF"];
    return Looked(lookup, "SELECT NAME FROM HVXAR50 WHERE REFERENCE = ?", {customer}, value, fault,
                  "CUSTREF", "\"" + customer + "\" is not among the customers");
}

bool SplitSettled(const RowValues& row, ImportLookup&, std::string& value, WorkFault&) {
    const double share = Number(row["SHAREUNITS"]), settled = Number(row["SETTUNITS"]);
    value = share != 0 && HVXRound(share, 5) <= HVXRound(settled, 5) ? "T" : "F";
    return true;
}

bool TicketSettled(const RowValues& row, ImportLookup&, std::string& value, WorkFault&) {
    const double open = HVXRound(Number(row["UNITS"]), 5) - HVXRound(Number(row["UNITSSET"]), 5);
    value = open == 0 ? "D" : "F";
    return true;
}

bool TicketSplitLink(const RowValues& row, ImportLookup& lookup, std::string& value,
                     WorkFault& fault) {
    const std::string &assembly = row["ASSEMBLY"], &customer = row["CUSTREF"];
    return Looked(lookup, "SELECT LINEID FROM HVXGR02S WHERE ASSEMBLY = ? AND CUSTREF = ?",
                  {assembly, customer}, value, fault, "ASSEMBLY",
                  "assembly \"" + assembly + "\" has no split of customer \"" + customer +
                      "\" (HVXGR02S); import the assembly-splits first");
}

bool TicketAssembly(const RowValues& row, ImportLookup& lookup, std::string& value,
                    WorkFault& fault) {
    const std::string& ticket = row["TICKETNUM"];
    return Looked(lookup, "SELECT ASSEMBLY FROM HVXGR03A WHERE SCALETICK = ?", {ticket}, value,
                  fault, "TICKETNUM", "\"" + ticket + "\" is not among the scale-tickets");
}

bool AdvanceOpenPaid(const RowValues& row, ImportLookup&, std::string& value, WorkFault&) {
    value = HVXRound(Number(row["AMOUNT"]), 2) == HVXRound(Number(row["RAMOUNT"]), 2) ? "P" : "O";
    return true;
}

}  // namespace hvx::exchange
