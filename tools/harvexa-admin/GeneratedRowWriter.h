#pragma once
// Writes generated customers, settlement headers and lines into the open
// session through statements prepared once and run for every row: a million
// lines are a million executions of one plan, never a million texts to parse.
#include <memory>
#include <string>

#include "harvexa-admin/GeneratedSettlements.h"
#include "platform/Engine.h"

namespace hvx::admin {

class GeneratedRowWriter {
public:
    // False with a message when a statement cannot be prepared.
    bool Prepare(std::string& error);

    bool WriteCustomer(const GeneratedCustomer& customer, long long recno, std::string& error);
    // The header, then every line of it.
    bool WriteSettlement(const GeneratedSettlement& settlement, std::string& error);

private:
    std::unique_ptr<Statement> customer_, header_, line_;
};

}  // namespace hvx::admin
