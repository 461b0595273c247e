#pragma once
// The lock request record handed to the host with every lock message: a wire
// format of 1092 bytes shared by the module and the host.
#include <cstddef>

namespace hvx {

#pragma pack(push, 1)
struct LockRequest {
    char package[30];  // zero-terminated; the grain locks use "HVXGRP"
    char table[30];    // a table such as "HVXGR04", or a process lock name
    char text[1024];   // cleared by the module, filled by the host on request 5
    double recno;      // record requests only
};
#pragma pack(pop)

static_assert(sizeof(LockRequest) == 1092);
static_assert(offsetof(LockRequest, package) == 0);
static_assert(offsetof(LockRequest, table) == 30);
static_assert(offsetof(LockRequest, text) == 60);
static_assert(offsetof(LockRequest, recno) == 1084);

// Lock operations of host message 7003.
enum LockOperation : long {
    kLockTable = 1,
    kUnlockTable = 2,
    kLockRecord = 3,
    kUnlockRecord = 4,
    kWhoHoldsRecord = 5,
};

}  // namespace hvx
