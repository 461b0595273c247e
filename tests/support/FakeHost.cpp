#include "support/FakeHost.h"

#include "shell/LockRequest.h"

namespace hvxtest {

long FakeHost::SendHostMessage(hvx::HostWindow, unsigned message, long wparam, void* lparam) {
    HostMessage m;
    m.message = message;
    m.operation = wparam;
    if (message == hvx::kMsgLock && lparam) {
        auto* request = static_cast<hvx::LockRequest*>(lparam);
        m.package = request->package;
        m.table = request->table;
        m.text = request->text;
        m.recno = request->recno;
        sent.push_back(m);
        if (wparam == 5) {
            std::strncpy(request->text, holderText.c_str(), sizeof request->text - 1);
            request->text[sizeof request->text - 1] = '\0';
            return 1;
        }
        if (wparam == 2 || wparam == 4) return 1;
        if (refuseAll) return 0;
        if (refusals > 0) {
            --refusals;
            return 0;
        }
        return 1;
    }
    sent.push_back(m);
    return 0;
}

void FakeHost::BroadcastToDocuments(unsigned message, long wparam, const void* lparam) {
    HostMessage m;
    m.message = message;
    m.operation = wparam;
    if (lparam) m.text = static_cast<const char*>(lparam);
    broadcasts.push_back(m);
}

int FakeHost::Count(long operation) const {
    int n = 0;
    for (const HostMessage& m : sent)
        if (m.message == hvx::kMsgLock && m.operation == operation) ++n;
    return n;
}

}  // namespace hvxtest
