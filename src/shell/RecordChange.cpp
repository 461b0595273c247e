#include "shell/RecordChange.h"

#include "platform/Format.h"
#include "platform/HVXSConnection.h"
#include "platform/Lookups.h"

namespace hvx {

bool RecordChangedSince(std::string_view table, double recno, std::string_view changeCount) {
    // The table name goes into the statement unquoted: only a plain name may.
    if (!IsSqlName(table)) return false;
    HVXSConnection connection(1, nullptr, 0);
    if (!connection.ExecSQL(_HVXsprintf("SELECT NUMCHANGE FROM %s WHERE RECNO=%.0f", table, recno)) ||
        !connection.FetchNext())
        return false;
    char current[21];
    connection.GetColumnChar(1, current, sizeof current);
    return changeCount != current;
}

}  // namespace hvx
