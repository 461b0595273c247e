#pragma once
// The columns an import works out from a row instead of reading them from
// the file, each as the module itself sets it, so that imported rows look to
// a settlement exactly like rows the suite entered.
#include "data/exchange/ExchangeKind.h"

namespace hvx::exchange {

// The customer's name (CUSTREF), copied as a contract or an advance keeps it.
bool CustomerName(const RowValues& row, ImportLookup& lookup, std::string& value, WorkFault& fault);
// A split is settled ("T") once its settled units reach a share that is not 0.
bool SplitSettled(const RowValues& row, ImportLookup& lookup, std::string& value, WorkFault& fault);
// A ticket is done ("D") when its settled units are its units, open ("F") otherwise.
bool TicketSettled(const RowValues& row, ImportLookup& lookup, std::string& value,
                   WorkFault& fault);
// The link of the ticket's customer split in its assembly (ASSEMLINK).
bool TicketSplitLink(const RowValues& row, ImportLookup& lookup, std::string& value,
                     WorkFault& fault);
// The assembly of the test's ticket.
bool TicketAssembly(const RowValues& row, ImportLookup& lookup, std::string& value,
                    WorkFault& fault);
// An advance is paid ("P") when its repaid amount is its amount, open ("O") otherwise.
bool AdvanceOpenPaid(const RowValues& row, ImportLookup& lookup, std::string& value,
                     WorkFault& fault);

}  // namespace hvx::exchange
