#include "shell/Counters.h"

#include <cstdlib>

#include "platform/Format.h"
#include "platform/HVXConnection.h"
#include "platform/HVXSConnection.h"
#include "platform/Statements.h"
#include "platform/Text.h"
#include "platform/UiPort.h"

namespace hvx {
namespace {

constexpr const char* kConfigTable = "HVXGR40";

// A counter is read again until HVXGR40 answers and until the number drawn is
// not on file yet. Without a configuration row, or with a counter that cannot
// be updated, that would loop for ever; so a run of this many passes that
// neither read a row nor moved on to a new number gives up.
constexpr int kMaxStalledPasses = 5;

// The statements finding a number drawn; the settlement number is drawn on
// either connection.
const SqlPair kSettlementOnFile{"SELECT SETTLEMENT FROM HVXGR04 WHERE SETTLEMENT = '%s'",
                                "SELECT SETTLEMENT FROM HVXGR04 WHERE SETTLEMENT = ?"};
const SqlPair kShipmentOnFile{"SELECT REFERENCE FROM HVXGR07 WHERE REFERENCE = '%s'"};

struct Counter {
    const char* column;
    const char* what;             // for the messages: "settlement", "shipment" ...
    const SqlPair* numberOnFile;  // finding the number, or null
};

const Counter kSettlement{"CONFIG18", "settlement", &kSettlementOnFile};
const Counter kActivity{"NEXTDPR", "position activity", nullptr};
const Counter kShipment{"CONFIG8", "shipment", &kShipmentOnFile};

long Fail(std::string* message, const std::string& text) {
    if (message)
        *message = text;
    else
        ShowMessage(text);
    return 0;
}

long FailMissingRow(std::string* message, const char* what) {
    return Fail(message, _HVXsprintf("Unable to get the next %s number: the configuration "
                                     "table HVXGR40 has no row.",
                                     what));
}

long FailStuck(std::string* message, const char* what, const char* column) {
    return Fail(message, _HVXsprintf("Unable to get the next %s number: the counter %s in "
                                     "HVXGR40 cannot be moved past the numbers already used.",
                                     what, column));
}

std::string NumberText(long number) {
    return _HVXsprintf("%li", number);
}

bool OnFile(Statements& sql, const SqlPair& find, long number) {
    std::string found;
    return sql.Value(find, {NumberText(number)}, found);
}

// Reads the counter, writes it back one higher (guarded by the text read) and
// returns the number; loops while that number is already on file.
long Draw(HVXSConnection& connection, const Counter& counter, std::string* message) {
    LiteralStatements sql(connection);
    int stalled = 0;
    long previous = 0;
    for (;;) {
        std::string read;
        if (!sql.Value({"SELECT %s FROM %s"}, {counter.column, kConfigTable}, read)) {
            if (++stalled >= kMaxStalledPasses) return FailMissingRow(message, counter.what);
            continue;
        }
        char value[51];
        CopyToBuffer(read, value, sizeof value);

        long number = 1;
        long changed = 0;
        if (value[0] == '\0') {
            changed = sql.Change({"UPDATE %s SET %s ='%s' WHERE %s='%s'"},
                                 {kConfigTable, counter.column, "2", counter.column, ""});
        } else {
            number = std::atol(value);
            changed = sql.Change({"UPDATE %s SET %s ='%li' WHERE %s='%s'"},
                                 {kConfigTable, counter.column, number + 1, counter.column, value});
        }
        if (!counter.numberOnFile || !OnFile(sql, *counter.numberOnFile, number)) return number;
        // Another user may have moved the counter first; only repeated
        // failures to move it mean it is stuck.
        stalled = changed >= 1 && number != previous ? 0 : stalled + 1;
        previous = number;
        if (stalled >= kMaxStalledPasses) return FailStuck(message, counter.what, counter.column);
    }
}

}  // namespace

long NextSettlementNumber(HVXSConnection& connection, std::string* message) {
    return Draw(connection, kSettlement, message);
}

long NextActivityNumber(HVXSConnection& connection, std::string* message) {
    return Draw(connection, kActivity, message);
}

long NextShipmentNumber(HVXSConnection& connection, std::string* message) {
    return Draw(connection, kShipment, message);
}

long NextSettlementNumber(HVXConnection& connection, std::string* message) {
    static const char* const kRead = "SELECT CONFIG18 FROM HVXGR40";
    static const char* const kWrite = "UPDATE HVXGR40 SET CONFIG18 = ?";
    PreparedStatements sql(connection);
    int stalled = 0;
    long previous = 0;
    for (;;) {
        long number = 1;
        bool advanced = false;
        std::string read;
        const bool haveRow = sql.Value({{}, kRead}, {}, read);
        if (haveRow) {
            number = std::atol(read.c_str());
            if (number == 0) number = 1;
            advanced = sql.Change({{}, kWrite}, {NumberText(number + 1)}) >= 1;
        }
        // Without a row the number is 1 and nothing is written.
        if (!OnFile(sql, kSettlementOnFile, number)) return number;
        stalled = advanced && number != previous ? 0 : stalled + 1;
        previous = number;
        if (stalled >= kMaxStalledPasses)
            return haveRow ? FailStuck(message, "settlement", "CONFIG18")
                           : FailMissingRow(message, "settlement");
    }
}

}  // namespace hvx
