#include "shell/ModuleInstall.h"

#include "platform/ProfileFile.h"

namespace hvx {

bool IsModuleInstalled(std::string_view moduleFileName) {
    return !moduleFileName.empty() &&
           ProfileHasKey(moduleFileName, "DllDate", SuiteProfilePath());
}

}  // namespace hvx
