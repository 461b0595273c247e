#pragma once
// The C entry points of the grain settlement module H32GRS, as the host looks
// them up by name after loading the library. These types are the whole
// contract between the host and the module: the host takes each address with
// dlsym and calls it through the matching type below.
//
// Window handles are the host's QWidget pointers (the frame, or the window a
// command came from). The instance handle of Initialize is the host's
// hvx::HostPort.

extern "C" {

// "REQUIREDDLLS" → "H32016.DLL"; anything else (null included) → "".
typedef const char* (*HVXWhatCanIDoFn)(const char* query);
typedef int (*HVXSetupFn)(int ignored);                 // 1
typedef int (*HVXInitializeFn)(void* hostInstance);     // 1
typedef int (*HVXTerminateFn)(int ignored);             // 1
// The modal result of the "Create New Settlement" dialog.
typedef int (*HVXNewSettlementFn)(void* parent);
// The document windows: 1 when the window was created, else 0.
typedef int (*HVXCreateWindowFn)(void* parent);
typedef int (*HVXCreateKeyedWindowFn)(void* parent, const char* settlementKey);
// The settlement search; it has no result the host may rely on.
typedef void (*HVXCreateSettlementSearchFn)(void* parent);
}

namespace hvx {

// A document window that wants the host's notices (message 14001, a position
// changed: wparam 8209 updated / 8210 inserted, text the position key; 8205,
// a direct shipment batch was finished, no text) has a slot of this name and
// signature: hostNotice(uint message, qlonglong wparam, QString text). The
// host invokes it on the widget of every document frame that has it.
inline constexpr const char* kHostNoticeSlot = "hostNotice(uint,qlonglong,QString)";
inline constexpr const char* kHostNoticeMethod = "hostNotice";

}  // namespace hvx
