#include "settlement/DoPostingObject.h"

#include "platform/HVXSConnection.h"
#include "platform/NextNumbers.h"
#include "platform/Statements.h"

namespace hvx::settlement {
namespace {

const char* const kInsert =
    "INSERT INTO HVXGRAR (SOURCE,ARACCT1,ARACCT2,ARACCT3,DESCRIPT,CUSTREF,REFERENCE,AMOUNT,"
    "STATUS,NUMCHANGE,RECNO) VALUES ('%s','%s','%s','%s','%s','%s','%s','%.2f','%s','0',%.0f)";
const char* const kInsertFailed = "Unable to record receivable entry in HVXGRAR.";

}  // namespace

bool DoPostingObject::Post(const ReceivableEntry& entry, std::string& message) {
    const double recno = NextRecordNumber("HVXGRAR");
    if (recno == 0 ||
        LiteralStatements(connection_)
                .Change({kInsert}, {entry.source, entry.account1, entry.account2, entry.account3,
                                    entry.description, entry.custRef, entry.reference, entry.amount,
                                    entry.status, recno}) < 1) {
        message = kInsertFailed;
        return false;
    }
    return true;
}

}  // namespace hvx::settlement
