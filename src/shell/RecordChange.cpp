#include "shell/RecordChange.h"

#include "platform/HVXSConnection.h"
#include "platform/Lookups.h"
#include "platform/Statements.h"
#include "platform/Text.h"

namespace hvx {

bool RecordChangedSince(std::string_view table, double recno, std::string_view changeCount) {
    // The table name goes into the statement unquoted: only a plain name may.
    if (!IsSqlName(table)) return false;
    HVXSConnection connection(1, nullptr, 0);
    std::string value;
    if (!LiteralStatements(connection)
             .Value({"SELECT NUMCHANGE FROM %s WHERE RECNO=%.0f"}, {table, recno}, value))
        return false;
    char current[21];
    CopyToBuffer(value, current, sizeof current);
    return changeCount != current;
}

}  // namespace hvx
