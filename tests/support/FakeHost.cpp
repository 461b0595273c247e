#include "support/FakeHost.h"

#include <stdlib.h>

#include <cstdint>
#include <fstream>
#include <stdexcept>

#include "abi/LockRequest.h"

namespace hvxtest {

long FakeHost::SendHostMessage(hvx::HostWindow window, unsigned message, long wparam,
                               void* lparam) {
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
    if (message == hvx::kMsgLoadModule && lparam) {
        m.text = static_cast<const char*>(lparam);
        sent.push_back(m);
        const auto found = modules.find(m.text);
        if (window != MainWindow() || found == modules.end()) return 0;
        return static_cast<long>(reinterpret_cast<std::intptr_t>(&found->second));
    }
    sent.push_back(m);
    return 0;
}

namespace {

// A handle is the address of a FakeModule of the map; anything else is unknown.
const FakeModule* Known(const std::map<std::string, FakeModule, std::less<>>& modules,
                        const void* handle) {
    for (const auto& entry : modules)
        if (&entry.second == handle) return &entry.second;
    return nullptr;
}

}  // namespace

void* FakeHost::FindSiblingFunction(void* module, std::string_view name) {
    const FakeModule* fake = Known(modules, module);
    if (!fake) return nullptr;
    const auto found = fake->functions.find(name);
    return found == fake->functions.end() ? nullptr : found->second;
}

bool FakeHost::IsModuleLoaded(void* module) {
    const FakeModule* fake = Known(modules, module);
    return fake && fake->loaded;
}

std::vector<std::string> FakeHost::LoadRequests() const {
    std::vector<std::string> names;
    for (const HostMessage& m : sent)
        if (m.message == hvx::kMsgLoadModule) names.push_back(m.text);
    return names;
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

FakeWorkingFolder::FakeWorkingFolder() : previous_(std::filesystem::current_path()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "hvxhost-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a working folder");
    folder_ = pattern;
    std::filesystem::current_path(folder_);
}

FakeWorkingFolder::~FakeWorkingFolder() {
    std::error_code ignored;
    std::filesystem::current_path(previous_, ignored);
    std::filesystem::remove_all(folder_, ignored);
}

void FakeWorkingFolder::WriteInstallation(const std::string& text) const {
    std::ofstream(folder_ / "HVX32.INI") << text;
}

}  // namespace hvxtest
