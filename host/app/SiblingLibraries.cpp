#include "host/app/SiblingLibraries.h"

#include <dlfcn.h>
#include <strings.h>

#include <filesystem>

namespace hvx::host {
namespace {

namespace fs = std::filesystem;

bool EndsWithNoCase(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() &&
           strncasecmp(text.data() + text.size() - tail.size(), tail.data(), tail.size()) == 0;
}

}  // namespace

std::string SiblingFileName(std::string_view suiteName) {
    std::string_view stem = suiteName;
    if (EndsWithNoCase(stem, ".DLL")) stem.remove_suffix(4);
    if (stem.empty() || stem == "." || stem == ".." ||
        stem.find_first_of("/\\") != std::string_view::npos || stem.find('\0') != std::string_view::npos)
        return "";
    return std::string(stem) + ".so";
}

SiblingLibraries::SiblingLibraries(std::string modulesFolder) : folder_(std::move(modulesFolder)) {}

// The suite ignores the case of file names: an exact match first, else the
// one file of the folder whose name differs only in case.
std::string SiblingLibraries::PathOf(const std::string& fileName) const {
    std::error_code ec;
    const fs::path exact = fs::path(folder_) / fileName;
    if (fs::is_regular_file(exact, ec)) return exact.string();
    for (const auto& entry : fs::directory_iterator(folder_, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.size() == fileName.size() && strcasecmp(name.c_str(), fileName.c_str()) == 0 &&
            entry.is_regular_file(ec))
            return entry.path().string();
    }
    return "";
}

void* SiblingLibraries::Load(std::string_view suiteName) {
    lastError_.clear();
    const std::string fileName = SiblingFileName(suiteName);
    const std::string path = fileName.empty() ? "" : PathOf(fileName);
    if (path.empty()) {
        lastError_ = "No module " + std::string(suiteName) + " in " + folder_;
        return nullptr;
    }
    // Loading a library already loaded returns the same handle; dlopen
    // counts it, which does no harm since nothing is ever unloaded.
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* why = dlerror();
        lastError_ = why ? why : "cannot load " + path;
        return nullptr;
    }
    loaded_.insert(handle);
    return handle;
}

bool SiblingLibraries::Has(std::string_view suiteName) const {
    const std::string fileName = SiblingFileName(suiteName);
    return !fileName.empty() && !PathOf(fileName).empty();
}

bool SiblingLibraries::IsLoaded(void* handle) const { return handle && loaded_.count(handle); }

void* SiblingLibraries::Function(void* handle, std::string_view name) const {
    if (!IsLoaded(handle)) return nullptr;
    return dlsym(handle, std::string(name).c_str());
}

}  // namespace hvx::host
