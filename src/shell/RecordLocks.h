#pragma once
// Record locks on grain records found by their key: the host locks the
// record's RECNO in the record kind's table.
#include <string_view>

namespace hvx {

enum class RecordKind {
    Assembly,       // the assembly (HVXGR02) that a split belongs to, by ASSEMBLY
    Settlement,     // HVXGR04, by SETTLEMENT
    SalesContract,  // HVXGR05, by CONTRACT
};

struct RecordKeyTable {
    const char* table;
    const char* keyColumn;
};

RecordKeyTable KeyTableOf(RecordKind kind);

// Assemblies are locked with this many retries during a settlement save.
inline constexpr long kAssemblyLockRetries = 5;

// Locks the record whose key column holds the key: the request is sent until
// granted or refused retries + 1 times, with the growing waits of a process
// lock between. A save finds its assembly still held by the save before it
// (which lets the process lock go first) for a few milliseconds, not for good;
// the five tries of a save cover about 0.4 s. False, without asking the host,
// when no record has that key.
bool LockKeyedRecord(RecordKind kind, std::string_view key, long retries);

// Releases it; false when no record has that key (nothing is released).
bool UnlockKeyedRecord(RecordKind kind, std::string_view key);

// The same lock, for a caller that must be able to release it later without
// looking the record up again (a save releases after its commit, when a
// failed lookup would leave the lock held): the RECNO locked, or 0.
double LockKeyedRecordNumber(RecordKind kind, std::string_view key, long retries);
bool UnlockRecordNumber(RecordKind kind, double recno);

}  // namespace hvx
