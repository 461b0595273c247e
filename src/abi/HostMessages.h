#pragma once
// The window messages between the module and the host application: the
// module sends 7000 (load a sibling module) and 7003 (take or release a lock,
// with a LockRequest) to the host's frame; the host relays 14001 (a position
// changed) and 8205 (a notice for the documents) to its document windows.

namespace hvx {

inline constexpr unsigned kMsgLoadModule = 7000;
inline constexpr unsigned kMsgLock = 7003;
inline constexpr unsigned kMsgPositionChanged = 14001;
inline constexpr unsigned kMsgDocumentNotice = 8205;

}  // namespace hvx
