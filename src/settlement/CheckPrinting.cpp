#include "settlement/CheckPrinting.h"

#include <cstdlib>

#include "abi/SiblingAbi.h"
#include "platform/EngineReason.h"
#include "platform/Format.h"
#include "platform/HVXSConnection.h"
#include "platform/Statements.h"
#include "platform/Text.h"
#include "platform/UiPort.h"
#include "shell/ReportCalls.h"

namespace hvx::settlement {
namespace {

constexpr const char* kPrintedQuestion =
    "Did the check print correctly?.\n\nNo will reprint this check.";

constexpr const char* kNotSaved = "Please save this settlement before printing its check.";
constexpr const char* kNumberTakenTwice =
    "Check number %s was also given to a check printed at another workstation while this one "
    "printed. Please void one of the two checks.";

// The counter's current number, at most a check number's buffer of it;
// false without a row.
bool ReadCounter(HVXSConnection& connection, std::string& checkNumber) {
    std::string counter;
    if (!LiteralStatements(connection).Value({"SELECT CHECKNUM FROM HVXREP4"}, {}, counter)) {
        checkNumber.clear();
        return false;
    }
    char buffer[kCheckNumberSize];
    CopyToBuffer(counter, buffer, sizeof buffer);
    checkNumber = buffer;
    return true;
}

// Whether the counter no longer holds the number this print took from it.
bool CounterMovedOn(HVXSConnection& connection, const std::string& checkNumber) {
    std::string current, printed = checkNumber;
    if (!ReadCounter(connection, current)) return false;
    TRIM(current);
    TRIM(printed);
    return current != printed;
}

HostWindow Application() {
    HostPort* host = CurrentHostPort();
    return host ? host->MainWindow() : nullptr;
}

}  // namespace

bool CurrentCheckNumber(UiPort& ui, std::string& checkNumber) {
    EngineFailureWatch watch;
    HVXSConnection connection(1, nullptr, 0);
    if (ReadCounter(connection, checkNumber)) return true;
    ShowMessage(ui, "Unable to retrieve current check number from HVXREP4.");
    return false;
}

bool CheckPrinting::PrintSettlementCheck(std::string& checkNumberField, std::string_view setLink,
                                         double recno) {
    // The check is printed from the stored settlement and its number stored
    // with it: a settlement not saved yet has neither, and would use up a
    // number for a check that shows nothing.
    if (recno == 0 || setLink.empty()) {
        ShowMessage(ui_, kNotSaved);
        return false;
    }
    HVXCheckPrintOptions options{};
    {
        ReportWaitCursor wait;
        auto select = FindReportFunction<HVXCheckPrinterSelectFn>(kReportsModule,
                                                                  kCheckPrinterSelectFunction);
        if (!select || select(window_, "Print Source Detail", 1, &options) != 1) return false;
    }

    std::string checkNumber = checkNumberField;
    TRIM(checkNumber);
    const bool fromCounter = checkNumber.empty();
    if (fromCounter && !CurrentCheckNumber(ui_, checkNumber)) return false;
    const char* sourceDetail = options.extraOption ? "T" : "F";

    // The same number is printed again until the user is satisfied; only the
    // confirmed print uses the number up.
    for (;;) {
        PrintOnce(setLink, checkNumber, sourceDetail, options);
        const MsgAnswer answer =
            ui_.MessageBox(kPrintedQuestion, kCaption, MsgButtons::YesNoCancel, MsgIcon::Question);
        if (answer == MsgAnswer::Cancel) return false;
        if (answer == MsgAnswer::Yes) break;
    }
    StoreCheckNumber(checkNumber, fromCounter, recno);
    checkNumberField = checkNumber;
    return true;
}

void CheckPrinting::PrintOnce(std::string_view setLink, const std::string& checkNumber,
                              const char* sourceDetail, const HVXCheckPrintOptions& options) {
    ReportWaitCursor wait;
    auto print = FindReportFunction<HVXPrintSettlementCheckFn>(kReportsModule,
                                                               kPrintSettlementCheckFunction);
    if (!print) return;
    const std::string link(setLink);
    print(Application(), link.c_str(), checkNumber.c_str(), sourceDetail, &options);
}

void CheckPrinting::StoreCheckNumber(const std::string& checkNumber, bool fromCounter,
                                     double recno) {
    HVXSConnection connection(1, nullptr, 0);
    // The counter is read and advanced without a lock, so another
    // workstation printing at the same time may have been given the same
    // number. That is said plainly, and the counter, already moved on by the
    // other print, is not set back.
    if (fromCounter && CounterMovedOn(connection, checkNumber)) {
        ShowMessage(ui_, _HVXsprintf(kNumberTakenTwice, checkNumber));
        fromCounter = false;
    }
    // A failed counter update is reported and does not keep the settlement
    // from recording the check it was paid with.
    LiteralStatements sql(connection);
    if (fromCounter) {
        EngineFailureWatch watch;
        const long next = std::strtol(checkNumber.c_str(), nullptr, 10) + 1;
        const std::string nextText = _HVXsprintf("%d", next);
        if (sql.Change({"UPDATE HVXREP4 SET CHECKNUM='%s'"}, {nextText}) < 0)
            ShowMessage(ui_, "Unable to increment check number in HVXREP4.");
    }
    EngineFailureWatch watch;
    if (sql.Change({"UPDATE HVXGR04 SET CHECKNUM='%s' WHERE RECNO=%.0f"}, {checkNumber, recno}) < 0)
        ShowMessage(ui_, "Unable to update settlement with check number.");
}

}  // namespace hvx::settlement
