#pragma once
// The sibling modules the host loads on the module's request (message 7000),
// by suite file name, from the host's modules folder. "H32GRR.DLL", "h32grr.dll"
// and "H32GRR" all name modules/H32GRR.so. A library once loaded stays loaded
// until the host ends: the module may keep function addresses from it.
#include <set>
#include <string>
#include <string_view>

namespace hvx::host {

// The library file a suite file name stands for ("H32GRR.so"), or "" for a
// name that is empty or reaches out of the folder.
std::string SiblingFileName(std::string_view suiteName);

class SiblingLibraries {
public:
    explicit SiblingLibraries(std::string modulesFolder);

    // The handle of the named sibling, loading it on first use; null when
    // there is no such library or it cannot be loaded (why: LastError).
    void* Load(std::string_view suiteName);
    // True when the folder holds the named sibling (loaded or not).
    bool Has(std::string_view suiteName) const;
    // True for a handle this host has loaded.
    bool IsLoaded(void* handle) const;
    // dlsym on a loaded handle; null for an unknown handle or name.
    void* Function(void* handle, std::string_view name) const;

    const std::string& Folder() const { return folder_; }
    const std::string& LastError() const { return lastError_; }

private:
    std::string PathOf(const std::string& fileName) const;

    std::string folder_;
    std::set<void*> loaded_;
    std::string lastError_;
};

}  // namespace hvx::host
