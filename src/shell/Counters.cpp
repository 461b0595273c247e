#include "shell/Counters.h"

#include <cstdlib>

#include "platform/Format.h"
#include "platform/HVXConnection.h"
#include "platform/HVXSConnection.h"
#include "platform/UiPort.h"

namespace hvx {
namespace {

constexpr const char* kConfigTable = "HVXGR40";

// A counter is read again until HVXGR40 answers and until the number drawn is
// not on file yet. Without a configuration row, or with a counter that cannot
// be updated, that would loop for ever; so a run of this many passes that
// neither read a row nor moved on to a new number gives up.
constexpr int kMaxStalledPasses = 5;

struct Counter {
    const char* column;
    const char* what;          // for the messages: "settlement", "shipment" ...
    const char* numberOnFile;  // literal SQL finding the number, or null
};

const Counter kSettlement{"CONFIG18", "settlement",
                          "SELECT SETTLEMENT FROM HVXGR04 WHERE SETTLEMENT = '%s'"};
const Counter kActivity{"NEXTDPR", "position activity", nullptr};
const Counter kShipment{"CONFIG8", "shipment",
                        "SELECT REFERENCE FROM HVXGR07 WHERE REFERENCE = '%s'"};

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

std::string NumberText(long number) { return _HVXsprintf("%li", number); }

bool OnFile(HVXSConnection& connection, const char* sql, long number) {
    const bool found = connection.ExecSQL(_HVXsprintf(sql, NumberText(number))) &&
                       connection.FetchNext();
    connection.FreeStatement();
    return found;
}

// Reads the counter, writes it back one higher (guarded by the text read) and
// returns the number; loops while that number is already on file.
long Draw(HVXSConnection& connection, const Counter& counter, std::string* message) {
    int stalled = 0;
    long previous = 0;
    for (;;) {
        const bool haveRow =
            connection.ExecSQL(_HVXsprintf("SELECT %s FROM %s", counter.column, kConfigTable)) &&
            connection.FetchNext();
        if (!haveRow) {
            connection.FreeStatement();
            if (++stalled >= kMaxStalledPasses) return FailMissingRow(message, counter.what);
            continue;
        }
        char value[51];
        connection.GetColumnChar(1, value, sizeof value);
        connection.FreeStatement();

        long number = 1;
        long changed = 0;
        if (value[0] == '\0') {
            changed = connection.ExecSQLChange(
                _HVXsprintf("UPDATE %s SET %s ='%s' WHERE %s='%s'", kConfigTable, counter.column,
                            "2", counter.column, ""));
        } else {
            number = std::atol(value);
            changed = connection.ExecSQLChange(
                _HVXsprintf("UPDATE %s SET %s ='%li' WHERE %s='%s'", kConfigTable,
                            counter.column, number + 1, counter.column, value));
        }
        if (!counter.numberOnFile || !OnFile(connection, counter.numberOnFile, number))
            return number;
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
    static const char* const kCheck = "SELECT SETTLEMENT FROM HVXGR04 WHERE SETTLEMENT = ?";
    int stalled = 0;
    long previous = 0;
    for (;;) {
        long number = 1;
        bool advanced = false;
        connection.PrepareSQL(kRead, 0);
        const bool haveRow = connection.ExecuteSQL(kRead) >= 0 && connection.FetchNext(kRead);
        if (haveRow) {
            number = std::atol(connection.ColumnVar(kRead, 1));
            if (number == 0) number = 1;
            connection.PrepareSQL(kWrite, 0);
            connection.BindParam(kWrite, _Fmt("%li", static_cast<double>(number + 1)), 0);
            advanced = connection.ExecuteSQL(kWrite) >= 1;
        }
        // Without a row the number is 1 and nothing is written.
        connection.PrepareSQL(kCheck, 0);
        connection.BindParam(kCheck, _Fmt("%li", static_cast<double>(number)), 0);
        const bool onFile = connection.ExecuteSQL(kCheck) >= 0 && connection.FetchNext(kCheck);
        if (!onFile) return number;
        stalled = advanced && number != previous ? 0 : stalled + 1;
        previous = number;
        if (stalled >= kMaxStalledPasses)
            return haveRow ? FailStuck(message, "settlement", "CONFIG18")
                           : FailMissingRow(message, "settlement");
    }
}

}  // namespace hvx
