#include "host/app/ModuleLoader.h"

#include <strings.h>

#include <vector>

namespace hvx::host {
namespace {

template <class Fn>
void Find(SiblingLibraries& libraries, void* handle, const char* name, Fn& into,
          std::string& missing) {
    into = reinterpret_cast<Fn>(libraries.Function(handle, name));
    if (!into) missing += missing.empty() ? name : std::string(", ") + name;
}

// The names in a REQUIREDDLLS answer, separated by commas, semicolons or
// blanks.
std::vector<std::string> SplitNames(const std::string& text) {
    std::vector<std::string> names;
    std::string name;
    for (char c : text + ",") {
        if (c == ',' || c == ';' || c == ' ' || c == '\t') {
            if (!name.empty()) names.push_back(name);
            name.clear();
        } else {
            name += c;
        }
    }
    return names;
}

}  // namespace

bool HostProvidesLibrary(std::string_view suiteName) {
    return suiteName.size() == 10 && strncasecmp(suiteName.data(), "H32016.DLL", 10) == 0;
}

ModuleLoader::~ModuleLoader() { Stop(); }

bool ModuleLoader::Load(std::string& error) {
    void* handle = libraries_.Load(kGrainModule);
    if (!handle) {
        error = "The grain settlement module cannot be loaded: " + libraries_.LastError();
        return false;
    }
    std::string missing;
    ModuleEntryPoints e;
    Find(libraries_, handle, "HVXWhatCanIDo", e.HVXWhatCanIDo, missing);
    Find(libraries_, handle, "Setup", e.Setup, missing);
    Find(libraries_, handle, "Initialize", e.Initialize, missing);
    Find(libraries_, handle, "Terminate", e.Terminate, missing);
    Find(libraries_, handle, "NewSettlement", e.NewSettlement, missing);
    Find(libraries_, handle, "CreateSourceSettlementMENU", e.CreateSourceSettlementMENU, missing);
    Find(libraries_, handle, "CreateSourceSettlement", e.CreateSourceSettlement, missing);
    Find(libraries_, handle, "CreateDestSettlementMENU", e.CreateDestSettlementMENU, missing);
    Find(libraries_, handle, "CreateDestSettlement", e.CreateDestSettlement, missing);
    Find(libraries_, handle, "CreateDirShipMENU", e.CreateDirShipMENU, missing);
    Find(libraries_, handle, "CreateCWRMENU", e.CreateCWRMENU, missing);
    Find(libraries_, handle, "CreateSettlementSearch", e.CreateSettlementSearch, missing);
    if (!missing.empty()) {
        error = "The grain settlement module H32GRS lacks the entry points " + missing + ".";
        return false;
    }
    entry_ = e;
    return true;
}

bool ModuleLoader::Start(HostPort& host, std::string& error) {
    if (!entry_.HVXWhatCanIDo) {
        error = "The grain settlement module is not loaded.";
        return false;
    }
    const char* required = entry_.HVXWhatCanIDo("REQUIREDDLLS");
    for (const std::string& name : SplitNames(required ? required : "")) {
        if (HostProvidesLibrary(name)) continue;
        if (!libraries_.Has(name)) {
            error = "The grain settlement module needs " + name + ", which is not installed in " +
                    libraries_.Folder() + ".";
            return false;
        }
    }
    if (entry_.Setup(0) == 0) {
        error = "The grain settlement module refused to set up.";
        return false;
    }
    if (entry_.Initialize(&host) == 0) {
        error = "The grain settlement module could not be initialised.";
        return false;
    }
    started_ = true;
    return true;
}

void ModuleLoader::Stop() {
    if (!started_) return;
    started_ = false;
    entry_.Terminate(0);
}

}  // namespace hvx::host
