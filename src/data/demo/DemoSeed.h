#pragma once
// The demo cooperative: a small grain elevator business with its customers,
// deliveries, open contracts and advances, for trying the module out and for
// the desktop host's demo database.
#include <string>

namespace hvx::demo {

// True when the open database can take the demo data: it holds the
// program's schema and no data yet. Otherwise false with the reason.
bool CanSeedDemo(std::string& error);

// Fills the open database with the demo cooperative in one transaction:
// all of it, or on any failure nothing. False with a message.
bool SeedDemoData(std::string& error);

// The demo database of this user: $XDG_DATA_HOME/harvexa/demo.db, else
// ~/.local/share/harvexa/demo.db. "" (with a message) when neither
// variable names a folder.
std::string DefaultDemoDatabase(std::string& error);

// Opens the demo database and leaves the session open on it, creating the
// schema and seeding the demo data first where they are missing (`created`
// tells whether anything was added). A SQLite file that this call created is
// removed again when the creation fails, so no half-made demo stays behind.
bool OpenDemoDatabase(const std::string& connection, bool& created, std::string& error);

}  // namespace hvx::demo
