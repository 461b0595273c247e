#pragma once
// A host that records every message the module sends and answers lock
// requests from a script: the first `refusals` lock requests are refused,
// later ones granted (or all refused when refuseAll is set).
//
// It also plays the suite's sibling modules: a test gives it fake modules by
// file name, each loaded or not and exporting test functions by name. Message
// 7000 to the main window answers with the module's handle (0 for a file name
// it does not know, or a message sent to any other window).
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "platform/HostPort.h"
#include "shell/HostLocks.h"

namespace hvxtest {

struct FakeModule {
    bool loaded = true;  // false: a handle the process no longer has loaded
    std::map<std::string, void*, std::less<>> functions;

    // Exports a test function under a name; its signature must be the C
    // signature the module expects (see shell/SiblingAbi.h).
    template <class Fn>
    FakeModule& Export(std::string name, Fn* function) {
        functions[std::move(name)] = reinterpret_cast<void*>(function);
        return *this;
    }
};

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
    // The module's waits between refused lock requests (in ms), recorded instead of slept.
    std::vector<long> waits;

    FakeHost() {
        hvx::SetHostPort(this);
        Current() = this;
        hvx::SetLockWait(
            [](std::chrono::milliseconds wait) { Current()->waits.push_back(wait.count()); });
    }
    ~FakeHost() override { hvx::SetHostPort(nullptr), hvx::SetLockWait(nullptr); }
    static FakeHost*& Current() {
        static FakeHost* current = nullptr;
        return current;
    }

    hvx::HostWindow MainWindow() override { return hasMainWindow ? this : nullptr; }
    long SendHostMessage(hvx::HostWindow window, unsigned message, long wparam,
                         void* lparam) override;
    void BroadcastToDocuments(unsigned message, long wparam, const void* lparam) override;
    void* FindSiblingFunction(void* module, std::string_view name) override;
    bool IsModuleLoaded(void* module) override;

    // The siblings the host can load, by the file name the module asks for.
    std::map<std::string, FakeModule, std::less<>> modules;
    FakeModule& AddModule(const std::string& fileName) { return modules[fileName]; }
    // The file names the module asked the host to load, in order.
    std::vector<std::string> LoadRequests() const;

    // Lock requests sent with a given operation.
    int Count(long operation) const;
};

// The host's working folder, where the suite's installation file ".\HVX32.INI"
// is read: a fresh temporary folder while the object lives, then the previous
// working folder again.
class FakeWorkingFolder {
public:
    FakeWorkingFolder();
    ~FakeWorkingFolder();
    FakeWorkingFolder(const FakeWorkingFolder&) = delete;
    FakeWorkingFolder& operator=(const FakeWorkingFolder&) = delete;

    // Writes the installation file "HVX32.INI" with this text.
    void WriteInstallation(const std::string& text) const;

private:
    std::filesystem::path previous_, folder_;
};

}  // namespace hvxtest
