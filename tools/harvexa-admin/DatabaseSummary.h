#pragma once
// A short description of what a Harvexa database holds: the row counts of
// its tables and an outline of the business in it.
#include <ostream>
#include <string>

namespace hvx::admin {

// Writes the summary of the open database. False with a message when it
// holds no usable schema.
bool PrintSummary(std::ostream& out, std::string& error);

}  // namespace hvx::admin
