#pragma once
// A host that records every message the module sends and answers lock
// requests from a script: the first `refusals` lock requests are refused,
// later ones granted (or all refused when refuseAll is set).
#include <cstring>
#include <string>
#include <vector>

#include "platform/HostPort.h"

namespace hvxtest {

struct HostMessage {
    unsigned message = 0;
    long operation = 0;
    std::string package, table, text;
    double recno = 0;
};

class FakeHost final : public hvx::HostPort {
public:
    bool hasMainWindow = true;
    int refusals = 0;
    bool refuseAll = false;
    std::string holderText = "jdoe on workstation-2 since 03/07/2024 09:15 AM";
    std::vector<HostMessage> sent;
    std::vector<HostMessage> broadcasts;

    FakeHost() { hvx::SetHostPort(this); }
    ~FakeHost() override { hvx::SetHostPort(nullptr); }

    hvx::HostWindow MainWindow() override { return hasMainWindow ? this : nullptr; }
    long SendHostMessage(hvx::HostWindow window, unsigned message, long wparam,
                         void* lparam) override;
    void BroadcastToDocuments(unsigned message, long wparam, const void* lparam) override;
    void* FindSiblingFunction(void*, std::string_view) override { return nullptr; }
    bool IsModuleLoaded(void*) override { return false; }

    // Lock requests sent with a given operation.
    int Count(long operation) const;
};

}  // namespace hvxtest
