#pragma once
// Opening a SQLite file in one of the open modes; see OpenMode in Engine.h.
#include <sqlite3.h>

#include <string>

#include "platform/Engine.h"

namespace hvx {

// The open handle, ready for statements; null with a message for the user.
sqlite3* OpenSqliteFile(const std::string& path, OpenMode mode, std::string& error);

}  // namespace hvx
