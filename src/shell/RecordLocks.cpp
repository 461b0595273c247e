#include "shell/RecordLocks.h"

#include <cstdlib>
#include <string>

#include "platform/Lookups.h"
#include "shell/HostLocks.h"

namespace hvx {
namespace {

// Fills a request for the record that holds the key; false when none does.
bool FindRecord(RecordKind kind, std::string_view key, LockRequest& request) {
    const RecordKeyTable keyTable = KeyTableOf(kind);
    const std::string recno = LookupRecno1(1, keyTable.table, keyTable.keyColumn, key);
    if (recno.empty()) return false;
    request = MakeLockRequest(kGrainPackage, keyTable.table, std::strtod(recno.c_str(), nullptr));
    return true;
}

}  // namespace

RecordKeyTable KeyTableOf(RecordKind kind) {
    switch (kind) {
    case RecordKind::Assembly: return {"HVXGR02", "ASSEMBLY"};
    case RecordKind::Settlement: return {"HVXGR04", "SETTLEMENT"};
    case RecordKind::SalesContract: return {"HVXGR05", "CONTRACT"};
    }
    return {"HVXGR04", "SETTLEMENT"};
}

bool LockKeyedRecord(RecordKind kind, std::string_view key, long retries) {
    return LockKeyedRecordNumber(kind, key, retries) != 0;
}

double LockKeyedRecordNumber(RecordKind kind, std::string_view key, long retries) {
    LockRequest request{};
    if (!FindRecord(kind, key, request)) return 0;
    const double recno = request.recno;
    return RequestUntilGranted(kLockRecord, request, (retries < 0 ? 0 : retries) + 1) ? recno : 0;
}

bool UnlockRecordNumber(RecordKind kind, double recno) {
    if (recno <= 0) return false;
    LockRequest request = MakeLockRequest(kGrainPackage, KeyTableOf(kind).table, recno);
    return SendLockRequest(kUnlockRecord, request) != 0;
}

bool UnlockKeyedRecord(RecordKind kind, std::string_view key) {
    LockRequest request{};
    if (!FindRecord(kind, key, request)) return false;
    return SendLockRequest(kUnlockRecord, request) != 0;
}

}  // namespace hvx
